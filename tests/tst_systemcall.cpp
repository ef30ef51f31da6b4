#include "testenvironment.h"

#include <QDesktopServices>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString modules = QStringLiteral(ORVANE_BUILD_DIR "/qml");

QString readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

} // namespace

// SystemCall against a recording host, then on the stand-in host for real.
class TestSystemCall : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { opened.append(url); }

private slots:
    // In a process of its own, where the recording host's import path comes last and so first.
    void translations() {
        const QString fakeHost = QStringLiteral(ORVANE_SOURCE_DIR "/tests/fakehost");
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(ORVANE_BUILD_DIR "/bin/orvane-qmltest"),
                      {QStringLiteral("-import"), modules, QStringLiteral("-import"), fakeHost,
                       QStringLiteral("-input"), fakeHost + QStringLiteral("/tst_systemcall.qml")});
        QVERIFY(process.waitForFinished(60000));
        const QByteArray output = process.readAll();
        QVERIFY2(process.exitCode() == 0 && output.contains("Totals: 2"), output.constData());
    }

    void onTheHost() {
        QQmlEngine engine;
        engine.addImportPath(modules);
        QQmlComponent component(&engine);
        component.setData(
            "import QtQml 2.12\nimport Orvane 1.0\nimport Orvane.Private 1.0\n"
            "QtObject {\n"
            "    property string answer\n"
            "    function call(name, args) { return SystemCall[name].apply(null, args) }\n"
            "    function ask() { SystemCall.messageBox({ title: 'T', text: 'Go?' })\n"
            "        .then(function () { answer = 'yes' }, function () { answer = 'no' }) }\n"
            "    function box() { return Core.system.currentMessageBox }\n"
            "    function dropSystem() { Core.system = null }\n"
            "}\n",
            QUrl());
        QScopedPointer<QObject> probe(component.create());
        QVERIFY2(probe, qPrintable(component.errorString()));
        auto call = [&](const char *name, const QVariantList &args) {
            QVariant result;
            QMetaObject::invokeMethod(probe.data(), "call", Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, QString::fromLatin1(name)),
                                      Q_ARG(QVariant, args));
            return result;
        };
        const QString work = TestEnvironment::root();

        // Programs and commands really run.
        QCOMPARE(call("command", {QStringLiteral("echo command > command.txt"), work}), true);
        QVERIFY(call("execute", {QStringLiteral("/bin/sh"),
                                 QStringLiteral("-c \"echo execute > execute.txt\""), work})
                    .toBool());
        QVERIFY(!call("execute", {QStringLiteral("/no/such/program")}).toBool());
        QTRY_COMPARE(readFile(work + QStringLiteral("/command.txt")), QStringLiteral("command"));
        QTRY_COMPARE(readFile(work + QStringLiteral("/execute.txt")), QStringLiteral("execute"));

        // Files, folders and links go through QDesktopServices.
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("orvane-test"), this, "openUrl");
        const QUrl file = QUrl::fromLocalFile(work + QStringLiteral("/a b.txt"));
        QCOMPARE(call("openFile", {file, 0}), 2);
        QCOMPARE(call("openLink", {QStringLiteral("orvane-test://page"), 16}), 2);
        QCOMPARE(call("openFolder", {QUrl::fromLocalFile(work)}), 2);
        QCOMPARE(call("openFolder", {QStringLiteral("orvane-test://dir")}), 0);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("orvane-test"));
        QCOMPARE(opened, (QList<QUrl>{file, QUrl(QStringLiteral("orvane-test://page")),
                                      QUrl::fromLocalFile(work)}));

        // A real dialog answers the promise.
        for (const char *answer : {"accept", "reject"}) {
            QMetaObject::invokeMethod(probe.data(), "ask");
            QVariant box;
            QMetaObject::invokeMethod(probe.data(), "box", Q_RETURN_ARG(QVariant, box));
            auto *window = qobject_cast<QQuickWindow *>(box.value<QObject *>());
            QVERIFY(window && window->isVisible());
            QCOMPARE(window->title() + window->property("text").toString(), QStringLiteral("TGo?"));
            QMetaObject::invokeMethod(window, answer);
            QTRY_COMPARE(probe->property("answer").toString(),
                         QLatin1String(answer[0] == 'a' ? "yes" : "no"));
        }

        // Without system services exit quits the QML application.
        QSignalSpy quit(&engine, &QQmlEngine::quit);
        QMetaObject::invokeMethod(probe.data(), "dropSystem");
        QCOMPARE(call("exit", {}), true);
        QTRY_COMPARE(quit.count(), 1);
    }

private:
    QList<QUrl> opened;
};

QTEST_MAIN(TestSystemCall)
#include "tst_systemcall.moc"

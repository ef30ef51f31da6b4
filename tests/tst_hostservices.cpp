#include "testenvironment.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

} // namespace

// SystemCall on the stand-in host: programs really start, URLs go through
// QDesktopServices, message boxes are real dialogs.
class TestHostServices : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { opened.append(url); }

private slots:
    void initTestCase() {
        engine.addImportPath(QStringLiteral(ORVANE_BUILD_DIR "/qml"));
        QQmlComponent component(
            &engine, QUrl::fromLocalFile(QStringLiteral(ORVANE_SOURCE_DIR "/tests/hostprobe.qml")));
        probe = component.create();
        QVERIFY2(probe, qPrintable(component.errorString()));
        work = TestEnvironment::root() + QStringLiteral("/work");
        QVERIFY(QDir().mkpath(work));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("orvane-test"), this, "openUrl");
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("orvane-test"));
        delete probe;
    }

    void programs() {
        QCOMPARE(call("command", {QStringLiteral("echo from command > command.txt"), work}),
                 QVariant(true));
        QTRY_COMPARE(readFile(work + QStringLiteral("/command.txt")),
                     QStringLiteral("from command"));
    }

    void executeAndNulls() {
        QCOMPARE(call("execute", {QStringLiteral("/bin/sh"),
                                  QStringLiteral("-c \"echo ran > execute.txt\""), work}),
                 QVariant(true));
        QTRY_COMPARE(readFile(work + QStringLiteral("/execute.txt")), QStringLiteral("ran"));

        // A null working directory is the current one, not a directory named "null".
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work));
        const QVariant null = QVariant::fromValue(nullptr);
        const QVariant started =
            call("execute",
                 {QStringLiteral("/bin/sh"), QStringLiteral("-c \"pwd > pwd.txt\""), null, null});
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(started, QVariant(true));
        QTRY_COMPARE(readFile(work + QStringLiteral("/pwd.txt")), QDir(work).canonicalPath());

        QVERIFY(!call("execute", {QStringLiteral("/no/such/program")}).toBool());
        QVERIFY(!call("execute", {QString()}).toBool());
        QVERIFY(!call("command", {QString()}).toBool());
    }

    void opening() {
        opened.clear();
        const QUrl file = QUrl::fromLocalFile(work + QStringLiteral("/a file.txt"));
        QCOMPARE(call("openFile", {file, 0}).toInt(), 2);
        QCOMPARE(call("openLink", {QStringLiteral("orvane-test://host/page"), 16}).toInt(), 2);
        QCOMPARE(call("openLink", {QString()}).toInt(), 0);
        QCOMPARE(call("openFolder", {QUrl::fromLocalFile(work)}).toInt(), 2);
        QCOMPARE(call("openFolder", {QStringLiteral("orvane-test://host/dir")}).toInt(), 0);
        QCOMPARE(opened, (QList<QUrl>{file, QUrl(QStringLiteral("orvane-test://host/page")),
                                      QUrl::fromLocalFile(work)}));
    }

    void messageBox() {
        QVERIFY(invoke("askWith", {QStringLiteral("text")}).toBool());
        QVERIFY(invoke("askWith", {QVariant()}).toBool());

        QObject *system = probe->property("system").value<QObject *>();
        QVERIFY(system);
        for (const bool accept : {true, false}) {
            invoke("ask", {QVariantMap{{QStringLiteral("title"), QStringLiteral("Question")},
                                       {QStringLiteral("text"), QStringLiteral("Go on?")},
                                       {QStringLiteral("modal"), true}}});
            auto *box = qobject_cast<QQuickWindow *>(
                system->property("currentMessageBox").value<QObject *>());
            QVERIFY(box);
            QVERIFY(box->isVisible());
            QCOMPARE(box->title(), QStringLiteral("Question"));
            QCOMPARE(box->property("text").toString(), QStringLiteral("Go on?"));
            QCOMPARE(box->modality(), Qt::ApplicationModal);
            QCOMPARE(probe->property("answer").toString(), QStringLiteral("waiting"));
            QVERIFY(QMetaObject::invokeMethod(box, accept ? "accept" : "reject"));
            QTRY_COMPARE(probe->property("answer").toString(),
                         accept ? QStringLiteral("accepted") : QStringLiteral("rejected"));
            QVERIFY(!system->property("currentMessageBox").value<QObject *>());
        }
    }

    void sound() {
        QCOMPARE(invoke("sound", {false}).toList(), (QVariantList{false, 0}));
        QCOMPARE(invoke("sound", {true}).toList(), (QVariantList{true, 1}));
    }

    void popups() {
        QCOMPARE(invoke("openMenu").toList(), (QVariantList{true, true, false}));
        QCOMPARE(invoke("openDialog").toList(), (QVariantList{true, true, false}));
    }

    void shellServices() {
        QObject *system = probe->property("system").value<QObject *>();
        QObject *core = probe->property("nativeCore").value<QObject *>();
        QVERIFY(system && core);
        QSignalSpy editor(system, SIGNAL(launcherEditorRequested()));
        QSignalSpy gallery(system, SIGNAL(widgetGalleryRequested()));
        QSignalSpy workshop(system, SIGNAL(workshopRequested()));
        QSignalSpy preferences(core, SIGNAL(preferencesRequested()));
        QCOMPARE(call("customizeLauncher"), QVariant(true));
        QCOMPARE(call("manageWidgets"), QVariant(true));
        QCOMPARE(call("openWorkshop"), QVariant(true));
        QCOMPARE(call("showPreferences"), QVariant(true));
        QCOMPARE(editor.count(), 1);
        QCOMPARE(gallery.count(), 1);
        QCOMPARE(workshop.count(), 1);
        QCOMPARE(preferences.count(), 1);
    }

    // Last: exit really asks the application to quit.
    void exitAndRestart() {
        QObject *system = probe->property("system").value<QObject *>();
        QObject *core = probe->property("nativeCore").value<QObject *>();
        QSignalSpy exits(system, SIGNAL(exitRequested()));
        QSignalSpy quits(&engine, &QQmlEngine::quit);
        QVERIFY(!core->property("restartPending").toBool());
        QCOMPARE(call("restart"), QVariant(true));
        QVERIFY(core->property("restartPending").toBool());
        QCOMPARE(exits.count(), 1);
        QTRY_COMPARE(quits.count(), 1);
    }

private:
    QVariant invoke(const char *function, const QVariantList &args = {}) {
        QVariant result;
        if (args.isEmpty())
            QMetaObject::invokeMethod(probe, function, Q_RETURN_ARG(QVariant, result));
        else
            QMetaObject::invokeMethod(probe, function, Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, args.first()));
        return result;
    }

    QVariant call(const char *name, const QVariantList &args = {}) {
        QVariant result;
        QMetaObject::invokeMethod(probe, "call", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, QString::fromLatin1(name)),
                                  Q_ARG(QVariant, args));
        return result;
    }

    QQmlEngine engine;
    QObject *probe = nullptr;
    QString work;
    QList<QUrl> opened;
};

QTEST_MAIN(TestHostServices)
#include "tst_hostservices.moc"

#include "testenvironment.h"

#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

class TestSystemCall : public QObject {
    Q_OBJECT

private slots:
    // The recording host of tests/fakehost comes last in the import path, so it is searched first.
    void translations() {
        const QString fake = QStringLiteral(ORVANE_SOURCE_DIR "/tests/fakehost");
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(ORVANE_BUILD_DIR "/bin/orvane-qmltest"),
                      {"-import", ORVANE_BUILD_DIR "/qml", "-import", fake, "-input", fake + "/tst_systemcall.qml"});
        QVERIFY(process.waitForFinished(60000));
        const QByteArray output = process.readAll();
        QVERIFY2(process.exitCode() == 0 && output.contains("Totals: 14 passed"), output.constData());
    }

    void onTheHost() {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(ORVANE_BUILD_DIR "/qml"));
        QQmlComponent component(&engine);
        component.setData("import Orvane 1.0\nimport QtQml 2.12\nQtObject { function call(name, args)"
                          " { return SystemCall[name].apply(null, args) } }", QUrl());
        QScopedPointer<QObject> probe(component.create());
        QVERIFY2(probe, qPrintable(component.errorString()));
        auto call = [&](const char *name, const QVariantList &args) {
            QVariant result;
            QMetaObject::invokeMethod(probe.data(), "call", Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, QString::fromLatin1(name)), Q_ARG(QVariant, args));
            return result;
        };
        const QString work = TestEnvironment::root();
        QCOMPARE(call("command", {"echo command > command.txt", work}), true);
        QVERIFY(call("execute", {"/bin/sh", "-c \"echo execute > execute.txt\"", work}).toBool());
        QVERIFY(!call("execute", {"/no/such/program"}).toBool());
        QTRY_VERIFY(QFile::exists(work + "/command.txt") && QFile::exists(work + "/execute.txt"));
    }
};

QTEST_MAIN(TestSystemCall)
#include "tst_systemcall.moc"

#include "testenvironment.h"

#include <QProcess>
#include <QQmlComponent>
#include <QQmlContext>
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
                      {"-import", ORVANE_BUILD_DIR "/qml", "-import", fake, "-input",
                       fake + "/tst_systemcall.qml"});
        QVERIFY(process.waitForFinished(60000));
        const QByteArray output = process.readAll();
        QVERIFY2(process.exitCode() == 0 && output.contains("Totals: 14 passed"),
                 output.constData());
    }

    void onTheHost() {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(ORVANE_BUILD_DIR "/qml"));
        const QString work = TestEnvironment::root();
        engine.rootContext()->setContextProperty("work", work);
        QQmlComponent component(&engine);
        component.setData(
            "import Orvane 1.0\nimport QtQml 2.12\nQtObject { property string results:"
            " JSON.stringify([SystemCall.command('echo command > command.txt', work),"
            " SystemCall.execute('/bin/sh', '-c \"echo execute > execute.txt\"', work),"
            " SystemCall.execute('/no/such/program')]) }",
            QUrl());
        QScopedPointer<QObject> probe(component.create());
        QVERIFY2(probe, qPrintable(component.errorString()));
        QCOMPARE(probe->property("results").toString(), QStringLiteral("[true,true,false]"));
        QTRY_VERIFY(QFile::exists(work + "/command.txt") && QFile::exists(work + "/execute.txt"));
    }
};

QTEST_MAIN(TestSystemCall)
#include "tst_systemcall.moc"

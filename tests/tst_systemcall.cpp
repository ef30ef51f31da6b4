#include "testengine.h"
#include "testenvironment.h"
#include "testprocess.h"

#include <QQmlContext>
#include <QtTest>

class TestSystemCall : public QObject {
    Q_OBJECT

private slots:
    // The recording host of tests/fakehost comes last in the import path, so it is searched first.
    void translations() {
        const QString fake = QStringLiteral(ORVANE_SOURCE_DIR "/tests/fakehost");
        const TestProcess test = TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-qmltest",
                                                  {"-import", ORVANE_BUILD_DIR "/qml", "-import",
                                                   fake, "-input", fake + "/tst_systemcall.qml"});
        QVERIFY2(test.succeeded() && test.output.contains("Totals: 14 passed"),
                 test.report().constData());
    }

    void onTheHost() {
        TestEngine engine;
        const QString work = TestEnvironment::root();
        engine.rootContext()->setContextProperty("work", work);
        const auto probe = engine.create(
            "import Orvane 1.0\nimport QtQml 2.12\nQtObject { property string results:"
            " JSON.stringify([SystemCall.command('echo command > command.txt', work),"
            " SystemCall.execute('/bin/sh', '-c \"echo execute > execute.txt\"', work),"
            " SystemCall.execute('/no/such/program')]) }");
        QVERIFY2(probe, qPrintable(engine.errorString()));
        QCOMPARE(probe->property("results").toString(), QStringLiteral("[true,true,false]"));
        QTRY_VERIFY(QFile::exists(work + "/command.txt") && QFile::exists(work + "/execute.txt"));
    }
};

QTEST_MAIN(TestSystemCall)
#include "tst_systemcall.moc"

#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString fakeHost = QStringLiteral(ORVANE_SOURCE_DIR "/tests/fakehost");
const QString modules = QStringLiteral(ORVANE_BUILD_DIR "/qml");

} // namespace

// SystemCall against a recording host that stands in for Orvane.Private.
class TestSystemCall : public QObject {
    Q_OBJECT

private slots:
    // The QML cases run in their own process, where the recording host comes first.
    void translations() {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        // Import paths added later take precedence.
        process.start(QStringLiteral(ORVANE_BUILD_DIR "/bin/orvane-qmltest"),
                      {QStringLiteral("-import"), modules, QStringLiteral("-import"), fakeHost,
                       QStringLiteral("-input"), fakeHost + QStringLiteral("/tst_systemcall.qml")});
        QVERIFY(process.waitForStarted());
        QVERIFY(process.waitForFinished(60000));
        const QByteArray output = process.readAll();
        qInfo().noquote() << output;
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(output.contains("Totals: "));
        QVERIFY(!output.contains("Totals: 0 passed"));
    }

    // Without system services, exit quits the QML application itself.
    void exitWithoutSystem() {
        QQmlEngine engine;
        engine.addImportPath(modules);
        engine.addImportPath(fakeHost);
        QSignalSpy quit(&engine, &QQmlEngine::quit);
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.12\n"
                          "import Orvane 1.0\n"
                          "import Orvane.Private 1.0 as Host\n"
                          "QtObject {\n"
                          "    function withSystem() { return SystemCall.exit() }\n"
                          "    function withoutSystem() { Host.Core.system = null;\n"
                          "                               return SystemCall.exit() }\n"
                          "    function calls() { return Host.Core.calls.length }\n"
                          "}\n",
                          QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));

        QVariant result;
        QVERIFY(
            QMetaObject::invokeMethod(object.data(), "withSystem", Q_RETURN_ARG(QVariant, result)));
        QCOMPARE(result, QVariant(true));
        QCOMPARE(quit.count(), 0);
        QVERIFY(QMetaObject::invokeMethod(object.data(), "calls", Q_RETURN_ARG(QVariant, result)));
        QCOMPARE(result.toInt(), 1);

        QVERIFY(QMetaObject::invokeMethod(object.data(), "withoutSystem",
                                          Q_RETURN_ARG(QVariant, result)));
        QCOMPARE(result, QVariant(true));
        QTRY_COMPARE(quit.count(), 1);
        QVERIFY(QMetaObject::invokeMethod(object.data(), "calls", Q_RETURN_ARG(QVariant, result)));
        QCOMPARE(result.toInt(), 1);
    }
};

QTEST_MAIN(TestSystemCall)
#include "tst_systemcall.moc"

#include "common/log.h"
#include "common/paths.h"
#include "common/utils.h"
#include "core/core.h"
#include "core/launchercompositor.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestHost : public QObject {
    Q_OBJECT

private slots:
    void paths();
    void expandEnvironmentStrings_data();
    void expandEnvironmentStrings();
    void createDirectory();
    void processes();
    void compositorOutlivesEngines();
};

void TestHost::paths() {
    const QByteArray saved = qgetenv("ORVANE_CONFIG_DIR");
    qputenv("ORVANE_CONFIG_DIR", "/tmp/some/where//");
    QCOMPARE(Orvane::Paths::configurations(), QStringLiteral("/tmp/some/where"));
    qunsetenv("ORVANE_CONFIG_DIR");
    QCOMPARE(Orvane::Paths::configurations(),
             QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/orvane");
    qputenv("ORVANE_CONFIG_DIR", saved);

    qunsetenv("ORVANE_SOUNDS_DIR");
    QCOMPARE(Orvane::Paths::sounds(),
             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 "/orvane/sounds");
    QCOMPARE(Orvane::Paths::storages(), qEnvironmentVariable("ORVANE_STORAGE_DIR"));
    QVERIFY(!Orvane::Paths::caches().endsWith('/'));
    QCOMPARE(QByteArray(Orvane::Log::Core().categoryName()), QByteArray("orvane.core"));
}

void TestHost::expandEnvironmentStrings_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    qputenv("ORV_A", "alpha");
    qputenv("ORV_EMPTY", "");
    QTest::newRow("percent") << "%ORV_A%/x"
                             << "alpha/x";
    QTest::newRow("brace") << "${ORV_A}/${ORV_A}"
                           << "alpha/alpha";
    QTest::newRow("set but empty") << "a%ORV_EMPTY%b"
                                   << "ab";
    QTest::newRow("unknown kept") << "%ORV_NOPE%/${ORV_NOPE}"
                                  << "%ORV_NOPE%/${ORV_NOPE}";
    QTest::newRow("unclosed") << "%ORV_A/${ORV_A"
                              << "%ORV_A/${ORV_A";
    QTest::newRow("empty name") << "%%${}"
                                << "%%${}";
    QTest::newRow("lone percent then ref") << "50% %ORV_A%"
                                           << "50% alpha";
    QTest::newRow("no shell syntax") << "$ORV_A"
                                     << "$ORV_A";
}

void TestHost::expandEnvironmentStrings() {
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(Orvane::Paths::expandEnvironmentStrings(input), expected);
}

void TestHost::createDirectory() {
    QTemporaryDir dir;
    QVERIFY(Orvane::Utils::createDirectory(dir.path()));
    QVERIFY(Orvane::Utils::createDirectory(dir.filePath("a/b/c")));
    QVERIFY(QFileInfo(dir.filePath("a/b/c")).isDir());
    QFile file(dir.filePath("plain"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(!Orvane::Utils::createDirectory(dir.filePath("plain")));
    QVERIFY(!Orvane::Utils::createDirectory(dir.filePath("plain/below")));
    QVERIFY(!Orvane::Utils::createDirectory(QString()));
}

void TestHost::processes() {
    Orvane::Core *core = Orvane::Core::instance();
    QVERIFY(!core->execute("/nonexistent/program", QString(), QString(), QString()));
    QTemporaryDir dir;
    QVERIFY(core->command("echo ran > out.txt", dir.path()));
    QTRY_VERIFY(QFileInfo(dir.filePath("out.txt")).size() > 0);
    QVERIFY(core->execute("/bin/sh", "-c \"echo x > exec.txt\"", dir.path(), "open"));
    QTRY_VERIFY(QFileInfo(dir.filePath("exec.txt")).size() > 0);
}

void TestHost::compositorOutlivesEngines() {
    const QByteArray source = "import QtQml 2.12\nimport Orvane 1.0\n"
                              "QtObject { property var compositor: LauncherCompositor }";
    QObject *seen[2] = {};
    for (QObject *&compositor : seen) {
        QQmlEngine engine;
        engine.addImportPath(ORVANE_BUILD_DIR "/qml");
        QQmlComponent component(&engine);
        component.setData(source, QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        compositor = object->property("compositor").value<QObject *>();
    }
    QVERIFY(seen[0]);
    QCOMPARE(seen[0], seen[1]);
    QCOMPARE(seen[0], Orvane::GUI::LauncherCompositor::instance());
    // Both engines are gone; the host object must still be alive and usable.
    QPointer<QObject> alive(seen[0]);
    QVERIFY(alive);
    QVERIFY(alive->setProperty("visible", true));
    QCOMPARE(alive->property("visible").toBool(), true);
}

QTEST_MAIN(TestHost)
#include "tst_host.moc"

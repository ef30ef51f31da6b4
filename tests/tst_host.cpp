#include "common/log.h"
#include "common/paths.h"
#include "common/utils.h"
#include "core/launchercompositor.h"
#include "testengine.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestHost : public QObject {
    Q_OBJECT

private slots:
    void paths() {
        const QByteArray saved = qgetenv("ORVANE_CONFIG_DIR");
        qputenv("ORVANE_CONFIG_DIR", "/tmp/some/where//");
        QCOMPARE(Orvane::Paths::configurations(), QStringLiteral("/tmp/some/where"));
        qunsetenv("ORVANE_CONFIG_DIR");
        QCOMPARE(Orvane::Paths::configurations(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     "/orvane");
        qputenv("ORVANE_CONFIG_DIR", saved);
        // Without the variable: the user's sounds once there are any, else those
        // beside the library (here the build tree's).
        qunsetenv("ORVANE_SOUNDS_DIR");
        QCOMPARE(Orvane::Paths::sounds(), QStringLiteral(ORVANE_BUILD_DIR "/share/orvane/sounds"));
        const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            "/orvane/sounds";
        QVERIFY(QDir().mkpath(own));
        QCOMPARE(Orvane::Paths::sounds(), own);
        QVERIFY(QDir(own).removeRecursively());
        QCOMPARE(Orvane::Paths::storages(), qEnvironmentVariable("ORVANE_STORAGE_DIR"));
        QCOMPARE(QByteArray(Orvane::Log::Core().categoryName()), QByteArray("orvane.core"));
    }

    void expandEnvironmentStrings() {
        qputenv("ORV_A", "alpha");
        qputenv("ORV_EMPTY", "");
        const QPair<const char *, const char *> expanded[]{{"%ORV_A%/x", "alpha/x"},
                                                           {"${ORV_A}/${ORV_A}", "alpha/alpha"},
                                                           {"a%ORV_EMPTY%b", "ab"},
                                                           {"50% %ORV_A%", "50% alpha"}};
        for (const auto &[input, output] : expanded)
            QCOMPARE(Orvane::Paths::expandEnvironmentStrings(input), QString(output));
        // Unknown, unclosed and empty names and shell syntax stay as written.
        for (const char *kept : {"%ORV_NOPE%/${ORV_NOPE}", "%ORV_A/${ORV_A", "%%${}", "$ORV_A"})
            QCOMPARE(Orvane::Paths::expandEnvironmentStrings(kept), QString(kept));
    }

    void createDirectory() {
        QTemporaryDir dir;
        QVERIFY(Orvane::Utils::createDirectory(dir.path()));
        QVERIFY(Orvane::Utils::createDirectory(dir.filePath("a/b/c")));
        QVERIFY(QFileInfo(dir.filePath("a/b/c")).isDir());
        QVERIFY(QFile(dir.filePath("plain")).open(QIODevice::WriteOnly));
        for (const QString &path : {dir.filePath("plain"), dir.filePath("plain/below"), QString()})
            QVERIFY(!Orvane::Utils::createDirectory(path));
    }

    // The process-wide singleton outlives every engine that published it.
    void compositorOutlivesEngines() {
        QPointer<QObject> seen[2];
        for (QPointer<QObject> &compositor : seen) {
            TestEngine engine;
            const auto object =
                engine.create("import QtQml 2.12\nimport Orvane 1.0\n"
                              "QtObject { property var compositor: LauncherCompositor }");
            QVERIFY2(object, qPrintable(engine.errorString()));
            compositor = object->property("compositor").value<QObject *>();
        }
        QVERIFY(seen[0] && seen[0] == seen[1]);
        QCOMPARE(seen[0].data(), Orvane::GUI::LauncherCompositor::instance());
        QVERIFY(seen[0]->setProperty("visible", true));
        QCOMPARE(seen[0]->property("visible").toBool(), true);
    }
};

QTEST_MAIN(TestHost)
#include "tst_host.moc"

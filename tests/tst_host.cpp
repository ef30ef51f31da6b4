#include "common/paths.h"
#include "common/utils.h"
#include "core/launchercompositor.h"
#include "testengine.h"
#include "testenvironment.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QtTest>

// The stand-in host as the plugin uses it, and the window type on it.
class TestHost : public QObject {
    Q_OBJECT

private slots:
    void paths() {
        const QByteArray saved = qgetenv("ORVANE_CONFIG_DIR");
        qputenv("ORVANE_CONFIG_DIR", "/tmp/some/where//");
        QCOMPARE(Orvane::Paths::configurations(), QStringLiteral("/tmp/some/where"));
        qunsetenv("ORVANE_CONFIG_DIR");
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QCOMPARE(Orvane::Paths::configurations(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     "/orvane");
        qputenv("ORVANE_CONFIG_DIR", saved);
        // Without the variable: the user's sounds once there are any, else those beside the
        // library (here the build tree's).
        qunsetenv("ORVANE_SOUNDS_DIR");
        QCOMPARE(Orvane::Paths::sounds(), QStringLiteral(ORVANE_BUILD_DIR "/share/orvane/sounds"));
        QVERIFY(QDir().mkpath(data + "/orvane/sounds"));
        QCOMPARE(Orvane::Paths::sounds(), data + "/orvane/sounds");

        qputenv("ORV_A", "alpha");
        qputenv("ORV_EMPTY", "");
        // Unknown, unclosed and empty names and shell syntax stay as written.
        const std::pair<const char *, const char *> expanded[]{{"%ORV_A%/x", "alpha/x"},
                                                               {"${ORV_A}/${ORV_A}", "alpha/alpha"},
                                                               {"a%ORV_EMPTY%b", "ab"},
                                                               {"50% %ORV_A%", "50% alpha"},
                                                               {"%ORV_NOPE%/${ORV_NOPE}", nullptr},
                                                               {"%ORV_A/${ORV_A", nullptr},
                                                               {"%%${}", nullptr},
                                                               {"$ORV_A", nullptr}};
        for (const auto &[input, output] : expanded)
            QCOMPARE(Orvane::Paths::expandEnvironmentStrings(input),
                     QString(output ? output : input));
    }

    void createDirectory() {
        QTemporaryDir dir;
        QVERIFY(Orvane::Utils::createDirectory(dir.path()));
        QVERIFY(Orvane::Utils::createDirectory(dir.filePath("a/b/c")));
        QVERIFY(QFileInfo(dir.filePath("a/b/c")).isDir());
        QVERIFY(TestEnvironment::writeFile(dir.filePath("plain")));
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
    }

    // SystemCall's programs and commands run, in the given directory.
    void systemCallRuns() {
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

    // The native window stays transparent; the component paints its content with `color`.
    void windowPaintsContent() {
        TestEngine engine;
        const auto object =
            engine.create("import Orvane 1.0\nWindow { width: 40; height: 30; color: \"red\" }");
        auto *window = qobject_cast<QQuickWindow *>(object.get());
        QVERIFY2(window, qPrintable(engine.errorString()));
        QCOMPARE(window->color(), QColor(Qt::transparent));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QSharedPointer<QQuickItemGrabResult> grab = window->contentItem()->grabToImage();
        QVERIFY(QSignalSpy(grab.data(), &QQuickItemGrabResult::ready).wait());
        QCOMPARE(grab->image().size(), QSize(40, 30));
        for (const QPoint &point : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 15)})
            QCOMPARE(grab->image().pixelColor(point), QColor(Qt::red));
    }
};

QTEST_MAIN(TestHost)
#include "tst_host.moc"

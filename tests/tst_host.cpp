#include "common/paths.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QtTest>

// The stand-in host's directories, and the window type on it.
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
        // Unknown, unclosed and empty names and shell syntax stay as written (nullptr).
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

    // The native window stays transparent; the component paints its content with `color`.
    void windowPaintsContent() {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import Orvane 1.0\nWindow { width: 40; height: 30; color: \"red\" }",
                          QUrl());
        const std::unique_ptr<QObject> object(component.create());
        auto *window = qobject_cast<QQuickWindow *>(object.get());
        QVERIFY2(window, qPrintable(component.errorString()));
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

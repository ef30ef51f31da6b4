#include "utils/window.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QSignalSpy>
#include <QtTest>

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void transparentAtConstruction() {
        Orvane::Imports::Window window;
        QCOMPARE(window.color(), QColor(Qt::transparent));
        QVERIFY(window.contentItem());
    }

    // The component paints its content with `color`; the native window stays transparent.
    void redContent() {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(ORVANE_BUILD_DIR "/qml"));
        QQmlComponent component(&engine);
        component.setData("import Orvane 1.0\nWindow { width: 40; height: 30; color: \"red\" }",
                          QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        // The plugin has its own copy of the class, so compare by name.
        QVERIFY(object->inherits("Orvane::Imports::Window"));
        auto *window = qobject_cast<QQuickWindow *>(object.data());
        QVERIFY(window);
        QCOMPARE(object->property("color").value<QColor>(), QColor(Qt::red));
        QCOMPARE(window->QQuickWindow::color(), QColor(Qt::transparent));

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_COMPARE(window->contentItem()->width(), 40.0);
        QSharedPointer<QQuickItemGrabResult> grab = window->contentItem()->grabToImage();
        QVERIFY(grab);
        QSignalSpy ready(grab.data(), &QQuickItemGrabResult::ready);
        QVERIFY(ready.count() || ready.wait());
        const QImage image = grab->image();
        QCOMPARE(image.size(), QSize(40, 30));
        for (const QPoint &point : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 15), QPoint(39, 0)})
            QCOMPARE(image.pixelColor(point), QColor(Qt::red));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

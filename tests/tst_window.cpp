#include "testengine.h"

#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    // The native window stays transparent; the component paints its content with `color`.
    void redContent() {
        TestEngine engine;
        const auto object =
            engine.create("import Orvane 1.0\nWindow { width: 40; height: 30; color: \"red\" }");
        auto *window = qobject_cast<QQuickWindow *>(object.get());
        QVERIFY2(window, qPrintable(engine.errorString()));
        QCOMPARE(window->color(), QColor(Qt::transparent));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QSharedPointer<QQuickItemGrabResult> grab = window->contentItem()->grabToImage();
        QSignalSpy ready(grab.data(), &QQuickItemGrabResult::ready);
        QVERIFY(ready.wait());
        QCOMPARE(grab->image().size(), QSize(40, 30));
        for (const QPoint &point : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 15)})
            QCOMPARE(grab->image().pixelColor(point), QColor(Qt::red));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

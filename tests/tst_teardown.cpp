#include "testenvironment.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtTest>

// A widget's engine created and destroyed again and again: nothing it held may stay
// behind, in memory or in the leak checker's report at exit.
class TestTeardown : public QObject {
    Q_OBJECT

private slots:
    void thousandEngines() {
        QTemporaryDir folder;
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            QVERIFY(TestEnvironment::writeFile(folder.filePath(name)));
        const QString sound = qEnvironmentVariable("ORVANE_SOUNDS_DIR") + "/FeedbackClick.wav";
        QVERIFY(QFile::exists(sound));

#if defined(__SANITIZE_ADDRESS__)
        // Leaks show after any number of cycles; a thousand would take ten minutes here.
        const int cycles = 100;
#else
        const int cycles = 1000;
#endif
        qint64 resident100 = 0;
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            {
                QQmlEngine engine;
                engine.rootContext()->setContextProperty("folderUrl",
                                                         QUrl::fromLocalFile(folder.path()));
                engine.rootContext()->setContextProperty("soundUrl", QUrl::fromLocalFile(sound));
                QQmlComponent component(
                    &engine,
                    QUrl::fromLocalFile(ORVANE_SOURCE_DIR "/tests/qml/teardownwidget.qml"));
                const std::unique_ptr<QObject> widget(component.create());
                QVERIFY2(widget, qPrintable(component.errorString()));
                QCOMPARE(widget->property("used").toInt(), 11);
                QCoreApplication::processEvents();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (cycle == 100)
                resident100 = TestEnvironment::residentBytes();
        }
        // The address sanitizer holds freed memory back on purpose; only a plain build
        // shows what the library keeps.
        const qint64 resident = TestEnvironment::residentBytes();
        QVERIFY2(
            cycles == 100 || resident <= resident100 + resident100 / 20,
            qPrintable(
                QString("%1 KiB, at 100 cycles %2").arg(resident >> 10).arg(resident100 >> 10)));
    }
};

QTEST_MAIN(TestTeardown)
#include "tst_teardown.moc"

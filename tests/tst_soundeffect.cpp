#include "sound/playerpool.h"
#include "sound/sfxthread.h"
#include "sound/soundeffect.h"
#include "testenvironment.h"
#include "testprocess.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>

using Orvane::SoundEffect;

namespace {

// A tone, mono 16-bit at 44.1 kHz.
bool writeSound(const QString &path, quint32 ms) {
    const quint32 bytes = 44100 * ms / 1000 * 2;
    QByteArray tone(bytes, 0);
    for (quint32 i = 0; i < bytes / 2; ++i)
        qToLittleEndian<qint16>(8000 * qSin(2 * M_PI * 660 * i / 44100), tone.data() + 2 * i);
    const auto le = [](quint32 value) {
        value = qToLittleEndian(value);
        return QByteArray(reinterpret_cast<const char *>(&value), 4);
    };
    return TestEnvironment::writeFile(
        path, "RIFF" + le(36 + bytes) + "WAVEfmt " +
                  QByteArray::fromHex("100000000100010044ac0000885801000200100064617461") +
                  le(bytes) + tone);
}

// Holds the sound thread, polling there, until the condition holds.
template <typename F> void holdSoundThreadUntil(F condition) {
    auto *context = new QObject;
    context->moveToThread(Orvane::sfxThread());
    QMetaObject::invokeMethod(context, [condition] {
        while (!condition())
            QThread::yieldCurrentThread();
    });
    context->deleteLater();
}

// An effect's playing values as they change, one digit each: 1 playing, 0 not, 9 told on
// another thread than the sound thread.
class Changes : public QObject {
public:
    explicit Changes(SoundEffect *effect) {
        const auto record = [this, effect] {
            const bool sound = QThread::currentThread() == Orvane::sfxThread();
            m_digits = m_digits * 10 + (sound ? effect->isPlaying() : 9);
        };
        connect(effect, &SoundEffect::playingChanged, this, record, Qt::DirectConnection);
    }
    int operator()() const { return m_digits; }

private:
    std::atomic<int> m_digits{0};
};

std::atomic<int> refusals{0};
QtMessageHandler previousHandler = nullptr;

void countRefusals(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtWarningMsg && text.contains(QRegularExpression("QSoundEffect.*rror.*text.wav")))
        ++refusals;
    else
        previousHandler(type, context, text);
}

QStringList warnings;
SoundEffect *lateEffect = nullptr;

void finish(const QString &heard) {
    std::printf("%s\n", qPrintable(heard));
    for (const QString &warning : qAsConst(warnings))
        std::printf("warning: %s\n", qPrintable(warning));
    std::fflush(stdout);
    std::_Exit(0); // Qt's own multimedia teardown is not under test.
}

void afterSoundThread() { // after the sound thread is gone, before Qt's multimedia state
    const bool gone = !Orvane::sfxThread();
    delete lateEffect;
    auto fresh = std::make_unique<SoundEffect>();
    fresh->play();
    fresh->stop();
    fresh.reset();
    finish(gone ? "late done" : "the thread is still there");
}

// In a process of its own, since Qt sets its sound back end up once per process, on the thread
// that first needs it: a sound of each type, the one made first first; or ours used after the
// sound thread is gone at exit. Prints what it heard and every warning.
int child(const QByteArray &mode, const QUrl &file) {
    if (mode == "--late") {
        static QSoundEffect first; // exit handlers run in reverse: Qt's, ours, the thread's
        first.setSource(file);
        if (!QTest::qWaitFor([] { return first.status() == QSoundEffect::Ready; }, 5000))
            return 4; // Qt's loader must not be busy while the process exits
        std::atexit(afterSoundThread);
        lateEffect = new SoundEffect;
        lateEffect->setSource(file);
        lateEffect->play();
        return 0;
    }
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            warnings.append(text);
    });
    std::unique_ptr<QSoundEffect> qt(mode == "--qt-first" ? new QSoundEffect : nullptr);
    auto ours = std::make_unique<SoundEffect>();
    if (!qt)
        qt = std::make_unique<QSoundEffect>();
    QString qtChanges;
    QObject::connect(qt.get(), &QSoundEffect::playingChanged, qt.get(),
                     [&] { qtChanges += qt->isPlaying() ? '1' : '0'; });
    Changes ourChanges(ours.get());
    qt->setSource(file);
    ours->setSource(file);
    qt->play();
    ours->play();
    (void)QTest::qWaitFor([&] { return qtChanges.size() >= 2 && ourChanges() >= 10; }, 5000);
    ours.reset();
    qt.reset();
    finish(QString("qt %1 ours %2").arg(qtChanges).arg(ourChanges()));
    return 0;
}

const char *const stockProbe = R"(
import QtQml 2.12
import Orvane 1.0
QtObject {
    readonly property bool plain: Object.getPrototypeOf(SFX) === Object.prototype
        && Array.isArray(SFX._configs) && SFX._configs.every(o => SFX[o.objectName] === o)
        && Object.keys(SFX).join() === SFX._configs.map(o => o.objectName).concat("_configs").join()
    readonly property QtObject menu: SFX.PopupMenu
}
)";

} // namespace

class TestSoundEffect : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QUrl url(const char *name) { return QUrl::fromLocalFile(m_dir.filePath(name)); }

private slots:
    void initTestCase() {
        QVERIFY(writeSound(m_dir.filePath("short.wav"), 150));
        QVERIFY(writeSound(m_dir.filePath("other.wav"), 100));
        QVERIFY(writeSound(m_dir.filePath("long.wav"), 3000));
    }

    // First, with players fresh from the back end: a reused one has been seen, about once
    // in fifteen runs after the hundred effects, to report its start but not its end.
    void stockSounds() {
        QQmlEngine engine, second;
        QQmlComponent probe(&engine), otherProbe(&second);
        probe.setData(stockProbe, QUrl());
        otherProbe.setData(stockProbe, QUrl());
        const std::unique_ptr<QObject> sfx(probe.create()), other(otherProbe.create());
        QVERIFY2(sfx && other, qPrintable(probe.errorString()));
        QVERIFY(sfx->property("plain").toBool());
        // The plugin's objects are of this process's classes (a second copy's would fail the
        // cast), and play on this process's one sound thread.
        auto *menu = qobject_cast<SoundEffect *>(sfx->property("menu").value<QObject *>());
        QVERIFY(menu && menu != other->property("menu").value<QObject *>());
        const QByteArray sounds = qgetenv("ORVANE_SOUNDS_DIR");
        qputenv("ORVANE_SOUNDS_DIR", "/nowhere");
        QCOMPARE(menu->property("defaultSource").toUrl(), QUrl("file:///nowhere/PopupMenu.wav"));
        qputenv("ORVANE_SOUNDS_DIR", sounds);
        Changes changes(menu);
        QCOMPARE(menu->source(), QUrl());
        menu->setSource(menu->property("defaultSource").toUrl());
        QVERIFY(QFileInfo::exists(menu->source().toLocalFile()));
        menu->play();
        QTRY_COMPARE_WITH_TIMEOUT(changes(), 10, 10000);
    }

    void handOversWaitAndPlayQueues() {
        SoundEffect effect;
        auto *doomed = new SoundEffect;
        doomed->setSource(url("long.wav"));
        Changes changes(&effect);
        QSignalSpy sourceChanges(&effect, &SoundEffect::sourceChanged);
        // The sound thread serves the hand-overs of setSource() and of destruction only once
        // both callers wait for theirs, this thread's queued behind another's.
        const qint64 self = TestEnvironment::threadId();
        std::atomic<qint64> worker{0};
        std::atomic<bool> deleting{false}, served{false};
        holdSoundThreadUntil([&] {
            return worker && TestEnvironment::isAsleep(worker) && deleting &&
                   TestEnvironment::isAsleep(self) && (served = true);
        });
        std::unique_ptr<QThread> setter(QThread::create([&] {
            worker = TestEnvironment::threadId();
            effect.setSource(url("short.wav"));
        }));
        setter->start();
        QTRY_VERIFY(worker && TestEnvironment::isAsleep(worker));
        deleting = true;
        delete doomed;
        QVERIFY(served);
        QTRY_VERIFY(setter->isFinished());
        effect.setSource(url("short.wav"));
        QCOMPARE(sourceChanges.count(), 1);
        // play() returns while the sound thread is still held, and then plays the new source.
        std::atomic<bool> played{false};
        holdSoundThreadUntil([&] { return played.load(); });
        std::unique_ptr<QThread> player(QThread::create([&] { effect.play(); }));
        player->start();
        QTRY_VERIFY(player->isFinished());
        played = true;
        QTRY_COMPARE_WITH_TIMEOUT(changes(), 10, 5000);
    }

    void effectsShareOneThread() {
        std::deque<Changes> changes;
        std::vector<SoundEffect> effects(100);
        for (SoundEffect &effect : effects) {
            changes.emplace_back(&effect);
            effect.setSource(url("other.wav"));
        }
        for (SoundEffect &effect : effects)
            effect.play();
        QThread *const thread = Orvane::sfxThread();
        QVERIFY(thread != QThread::currentThread());
        for (const Changes &played : changes)
            QTRY_COMPARE_WITH_TIMEOUT(played(), 10, 10000);
        effects.clear();
        QVERIFY(Orvane::sfxThread() == thread && thread->isRunning());
    }

    void destroyingStopsFirst() {
        auto *effect = new SoundEffect;
        Changes changes(effect);
        effect->setSource(url("long.wav"));
        effect->play();
        effect->stop();
        effect->play(); // a play after a stop still plays
        QMetaObject::invokeMethod(
            Orvane::sfxPlayers(), [] {}, Qt::BlockingQueuedConnection);
        QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying(), 5000);
        const int heard = changes();
        delete effect; // the owner hears the stop before it is gone
        QCOMPARE(changes(), heard * 10);
    }

    void badSourceStaysIdle() {
        QVERIFY(TestEnvironment::writeFile(m_dir.filePath("text.wav"), "no sound at all\n"));
        previousHandler = qInstallMessageHandler(countRefusals);
        SoundEffect effect;
        effect.setSource(url("text.wav"));
        effect.play();
        // Qt may show a play() that waits for the loading as playing until the error.
        QTRY_VERIFY_WITH_TIMEOUT(refusals == 1 && !effect.isPlaying(), 5000);
        qInstallMessageHandler(previousHandler);
    }

    // In processes of their own: Qt's sound type beside ours, and ours after the thread is
    // gone at exit.
    void ownProcess_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("Qt's first") << "--qt-first" << QByteArray("qt 10 ours 10\n");
        QTest::newRow("ours first") << "--ours-first" << QByteArray("qt 10 ours 10\n");
        QTest::newRow("late") << "--late" << QByteArray("late done\n");
    }

    void ownProcess() {
        QFETCH(QString, mode);
        const TestProcess process = TestProcess::run(QCoreApplication::applicationFilePath(),
                                                     {mode, url("short.wav").toString()});
        QVERIFY2(process.succeeded(), process.report().constData());
        QTEST(process.output, "output");
    }
};

int main(int argc, char **argv) {
    const QByteArray mode = argc == 3 ? argv[1] : "";
    if (mode == "--late" || mode == "--qt-first" || mode == "--ours-first") {
        QCoreApplication app(argc, argv);
        return child(mode, QUrl(QString::fromLocal8Bit(argv[2])));
    }
    QGuiApplication app(argc, argv);
    TestSoundEffect test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundeffect.moc"

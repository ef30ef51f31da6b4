#include "sound/sfxthread.h"
#include "sound/soundeffect.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using Orvane::SoundEffect;

namespace {

// A mono 16-bit tone of the given length.
bool writeTone(const QString &path, int milliseconds) {
    const quint32 rate = 44100;
    const quint32 frames = rate * milliseconds / 1000;
    QByteArray wav;
    const auto put = [&wav](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wav.append(char((value >> (8 * i)) & 0xff));
    };
    wav.append("RIFF");
    put(36 + frames * 2, 4);
    wav.append("WAVEfmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    wav.append("data");
    put(frames * 2, 4);
    for (quint32 i = 0; i < frames; ++i)
        put(quint16(qint16(8000 * qSin(2 * M_PI * 660 * i / rate))), 2);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size();
}

// Runs a call on the sound thread through an object that lives there.
template <typename Call> void onSoundThread(Call call) {
    auto *context = new QObject;
    context->moveToThread(Orvane::sfxThread());
    QMetaObject::invokeMethod(context, [context, call] {
        call();
        delete context;
    });
}

} // namespace

class TestSoundEffect : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playingFollowsPlayback();
    void setSourceWaitsAndPlayQueues();
    void sourceChangesOnce();
    void effectsShareOneThread();
    void destroyingStopsFirst();
    void badSourcesStayIdle_data();
    void badSourcesStayIdle();
    void busyThreadDoesNotDeadlock();
    void lateUseAfterThreadIsGone();

private:
    QTemporaryDir m_dir;
    QUrl m_short;
    QUrl m_other;
    QUrl m_long;
};

void TestSoundEffect::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(writeTone(m_dir.filePath("short.wav"), 150));
    QVERIFY(writeTone(m_dir.filePath("other.wav"), 100));
    QVERIFY(writeTone(m_dir.filePath("long.wav"), 3000));
    m_short = QUrl::fromLocalFile(m_dir.filePath("short.wav"));
    m_other = QUrl::fromLocalFile(m_dir.filePath("other.wav"));
    m_long = QUrl::fromLocalFile(m_dir.filePath("long.wav"));
}

void TestSoundEffect::playingFollowsPlayback() {
    SoundEffect effect;
    // Values as they change, on the sound thread; deliveries to this thread, queued.
    std::vector<bool> values;
    std::vector<QThread *> deliveries;
    connect(
        &effect, &SoundEffect::playingChanged, &effect,
        [&] { values.push_back(effect.isPlaying()); }, Qt::DirectConnection);
    connect(&effect, &SoundEffect::playingChanged, &effect,
            [&] { deliveries.push_back(QThread::currentThread()); });
    effect.setSource(m_short);
    effect.play();
    QTRY_COMPARE_WITH_TIMEOUT(deliveries.size(), size_t(2), 5000);
    QCOMPARE(values, std::vector<bool>({true, false}));
    QCOMPARE(deliveries[0], QThread::currentThread());
    QCOMPARE(deliveries[1], QThread::currentThread());
    QVERIFY(!effect.isPlaying());

    // Playing again works the same, and stop() ends a long sound.
    effect.setSource(m_long);
    effect.play();
    QTRY_VERIFY_WITH_TIMEOUT(effect.isPlaying(), 5000);
    effect.stop();
    QTRY_VERIFY_WITH_TIMEOUT(!effect.isPlaying(), 1000);
}

void TestSoundEffect::setSourceWaitsAndPlayQueues() {
    SoundEffect effect;
    effect.setSource(m_long);
    // Timed on the sound thread, where the changes happen.
    QElapsedTimer playTime;
    std::atomic<qint64> playedFor{-1};
    connect(
        &effect, &SoundEffect::playingChanged, &effect,
        [&] {
            if (effect.isPlaying())
                playTime.start();
            else if (playTime.isValid())
                playedFor = playTime.elapsed();
        },
        Qt::DirectConnection);

    // While the sound thread is busy, setSource waits for it but play() does not.
    onSoundThread([] { QThread::msleep(300); });
    QElapsedTimer timer;
    timer.start();
    effect.setSource(m_short);
    const qint64 setSourceTime = timer.restart();
    onSoundThread([] { QThread::msleep(300); });
    effect.play();
    const qint64 playCallTime = timer.elapsed();
    QVERIFY2(setSourceTime >= 250, qPrintable(QString::number(setSourceTime)));
    QVERIFY2(playCallTime < 100, qPrintable(QString::number(playCallTime)));

    // The play queued right after the new source plays that source: the short one.
    QTRY_VERIFY_WITH_TIMEOUT(playedFor >= 0, 5000);
    QVERIFY2(playedFor < 1500, qPrintable(QString::number(playedFor.load())));
}

void TestSoundEffect::sourceChangesOnce() {
    SoundEffect effect;
    QSignalSpy spy(&effect, &SoundEffect::sourceChanged);
    effect.setSource(m_short);
    effect.setSource(m_short);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(effect.source(), m_short);
    // Qt's PulseAudio player crashes later when its stream is dropped while being set up.
    QTest::qWait(300);
    effect.setSource(QUrl());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(effect.source(), QUrl());
    QTest::qWait(100);
}

void TestSoundEffect::effectsShareOneThread() {
    // The players' thread shows on the direct connection of playingChanged. They play ten
    // at a time: Qt's PulseAudio player is fragile with many streams at once.
    std::vector<std::unique_ptr<SoundEffect>> effects;
    std::vector<QThread *> threads(100, nullptr);
    std::atomic<int> reported{0};
    for (int i = 0; i < 100; ++i) {
        effects.push_back(std::make_unique<SoundEffect>());
        SoundEffect *effect = effects.back().get();
        connect(
            effect, &SoundEffect::playingChanged, effect,
            [&threads, &reported, i, effect] {
                if (!threads[i] && effect->isPlaying()) {
                    threads[i] = QThread::currentThread();
                    ++reported;
                }
            },
            Qt::DirectConnection);
        effect->setSource(m_other);
    }
    for (int batch = 0; batch < 100; batch += 10) {
        for (int i = batch; i < batch + 10; ++i)
            effects[i]->play();
        QTRY_COMPARE_WITH_TIMEOUT(reported.load(), batch + 10, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(std::none_of(effects.begin(), effects.end(),
                                              [](const auto &e) { return e->isPlaying(); }),
                                 5000);
    }
    const QPointer<QThread> shared = threads[0];
    QVERIFY(shared);
    QVERIFY(shared != QThread::currentThread());
    QCOMPARE(shared.data(), static_cast<QThread *>(Orvane::sfxThread()));
    for (QThread *thread : threads)
        QVERIFY2(thread == shared, thread == QThread::currentThread() ? "main" : "other");

    effects.clear();
    QVERIFY(shared);
    QVERIFY(shared->isRunning());
    SoundEffect later;
    QThread *laterThread = nullptr;
    connect(
        &later, &SoundEffect::playingChanged, &later,
        [&laterThread] { laterThread = QThread::currentThread(); }, Qt::DirectConnection);
    later.setSource(m_other);
    later.play();
    QTRY_VERIFY_WITH_TIMEOUT(laterThread, 5000);
    QCOMPARE(laterThread, shared.data());
}

void TestSoundEffect::destroyingStopsFirst() {
    auto *effect = new SoundEffect;
    std::atomic<bool> stopped{false};
    effect->setSource(m_long);
    effect->play();
    QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying(), 5000);
    connect(
        effect, &SoundEffect::playingChanged, effect,
        [effect, &stopped] {
            if (!effect->isPlaying())
                stopped = true;
        },
        Qt::DirectConnection);
    QElapsedTimer timer;
    timer.start();
    delete effect;
    QVERIFY(stopped);
    // Stopped, not played to its end.
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

void TestSoundEffect::badSourcesStayIdle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << "absent.wav" << QByteArray();
    QTest::newRow("not a sound") << "text.wav" << QByteArray("this is no sound at all\n");
}

void TestSoundEffect::badSourcesStayIdle() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    if (!content.isEmpty()) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QSoundEffect.*[Ee]rror.*" + name));
    SoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(m_dir.filePath(name)));
    effect.play();
    QTest::qWait(500);
    QVERIFY(!effect.isPlaying());
}

void TestSoundEffect::busyThreadDoesNotDeadlock() {
    // The sound thread is held up, another thread's effect waits for its hand-over behind
    // that, and this thread destroys an effect meanwhile.
    SoundEffect other;
    other.setSource(m_short);
    auto *doomed = new SoundEffect;
    doomed->setSource(m_long);

    onSoundThread([] { QThread::msleep(300); });
    std::atomic<bool> handedOver{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        other.setSource(m_other);
        handedOver = true;
    }));
    worker->start();
    QThread::msleep(50);
    QElapsedTimer timer;
    timer.start();
    delete doomed;
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(worker->wait(2000));
    QVERIFY(handedOver);
    QCOMPARE(other.source(), m_other);
}

namespace {

SoundEffect *lateEffect = nullptr;
QUrl lateSource;

// Runs after the sound thread was destroyed and before Qt's own multimedia state is.
void afterSoundThread() {
    if (Orvane::sfxThread())
        std::_Exit(3);
    delete lateEffect;
    {
        SoundEffect fresh;
        fresh.play();
        fresh.stop();
    }
    std::fputs("late done\n", stdout);
    std::fflush(stdout);
    // What remains is Qt's own multimedia teardown, which is not under test here.
    std::_Exit(0);
}

int runLateCase(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    lateSource = QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2]));
    // Exit handlers run in reverse: Qt's multimedia state, then this, then the sound thread.
    static QSoundEffect first;
    first.setSource(lateSource);
    std::atexit(afterSoundThread);
    lateEffect = new SoundEffect;
    lateEffect->setSource(lateSource);
    lateEffect->play();
    return 0;
}

} // namespace

void TestSoundEffect::lateUseAfterThreadIsGone() {
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--late"), m_dir.filePath("short.wav")});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QCOMPARE(process.readAllStandardOutput(), QByteArray("late done\n"));
}

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--late") == 0)
        return runLateCase(argc, argv);
    QGuiApplication app(argc, argv);
    TestSoundEffect test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundeffect.moc"

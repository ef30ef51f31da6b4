#include "sound/sfxthread.h"
#include "sound/soundeffect.h"
#include "testenvironment.h"
#include "testprocess.h"

#include <QGuiApplication>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>

using Orvane::SoundEffect;

namespace {

bool writeTone(const QString &path, quint32 ms) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 frames = 44100 * ms / 1000;
    const QByteArray fmt = QByteArray::fromHex("57415645666d7420" // "WAVEfmt ", PCM mono 16-bit
                                               "100000000100010044ac0000885801000200100064617461");
    out.writeRawData("RIFF", 4);
    out << quint32(36 + frames * 2);
    out.writeRawData(fmt.constData(), fmt.size());
    out << quint32(frames * 2);
    for (quint32 i = 0; i < frames; ++i)
        out << qint16(8000 * qSin(2 * M_PI * 660 * i / 44100));
    return file.isOpen() && out.status() == QDataStream::Ok;
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

// Counts, from any thread, the warnings that match while it lives; others pass on.
class CaughtWarnings {
public:
    explicit CaughtWarnings(const QString &pattern)
        : m_pattern(pattern) {
        s_self = this;
        s_previous = qInstallMessageHandler(&handle);
    }
    ~CaughtWarnings() {
        qInstallMessageHandler(s_previous);
        s_self = nullptr;
    }
    int count() const { return m_count.load(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text) {
        CaughtWarnings *self = s_self;
        if (self && type == QtWarningMsg && self->m_pattern.match(text).hasMatch())
            ++self->m_count;
        else
            s_previous(type, context, text);
    }
    static inline std::atomic<CaughtWarnings *> s_self = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
    const QRegularExpression m_pattern;
    std::atomic<int> m_count{0};
};

template <typename F> void onChange(SoundEffect *effect, F f) {
    QObject::connect(
        effect, &SoundEffect::playingChanged, effect, [effect, f] { f(effect); },
        Qt::DirectConnection);
}

// Plays one sound of each type in a process of its own, the one made first first: Qt's
// sound back end is set up once per process, on the thread that first needs it. Prints
// each sound's playing changes and every warning.
int playBothTypes(bool qtFirst, const QString &file) {
    static QStringList warnings;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            warnings.append(text);
    });
    std::unique_ptr<QSoundEffect> qt;
    std::unique_ptr<SoundEffect> ours;
    for (int i = 0; i < 2; ++i) {
        if ((i == 0) == qtFirst)
            qt = std::make_unique<QSoundEffect>();
        else
            ours = std::make_unique<SoundEffect>();
    }
    QString qtChanges;
    QString ourChanges; // written on the sound thread
    QMutex ourLock;
    QObject::connect(qt.get(), &QSoundEffect::playingChanged, qt.get(),
                     [&] { qtChanges += qt->isPlaying() ? '1' : '0'; });
    onChange(ours.get(), [&](SoundEffect *e) {
        QMutexLocker locker(&ourLock);
        ourChanges += e->isPlaying() ? '1' : '0';
    });
    qt->setSource(QUrl::fromLocalFile(file));
    ours->setSource(QUrl::fromLocalFile(file));
    qt->play();
    ours->play();
    (void)QTest::qWaitFor(
        [&] {
            QMutexLocker locker(&ourLock);
            return qtChanges.size() >= 2 && ourChanges.size() >= 2;
        },
        5000);
    ours.reset();
    qt.reset();
    std::printf("qt %s ours %s\n", qPrintable(qtChanges), qPrintable(ourChanges));
    for (const QString &warning : qAsConst(warnings))
        std::printf("warning: %s\n", qPrintable(warning));
    std::fflush(stdout);
    std::_Exit(0); // Qt's own multimedia teardown is not under test.
}

SoundEffect *lateEffect = nullptr;

void afterSoundThread() { // after the sound thread is gone, before Qt's multimedia state
    if (Orvane::sfxThread())
        std::_Exit(3);
    delete lateEffect;
    auto fresh = std::make_unique<SoundEffect>();
    fresh->play();
    fresh->stop();
    fresh.reset();
    std::fputs("late done\n", stdout);
    std::fflush(stdout);
    std::_Exit(0); // Qt's own multimedia teardown is not under test.
}

} // namespace

class TestSoundEffect : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QUrl url(const char *name) { return QUrl::fromLocalFile(m_dir.filePath(name)); }

private slots:
    void initTestCase() {
        for (auto [name, ms] :
             {std::pair{"short.wav", 150}, {"other.wav", 100}, {"long.wav", 3000}})
            QVERIFY(writeTone(m_dir.filePath(name), ms));
    }

    void playingFollowsPlayback() {
        SoundEffect effect;
        std::vector<bool> values;
        std::vector<QThread *> deliveries;
        onChange(&effect, [&](SoundEffect *e) { values.push_back(e->isPlaying()); });
        connect(&effect, &SoundEffect::playingChanged, this,
                [&] { deliveries.push_back(QThread::currentThread()); });
        QSignalSpy sourceChanges(&effect, &SoundEffect::sourceChanged);
        effect.setSource(url("short.wav"));
        effect.setSource(url("short.wav"));
        QCOMPARE(sourceChanges.count(), 1);
        effect.play();
        QTRY_COMPARE_WITH_TIMEOUT(deliveries.size(), size_t(2), 5000);
        QCOMPARE(values, std::vector<bool>({true, false}));
        QCOMPARE(deliveries, std::vector<QThread *>(2, QThread::currentThread()));
    }

    void setSourceWaitsAndPlayQueues() {
        SoundEffect effect;
        std::atomic<int> started{0}, ended{0};
        onChange(&effect, [&](SoundEffect *e) { ++(e->isPlaying() ? started : ended); });
        // The sound thread serves setSource() only once this thread waits for it.
        const qint64 self = TestEnvironment::threadId();
        std::atomic<bool> calling{false}, served{false};
        holdSoundThreadUntil(
            [&] { return calling && TestEnvironment::isAsleep(self) && (served = true); });
        calling = true;
        effect.setSource(url("short.wav"));
        QVERIFY(served);
        // play() returns while the sound thread is still held, and then plays the new source.
        std::atomic<bool> played{false};
        holdSoundThreadUntil([&] { return played.load(); });
        std::unique_ptr<QThread> player(QThread::create([&] { effect.play(); }));
        player->start();
        QTRY_VERIFY(player->isFinished());
        played = true;
        QTRY_COMPARE_WITH_TIMEOUT(ended.load(), 1, 5000);
        QCOMPARE(started.load(), 1);
    }

    void effectsShareOneThread() {
        std::vector<SoundEffect> effects(100);
        std::vector<QThread *> threads(100, nullptr);
        std::atomic<int> changes{0};
        for (int i = 0; i < 100; ++i) {
            onChange(&effects[i], [&, i](SoundEffect *e) {
                if (e->isPlaying())
                    threads[i] = QThread::currentThread();
                ++changes;
            });
            effects[i].setSource(url("other.wav"));
        }
        for (SoundEffect &effect : effects)
            effect.play();
        QTRY_COMPARE_WITH_TIMEOUT(changes.load(), 200, 10000); // all started and stopped
        QVERIFY(threads[0] != QThread::currentThread());
        QCOMPARE(threads, std::vector<QThread *>(100, threads[0]));
        effects.clear();
        QCOMPARE(static_cast<QThread *>(Orvane::sfxThread()), threads[0]);
        QVERIFY(threads[0]->isRunning());
    }

    void destroyingStopsFirst() {
        auto *effect = new SoundEffect;
        std::atomic<bool> stopped{false};
        effect->setSource(url("long.wav"));
        for (auto call : {&SoundEffect::play, &SoundEffect::stop, &SoundEffect::play})
            (effect->*call)(); // a play after a stop still plays
        QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying(), 5000);
        onChange(effect, [&](SoundEffect *e) { stopped = stopped || !e->isPlaying(); });
        delete effect; // the owner hears the stop before it is gone
        QVERIFY(stopped);
    }

    void badSourcesStayIdle_data() {
        QTest::addColumn<QByteArray>("content"); // the row names the file
        QTest::newRow("absent.wav") << QByteArray();
        QTest::newRow("text.wav") << QByteArray("no sound at all\n");
    }

    void badSourcesStayIdle() {
        QFETCH(QByteArray, content);
        const QString name = QTest::currentDataTag();
        QVERIFY(content.isEmpty() || TestEnvironment::writeFile(m_dir.filePath(name), content));
        CaughtWarnings refusals("QSoundEffect.*[Ee]rror.*" + name);
        SoundEffect effect;
        effect.setSource(QUrl::fromLocalFile(m_dir.filePath(name)));
        effect.play();
        // Qt may show a play() that waits for the loading as playing until the error.
        QTRY_VERIFY_WITH_TIMEOUT(refusals.count() == 1 && !effect.isPlaying(), 5000);
    }

    void busyThreadDoesNotDeadlock() {
        SoundEffect other;
        auto *doomed = new SoundEffect;
        doomed->setSource(url("long.wav"));
        // Busy until the worker's hand-over and this thread's are both queued behind it.
        const qint64 self = TestEnvironment::threadId();
        std::atomic<qint64> workerId{0};
        std::atomic<bool> deleting{false};
        const auto waiting = [&] {
            return workerId && TestEnvironment::isAsleep(workerId) && deleting &&
                   TestEnvironment::isAsleep(self);
        };
        holdSoundThreadUntil(waiting);
        std::unique_ptr<QThread> worker(QThread::create([&] {
            workerId = TestEnvironment::threadId();
            other.setSource(url("other.wav"));
        }));
        worker->start();
        QTRY_VERIFY(workerId && TestEnvironment::isAsleep(workerId));
        deleting = true;
        delete doomed;
        QTRY_VERIFY(worker->isFinished());
        QCOMPARE(other.source(), url("other.wav"));
    }

    void bothTypesInOneProcess_data() {
        QTest::addColumn<QString>("first");
        QTest::newRow("Qt's first") << "--qt-first";
        QTest::newRow("ours first") << "--ours-first";
    }

    void bothTypesInOneProcess() {
        QFETCH(QString, first);
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(),
                      {first, m_dir.filePath("short.wav")});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray("qt 10 ours 10\n"));
    }

    void lateUseAfterThreadIsGone() {
        const TestProcess late = TestProcess::run(QCoreApplication::applicationFilePath(),
                                                  {"--late", m_dir.filePath("short.wav")});
        QVERIFY2(late.succeeded(), late.report().constData());
        QCOMPARE(late.output, QByteArray("late done\n"));
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--late") == 0) {
        QCoreApplication app(argc, argv);
        static QSoundEffect first; // exit handlers run in reverse: Qt's, ours, the thread's
        first.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2])));
        if (!QTest::qWaitFor([] { return first.status() == QSoundEffect::Ready; }, 5000))
            return 4; // Qt's loader must not be busy while the process exits
        std::atexit(afterSoundThread);
        lateEffect = new SoundEffect;
        lateEffect->setSource(first.source());
        lateEffect->play();
        return 0;
    }
    if (argc == 3 &&
        (qstrcmp(argv[1], "--qt-first") == 0 || qstrcmp(argv[1], "--ours-first") == 0)) {
        QCoreApplication app(argc, argv);
        return playBothTypes(qstrcmp(argv[1], "--qt-first") == 0, QString::fromLocal8Bit(argv[2]));
    }
    QGuiApplication app(argc, argv);
    TestSoundEffect test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundeffect.moc"

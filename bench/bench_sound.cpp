// Caller-side cost of play() and setSource() while the sound thread plays, against the floor
// of a queued call of an empty slot on another thread. Reports median and 99th percentile.
#include "sound/sfxthread.h"
#include "sound/soundeffect.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int calls = 10000;

class Sink : public QObject {
    Q_OBJECT
public slots:
    void nothing() {}
};

template <typename Call> void measure(benchmark::State &state, Call call) {
    std::vector<qint64> times(calls);
    for (auto _ : state) {
        for (int i = 0; i < calls; ++i) {
            QElapsedTimer timer;
            timer.start();
            call(i);
            times[i] = timer.nsecsElapsed();
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ns"] = double(times[calls / 2]);
    state.counters["p99_ns"] = double(times[calls * 99 / 100]);
}

QUrl sound(const char *key) {
    return QUrl::fromLocalFile(qEnvironmentVariable("ORVANE_SOUNDS_DIR") + QLatin1Char('/') +
                               QLatin1String(key) + QLatin1String(".wav"));
}

// Keeps the sound thread playing during the measurements.
Orvane::SoundEffect *background() {
    static Orvane::SoundEffect *effect = [] {
        auto *e = new Orvane::SoundEffect;
        e->setSource(sound("NotifyAlert"));
        e->play();
        return e;
    }();
    return effect;
}

void floorQueuedCall(benchmark::State &state) {
    background();
    QThread thread;
    thread.start();
    Sink sink;
    sink.moveToThread(&thread);
    measure(state,
            [&](int) { QMetaObject::invokeMethod(&sink, &Sink::nothing, Qt::QueuedConnection); });
    QMetaObject::invokeMethod(
        &sink, [&] { sink.moveToThread(QCoreApplication::instance()->thread()); },
        Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

void play(benchmark::State &state) {
    background();
    Orvane::SoundEffect effect;
    effect.setSource(sound("FeedbackClick"));
    measure(state, [&](int) { effect.play(); });
}

void setSource(benchmark::State &state) {
    background();
    Orvane::SoundEffect effect;
    const QUrl a = sound("PopupMenu");
    const QUrl b = sound("PopupPanel");
    measure(state, [&](int i) { effect.setSource(i % 2 ? a : b); });
}

} // namespace

BENCHMARK(floorQueuedCall)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(play)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(setSource)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("ORVANE_SOUNDS_DIR"))
        qputenv("ORVANE_SOUNDS_DIR", QFile::encodeName(QCoreApplication::applicationDirPath() +
                                                       QStringLiteral("/../share/orvane/sounds")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

#include "bench_sound.moc"

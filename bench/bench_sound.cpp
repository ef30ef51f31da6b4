// Caller-side cost of play(), stop() and setSource() while the sound thread plays, against the
// floor of a queued call of an empty slot on another thread. Reports median and 99th
// percentile, and both as multiples of the floor's.
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

struct Figures {
    double median = 0;
    double p99 = 0;
};

// The floor's figures, measured first, that the others are reported against.
Figures floorFigures;

template <typename Call> Figures measure(benchmark::State &state, Call call) {
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
    const Figures figures{double(times[calls / 2]), double(times[calls * 99 / 100])};
    state.counters["median_ns"] = figures.median;
    state.counters["p99_ns"] = figures.p99;
    if (floorFigures.median > 0) {
        state.counters["median_x_floor"] = figures.median / floorFigures.median;
        state.counters["p99_x_floor"] = figures.p99 / floorFigures.p99;
    }
    return figures;
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
    floorFigures = measure(state, [&](int) {
        QMetaObject::invokeMethod(&sink, &Sink::nothing, Qt::QueuedConnection);
    });
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

// A stop between plays: every call is queued, none is covered by one still waiting.
void playOrStop(benchmark::State &state) {
    background();
    Orvane::SoundEffect effect;
    effect.setSource(sound("FeedbackClick"));
    measure(state, [&](int i) { i % 2 ? effect.stop() : effect.play(); });
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
BENCHMARK(playOrStop)->Iterations(1)->Unit(benchmark::kMillisecond);
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

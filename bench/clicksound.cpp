// Click to sound: from play() to the first sample of the sound at the sound server's sink,
// heard through the sink's monitor, for the project's SoundEffect and for QtMultimedia's
// own, alternating call by call. Both are heard through the same monitor, whose own delay
// is in both figures alike. Prints one line per call: "project MILLISECONDS" or
// "floor MILLISECONDS".
// Usage: orvane-bench-clicksound CALLS
#include "sound/soundeffect.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr int kRate = 48000;
constexpr int kFrames = 48; // one millisecond a read
constexpr int kLoud = 200;

using Clock = std::chrono::steady_clock;

qint64 now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// A click: 30 ms of a 1 kHz tone, loud from the first sample.
bool writeClick(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 frames = kRate * 30 / 1000;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + frames * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(frames * 2);
    for (quint32 i = 0; i < frames; ++i)
        out << qint16(i % 48 < 24 ? 12000 : -12000);
    return out.status() == QDataStream::Ok;
}

// Reads the monitor without pause; tells when it first hears something after arm().
class Listener {
public:
    bool open() {
        const pa_sample_spec format{PA_SAMPLE_S16LE, kRate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.fragsize = kFrames * 2;
        int error = 0;
        m_stream = pa_simple_new(nullptr, "orvane-bench", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                                 "click", &format, nullptr, &attr, &error);
        if (!m_stream) {
            std::fprintf(stderr, "cannot record the monitor: %s\n", pa_strerror(error));
            return false;
        }
        m_thread = std::thread([this] { run(); });
        return true;
    }

    ~Listener() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_stream)
            pa_simple_free(m_stream);
    }

    void arm() {
        m_heard = 0;
        m_armed = true;
    }
    qint64 heard() const { return m_heard; }
    // Nanoseconds since the monitor last carried sound.
    qint64 quietFor() const { return now() - m_lastLoud; }

private:
    void run() {
        qint16 samples[kFrames];
        while (!m_stop) {
            if (pa_simple_read(m_stream, samples, sizeof samples, nullptr) < 0)
                return;
            const qint64 time = now();
            for (int i = 0; i < kFrames; ++i) {
                if (std::abs(samples[i]) < kLoud)
                    continue;
                m_lastLoud = time;
                // The read returns with its last sample: this one came that much earlier.
                if (m_armed.exchange(false))
                    m_heard = time - qint64(kFrames - i) * 1000000000 / kRate;
                break;
            }
        }
    }

    pa_simple *m_stream = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_armed{false};
    std::atomic<qint64> m_heard{0};
    std::atomic<qint64> m_lastLoud{0};
};

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    bool ok = false;
    const int calls = app.arguments().value(1).toInt(&ok);
    QTemporaryDir dir;
    if (!ok || calls <= 0) {
        std::fprintf(stderr, "usage: orvane-bench-clicksound CALLS\n");
        return 2;
    }
    const QString click = dir.filePath(QStringLiteral("click.wav"));
    Listener listener;
    if (!writeClick(click) || !listener.open())
        return 1;

    Orvane::SoundEffect project;
    QSoundEffect floor;
    project.setSource(QUrl::fromLocalFile(click));
    floor.setSource(QUrl::fromLocalFile(click));
    if (!QTest::qWaitFor([&] { return floor.status() == QSoundEffect::Ready; }, 5000)) {
        std::fprintf(stderr, "QSoundEffect cannot load the click\n");
        return 1;
    }
    std::pair<int, int> missed{0, 0};
    // One call of each first: a sound's first play sets up its stream.
    for (int i = -2; i < 2 * calls; ++i) {
        const bool ours = i % 2 == 0;
        // Start from silence, with the previous sound over.
        if (!QTest::qWaitFor(
                [&] {
                    return !project.isPlaying() && !floor.isPlaying() &&
                           listener.quietFor() > 100000000;
                },
                5000)) {
            std::fprintf(stderr, "the monitor does not fall quiet\n");
            return 1;
        }
        listener.arm();
        const qint64 start = now();
        if (ours)
            project.play();
        else
            floor.play();
        // The sound server drops a stream now and then, whichever sound it is: that call
        // is left out, and counted.
        if (!QTest::qWaitFor([&] { return listener.heard() != 0; }, 2000)) {
            ++(ours ? missed.first : missed.second);
            if (missed.first + missed.second > calls / 10 + 2) {
                std::fprintf(stderr, "too many sounds never heard at the monitor\n");
                return 1;
            }
            continue;
        }
        if (i >= 0)
            std::printf("%s %.3f\n", ours ? "project" : "floor", (listener.heard() - start) / 1e6);
        std::fflush(stdout);
    }
    std::fprintf(stderr, "never heard: %d of the project's, %d of the floor's\n", missed.first,
                 missed.second);
    return 0;
}

// Writes the default stock sounds: one short 16-bit mono WAV per key given, into a directory.
// Usage: orvane-gensounds DIRECTORY KEY...
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double pi = 3.14159265358979323846;

void putLe(std::vector<unsigned char> &out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xff));
}

// Two notes, each fading out; the step between them tells the sounds apart: rising for
// pop-ups and starts, falling for dismissals.
std::vector<std::int16_t> tone(int index) {
    const double base = 440.0 * std::pow(2.0, (index % 7) / 6.0);
    const double step = std::pow(2.0, ((index % 2) ? -5.0 : 7.0) / 12.0);
    const int noteLength = sampleRate * (60 + 10 * (index % 4)) / 1000;
    std::vector<std::int16_t> samples;
    for (int note = 0; note < 2; ++note) {
        const double frequency = note ? base * step : base;
        for (int i = 0; i < noteLength; ++i) {
            const double t = double(i) / sampleRate;
            const double envelope = std::exp(-6.0 * i / noteLength) * std::min(1.0, i / 64.0);
            samples.push_back(
                static_cast<std::int16_t>(12000.0 * envelope * std::sin(2.0 * pi * frequency * t)));
        }
    }
    return samples;
}

bool writeWav(const std::string &path, const std::vector<std::int16_t> &samples) {
    const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    const char *riff = "RIFF";
    out.insert(out.end(), riff, riff + 4);
    putLe(out, 36 + dataSize, 4);
    const char *format = "WAVEfmt ";
    out.insert(out.end(), format, format + 8);
    putLe(out, 16, 4);             // format chunk size
    putLe(out, 1, 2);              // PCM
    putLe(out, 1, 2);              // mono
    putLe(out, sampleRate, 4);     // frames per second
    putLe(out, sampleRate * 2, 4); // bytes per second
    putLe(out, 2, 2);              // bytes per frame
    putLe(out, 16, 2);             // bits per sample
    const char *data = "data";
    out.insert(out.end(), data, data + 4);
    putLe(out, dataSize, 4);
    for (std::int16_t sample : samples)
        putLe(out, static_cast<std::uint16_t>(sample), 2);

    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DIRECTORY KEY...\n", argv[0]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string path = std::string(argv[1]) + "/" + argv[i] + ".wav";
        if (!writeWav(path, tone(i - 2))) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            return 1;
        }
    }
    return 0;
}

// Writes Zettelwerk's 14 short alarm sounds as WAV files. Every sound is synthesised here from a
// few notes (pitch glide, harmonics, envelope), so the app ships no recorded audio.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double pi = 3.14159265358979323846;

struct Note {
    double start; // seconds
    double length; // seconds
    double fromHz;
    double toHz; // pitch glides linearly from fromHz to toHz
    double decay; // exponential decay per second; 0 = flat
    std::vector<double> harmonics; // amplitude of partials 1, 2, 3, ...
    double tremoloHz = 0.0;
    double noise = 0.0; // share of breath noise
};

struct Sound {
    const char* name;
    double length;
    std::vector<Note> notes;
};

const std::vector<Sound>& sounds()
{
    static const std::vector<Sound> all {
        { "Basso", 0.7, { { 0.0, 0.7, 98, 92, 4.5, { 1, 0.6, 0.45, 0.3, 0.2 } } } },
        { "Blow", 0.6, { { 0.0, 0.6, 392, 370, 3.0, { 1, 0.15 }, 5.5, 0.35 } } },
        { "Bottle", 0.4, { { 0.0, 0.4, 523, 523, 9.0, { 1, 0, 0.3, 0, 0.1 } } } },
        { "Frog", 0.5,
            { { 0.0, 0.12, 330, 210, 6, { 1, 0.5, 0.4 } }, { 0.18, 0.14, 300, 190, 6, { 1, 0.5, 0.4 } } } },
        { "Funk", 0.55,
            { { 0.0, 0.18, 220, 220, 5, { 1, 0.7, 0.5, 0.3 } },
                { 0.2, 0.35, 330, 311, 4, { 1, 0.7, 0.5, 0.3 } } } },
        { "Glass", 0.9, { { 0.0, 0.9, 1760, 1760, 5.0, { 1, 0, 0.35, 0, 0, 0.15 } } } },
        { "Hero", 0.8,
            { { 0.0, 0.2, 523, 523, 3, { 1, 0.3 } }, { 0.15, 0.2, 659, 659, 3, { 1, 0.3 } },
                { 0.3, 0.2, 784, 784, 3, { 1, 0.3 } }, { 0.45, 0.35, 1047, 1047, 4, { 1, 0.3 } } } },
        { "Morse", 0.6,
            { { 0.0, 0.08, 880, 880, 0, { 1 } }, { 0.16, 0.08, 880, 880, 0, { 1 } },
                { 0.32, 0.22, 880, 880, 0, { 1 } } } },
        { "Ping", 0.6, { { 0.0, 0.6, 1319, 1319, 7.0, { 1, 0.1 } } } },
        { "Pop", 0.12, { { 0.0, 0.12, 900, 180, 30.0, { 1, 0.2 } } } },
        { "Purr", 0.7, { { 0.0, 0.7, 220, 220, 1.5, { 1, 0.5, 0.3 }, 24.0 } } },
        { "Sosumi", 0.7,
            { { 0.0, 0.25, 784, 784, 5, { 1, 0.2, 0.2 } }, { 0.2, 0.5, 1047, 1047, 5, { 1, 0.2, 0.2 } } } },
        { "Submarine", 0.95,
            { { 0.0, 0.95, 440, 430, 3.5, { 1, 0.05 } }, { 0.3, 0.65, 440, 430, 6, { 0.35 } } } },
        { "Tink", 0.18, { { 0.0, 0.18, 2093, 2093, 22.0, { 1, 0, 0.2 } } } },
    };
    return all;
}

double render(const Note& note, double t, unsigned& seed)
{
    const double local = t - note.start;
    if (local < 0 || local >= note.length)
        return 0.0;
    // Phase of a linear glide: integral of the instantaneous frequency.
    const double slope = (note.toHz - note.fromHz) / note.length;
    const double phase = 2 * pi * (note.fromHz * local + 0.5 * slope * local * local);
    double value = 0.0;
    for (size_t h = 0; h < note.harmonics.size(); ++h)
        value += note.harmonics[h] * std::sin(phase * static_cast<double>(h + 1));
    if (note.noise > 0) {
        seed = seed * 1664525u + 1013904223u;
        value = value * (1 - note.noise) + note.noise * ((seed >> 8) / double(1 << 24) * 2 - 1);
    }
    const double attack = std::min(1.0, local / 0.005);
    const double release = std::min(1.0, (note.length - local) / 0.02);
    double envelope = attack * release * std::exp(-note.decay * local);
    if (note.tremoloHz > 0)
        envelope *= 0.6 + 0.4 * std::sin(2 * pi * note.tremoloHz * local);
    return value * envelope;
}

void put16(std::FILE* f, uint16_t v)
{
    std::fputc(v & 0xFF, f);
    std::fputc(v >> 8, f);
}

void put32(std::FILE* f, uint32_t v)
{
    put16(f, v & 0xFFFF);
    put16(f, v >> 16);
}

bool write(const Sound& sound, const std::string& directory)
{
    const int count = static_cast<int>(sound.length * sampleRate);
    std::vector<double> samples(static_cast<size_t>(count));
    unsigned seed = 12345;
    double peak = 1e-9;
    for (int i = 0; i < count; ++i) {
        const double t = i / double(sampleRate);
        double value = 0.0;
        for (const Note& note : sound.notes)
            value += render(note, t, seed);
        samples[static_cast<size_t>(i)] = value;
        peak = std::max(peak, std::abs(value));
    }

    const std::string path = directory + "/" + sound.name + ".wav";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const uint32_t dataBytes = static_cast<uint32_t>(count) * 2;
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, sampleRate);
    put32(f, sampleRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (const double value : samples)
        put16(f, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value / peak * 0.7 * 32767))));
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 1;
    }
    for (const Sound& sound : sounds()) {
        if (!write(sound, argv[1])) {
            std::fprintf(stderr, "cannot write %s\n", sound.name);
            return 1;
        }
    }
    return 0;
}

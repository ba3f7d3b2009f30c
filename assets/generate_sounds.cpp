// Synthesises the game's five wave files: a wooden click for a piece put down, a low buzz for
// a refusal, a soft chime for the version message, a calm looping piece in the Japanese yo
// scale for the background music, and a short bright tick for each of the last ten seconds of a
// byoyomi. Usage: generate_sounds <output folder>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Signal = std::vector<double>;

bool writeWave(const std::string& path, const Signal& s, double peak) {
    double max = 1e-9;
    for (double v : s) max = std::max(max, std::fabs(v));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    auto u32 = [&](std::uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [&](std::uint16_t v) { std::fwrite(&v, 2, 1, f); };
    const std::uint32_t bytes = static_cast<std::uint32_t>(s.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2); // bytes per second
    u16(2);         // bytes per frame
    u16(16);        // bits
    std::fwrite("data", 1, 4, f);
    u32(bytes);
    for (double v : s) {
        const auto sample = static_cast<std::int16_t>(std::lround(v / max * peak * 32767));
        std::fwrite(&sample, 2, 1, f);
    }
    return std::fclose(f) == 0;
}

Signal pieceClick() {
    Signal s(static_cast<std::size_t>(0.12 * kRate));
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-1, 1);
    double lp = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        // The strike: a burst of noise, softened, then the wood's two resonances.
        lp += 0.35 * (noise(rng) * std::exp(-t / 0.004) - lp);
        const double knock = std::sin(2 * kPi * 190 * t) * std::exp(-t / 0.028);
        const double body = 0.6 * std::sin(2 * kPi * 1150 * t) * std::exp(-t / 0.012);
        s[i] = 1.2 * lp + knock + body;
    }
    return s;
}

Signal forbiddenBuzz() {
    Signal s(static_cast<std::size_t>(0.3 * kRate));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / 0.01) * std::min(1.0, (0.3 - t) / 0.05);
        double v = 0;
        for (int h = 1; h <= 7; ++h) v += std::sin(2 * kPi * 98 * h * t) / h;
        s[i] = env * v;
    }
    return s;
}

Signal chime() {
    Signal s(static_cast<std::size_t>(1.4 * kRate));
    const double notes[2][2] = {{0.0, 1046.5}, {0.14, 1318.5}};
    for (const auto& n : notes)
        for (std::size_t i = static_cast<std::size_t>(n[0] * kRate); i < s.size(); ++i) {
            const double t = static_cast<double>(i) / kRate - n[0];
            const double env = std::min(1.0, t / 0.005) * std::exp(-t / 0.35);
            s[i] +=
                env * (std::sin(2 * kPi * n[1] * t) + 0.3 * std::sin(2 * kPi * 2.76 * n[1] * t));
        }
    return s;
}

// A short, bright tick that cuts through the music without startling: a high wooden block
// (two inharmonic partials) struck and damped within a tenth of a second.
Signal byoyomiTick() {
    Signal s(static_cast<std::size_t>(0.09 * kRate));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.018);
        s[i] = env * (std::sin(2 * kPi * 1760 * t) + 0.45 * std::sin(2 * kPi * 4310 * t));
    }
    return s;
}

// A plucked string (Karplus-Strong) added into `out` from sample `start`, wrapping around the
// end so that the piece loops seamlessly.
void pluck(Signal& out, std::size_t start, double frequency, double gain, std::mt19937& rng) {
    const std::size_t period = static_cast<std::size_t>(kRate / frequency);
    std::uniform_real_distribution<double> noise(-1, 1);
    std::vector<double> ring(period);
    for (double& v : ring) v = noise(rng);
    const std::size_t length = static_cast<std::size_t>(3.5 * kRate);
    std::size_t at = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t next = (at + 1) % period;
        const double v = ring[at];
        ring[at] = 0.996 * 0.5 * (ring[at] + ring[next]);
        at = next;
        out[(start + i) % out.size()] += gain * v;
    }
}

Signal music() {
    // 16 bars of 4 beats at 60 beats a minute: 64 s that loop without a seam.
    const double beat = 1.0;
    // Every note starts a little after its beat, so that the loop point falls where the strings
    // only ring on: the end runs into the start without a jump.
    const double kLead = 0.25;
    const int bars = 16;
    Signal s(static_cast<std::size_t>(bars * 4 * beat * kRate), 0.0);
    // The yo scale on D: D E G A B, over two octaves and a half.
    const double scale[] = {146.83, 164.81, 196.00, 220.00, 246.94, 293.66,
                            329.63, 392.00, 440.00, 493.88, 587.33, 659.26};
    // A phrase of degrees (-1 is a rest), two beats for the longer notes.
    const int phrase[4][8] = {{5, 6, 8, -1, 7, 6, 5, -1},
                              {4, 5, 6, 5, 3, -1, 2, -1},
                              {5, 7, 8, 9, 8, 7, 6, -1},
                              {5, 4, 2, 3, 1, -1, 0, -1}};
    std::mt19937 rng(2024);
    for (int bar = 0; bar < bars; ++bar) {
        const auto& line = phrase[bar % 4];
        const int lift = (bar / 4) % 2 == 1 ? 1 : 0; // the second time a little higher
        for (int n = 0; n < 8; ++n) {
            if (line[n] < 0) continue;
            const std::size_t at =
                static_cast<std::size_t>((bar * 4 + n * 0.5 + kLead) * beat * kRate);
            const int degree = std::min(11, line[n] + (n % 2 == 0 ? lift : 0));
            pluck(s, at, scale[degree], 0.5, rng);
        }
        // A low open fifth on the first beat of every bar.
        const std::size_t at = static_cast<std::size_t>((bar * 4 + kLead) * beat * kRate);
        pluck(s, at, scale[0] / 2, 0.35, rng);
        pluck(s, at + kRate / 20, scale[3] / 2, 0.25, rng);
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_sounds <output folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = writeWave(dir + "/駒打音.wav", pieceClick(), 0.9) &&
                    writeWave(dir + "/禁止.wav", forbiddenBuzz(), 0.6) &&
                    writeWave(dir + "/その他.wav", chime(), 0.6) &&
                    writeWave(dir + "/BGM.wav", music(), 0.45) &&
                    writeWave(dir + "/秒読み.wav", byoyomiTick(), 0.7);
    return ok ? 0 : 1;
}

// Synthesises the dice-shake rattle played by the game and writes it as a 16-bit mono PCM WAV.
//
// Usage: ShakeSoundGenerator <output.wav>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kDurationSeconds = 1.1;
constexpr double kPeakDbfs = -3.0;
constexpr std::uint32_t kSeed = 529816;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// std::uniform_real_distribution is implementation-defined, so it would make the output differ
// between standard libraries; mt19937 itself is fully specified, so the mapping is done here.
class Random {
  public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    double unit() { return static_cast<double>(engine_() >> 8) * (1.0 / 16777216.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    double bipolar() { return range(-1.0, 1.0); }
    bool chance(double probability) { return unit() < probability; }

  private:
    std::mt19937 engine_;
};

// Band-pass biquad (constant 0 dB peak gain), used to colour the white noise of each impact.
class BandPass {
  public:
    BandPass(double centreHz, double q) {
        const double w0 = kTwoPi * centreHz / kSampleRate;
        const double alpha = std::sin(w0) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        b0_ = alpha / a0;
        b2_ = -alpha / a0;
        a1_ = -2.0 * std::cos(w0) / a0;
        a2_ = (1.0 - alpha) / a0;
    }

    double process(double x) {
        const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

  private:
    double b0_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

class OnePoleLowPass {
  public:
    explicit OnePoleLowPass(double cutoffHz)
        : coefficient_(1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate)) {}

    double process(double x) {
        state_ += coefficient_ * (x - state_);
        return state_;
    }

  private:
    double coefficient_;
    double state_ = 0.0;
};

// How vigorously the cup is being shaken at time t: quiet at both ends, busiest a little
// before the middle, as a real shake starts hard and trails off.
double shakeIntensity(double t) {
    const double u = std::clamp(t / kDurationSeconds, 0.0, 1.0);
    const double warped = std::pow(u, 0.85);
    return std::pow(std::sin(std::numbers::pi * warped), 1.6);
}

std::size_t toSample(double seconds) {
    return static_cast<std::size_t>(std::max(0.0, std::round(seconds * kSampleRate)));
}

// One die striking the cup or another die: a short burst of band-limited noise for the
// contact, a few damped modes in the 2-5 kHz range for the hard "clack", and sometimes a
// lower knock from the cup wall.
void addImpact(std::vector<double>& out, std::size_t start, double gain, Random& rng) {
    struct Mode {
        double frequency;
        double decay;
        double amplitude;
        double phase;
    };

    const int modeCount = 2 + static_cast<int>(rng.unit() * 3.0);
    std::vector<Mode> modes;
    modes.reserve(static_cast<std::size_t>(modeCount) + 1);
    for (int i = 0; i < modeCount; ++i) {
        modes.push_back({rng.range(2000.0, 5000.0), rng.range(0.003, 0.009), rng.range(0.25, 0.6),
                         rng.range(0.0, kTwoPi)});
    }
    if (rng.chance(0.35)) {
        modes.push_back({rng.range(700.0, 1300.0), rng.range(0.002, 0.005), rng.range(0.3, 0.6),
                         rng.range(0.0, kTwoPi)});
    }

    // Separate statements: the order in which function arguments are evaluated is unspecified,
    // and drawing them in one call would make the output depend on the compiler.
    const double noiseCentre = rng.range(2500.0, 7000.0);
    const double noiseQ = rng.range(0.8, 2.0);
    BandPass noiseFilter(noiseCentre, noiseQ);
    const double noiseDecay = rng.range(0.0008, 0.0025);
    const double noiseLevel = rng.range(1.2, 2.2);

    // An instantaneous onset gives a harsh digital tick; a quarter-millisecond rise keeps the
    // click crisp without it.
    constexpr double kAttackSeconds = 0.00025;
    const std::size_t length = toSample(0.045);

    for (std::size_t n = 0; n < length && start + n < out.size(); ++n) {
        const double t = static_cast<double>(n) / kSampleRate;
        const double attack =
            t < kAttackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / kAttackSeconds) : 1.0;

        double sample = noiseLevel * noiseFilter.process(rng.bipolar()) * std::exp(-t / noiseDecay);
        for (const Mode& mode : modes) {
            sample += mode.amplitude * std::exp(-t / mode.decay) *
                      std::sin(kTwoPi * mode.frequency * t + mode.phase);
        }
        out[start + n] += gain * attack * sample;
    }
}

// The hand moves the cup back and forth a few times a second; each stroke throws the dice
// against the wall in a cluster of hits, with stray hits in between.
std::vector<double> scheduleStrokes(Random& rng) {
    std::vector<double> strokes;
    for (double t = 0.03; t < kDurationSeconds - 0.06; t += rng.range(0.095, 0.14)) {
        strokes.push_back(t);
    }
    return strokes;
}

void addRattle(std::vector<double>& out, const std::vector<double>& strokes, Random& rng) {
    for (std::size_t s = 0; s < strokes.size(); ++s) {
        const double strokeStart = strokes[s];
        const double strokeEnd = s + 1 < strokes.size() ? strokes[s + 1] : kDurationSeconds;
        const double intensity = shakeIntensity(strokeStart);

        const int hits = 1 + static_cast<int>(std::round(intensity * rng.range(3.0, 7.0)));
        for (int h = 0; h < hits; ++h) {
            // Hits bunch up just after the stroke turns round.
            const double t = strokeStart + 0.07 * std::pow(rng.unit(), 1.6);
            const double gain = std::pow(shakeIntensity(t), 0.8) * rng.range(0.35, 1.0);
            addImpact(out, toSample(t), gain, rng);
        }

        const int strays =
            rng.chance(0.3 + intensity * 0.7) ? 1 + static_cast<int>(rng.unit() * 3.0) : 0;
        for (int h = 0; h < strays; ++h) {
            const double t = rng.range(strokeStart, strokeEnd);
            const double gain = std::pow(shakeIntensity(t), 0.8) * rng.range(0.15, 0.5);
            addImpact(out, toSample(t), gain, rng);
        }
    }
}

// Dice sliding and the cup moving in the hand: low-passed noise that swells with each stroke.
void addRumble(std::vector<double>& out, const std::vector<double>& strokes, Random& rng) {
    OnePoleLowPass first(160.0);
    OnePoleLowPass second(160.0);
    constexpr double kLevel = 0.8;
    constexpr double kStrokeDecaySeconds = 0.05;

    std::size_t nextStroke = 0;
    double lastStroke = -1.0;
    for (std::size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / kSampleRate;
        while (nextStroke < strokes.size() && strokes[nextStroke] <= t) {
            lastStroke = strokes[nextStroke++];
        }
        const double swell =
            lastStroke < 0.0 ? 0.0 : std::exp(-(t - lastStroke) / kStrokeDecaySeconds);
        const double noise = second.process(first.process(rng.bipolar()));
        out[n] += kLevel * shakeIntensity(t) * (0.4 + 0.6 * swell) * noise;
    }
}

void removeDcOffset(std::vector<double>& samples) {
    const double r = std::exp(-kTwoPi * 30.0 / kSampleRate);
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (double& sample : samples) {
        const double y = sample - previousIn + r * previousOut;
        previousIn = sample;
        previousOut = y;
        sample = y;
    }
}

void applyFades(std::vector<double>& samples) {
    const std::size_t fadeIn = std::min(toSample(0.012), samples.size());
    const std::size_t fadeOut = std::min(toSample(0.09), samples.size());
    for (std::size_t n = 0; n < fadeIn; ++n) {
        samples[n] *= 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(n) /
                                           static_cast<double>(fadeIn));
    }
    for (std::size_t n = 0; n < fadeOut; ++n) {
        const std::size_t index = samples.size() - 1 - n;
        samples[index] *= 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(n) /
                                               static_cast<double>(fadeOut));
    }
}

std::vector<std::int16_t> toPcm16(const std::vector<double>& samples) {
    double peak = 0.0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    const double target = 32767.0 * std::pow(10.0, kPeakDbfs / 20.0);
    const double scale = peak > 0.0 ? target / peak : 0.0;

    std::vector<std::int16_t> pcm;
    pcm.reserve(samples.size());
    for (double sample : samples) {
        const double value = std::clamp(std::round(sample * scale), -32768.0, 32767.0);
        pcm.push_back(static_cast<std::int16_t>(value));
    }
    return pcm;
}

std::vector<std::int16_t> synthesiseShake() {
    Random rng(kSeed);
    std::vector<double> samples(toSample(kDurationSeconds), 0.0);
    const std::vector<double> strokes = scheduleStrokes(rng);
    addRattle(samples, strokes, rng);
    addRumble(samples, strokes, rng);
    removeDcOffset(samples);
    applyFades(samples);
    return toPcm16(samples);
}

void appendLe(std::string& bytes, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// Canonical 44-byte RIFF header followed by the samples, written little-endian regardless of
// the host byte order.
std::string encodeWav(const std::vector<std::int16_t>& pcm) {
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBitsPerSample = 16;
    constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * kBlockAlign);

    std::string bytes;
    bytes.reserve(44 + dataBytes);
    bytes += "RIFF";
    appendLe(bytes, 36 + dataBytes, 4);
    bytes += "WAVE";
    bytes += "fmt ";
    appendLe(bytes, 16, 4);
    appendLe(bytes, 1, 2);  // WAVE_FORMAT_PCM
    appendLe(bytes, kChannels, 2);
    appendLe(bytes, kSampleRate, 4);
    appendLe(bytes, kSampleRate * kBlockAlign, 4);
    appendLe(bytes, kBlockAlign, 2);
    appendLe(bytes, kBitsPerSample, 2);
    bytes += "data";
    appendLe(bytes, dataBytes, 4);
    for (std::int16_t sample : pcm) {
        appendLe(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    return bytes;
}

bool writeFile(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
    if (path.has_parent_path()) {
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            error = "cannot create directory " + path.parent_path().string() + ": " + ec.message();
            return false;
        }
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = "cannot open " + path.string() + " for writing";
        return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        error = "failed while writing " + path.string();
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "ShakeSoundGenerator") << " <output.wav>\n";
        return 2;
    }

    const std::string wav = encodeWav(synthesiseShake());
    std::string error;
    if (!writeFile(argv[1], wav, error)) {
        std::cerr << "ShakeSoundGenerator: " << error << '\n';
        return 1;
    }
    return 0;
}

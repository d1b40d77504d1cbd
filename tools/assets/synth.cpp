#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <sndfile.h>

namespace synth {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

Samples silence(double seconds)
{
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.0f);
}

// White noise from raw mt19937 output, the same on every standard library.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_engine(seed) {}
    double next() { return m_engine() / 2147483647.5 - 1.0; }

private:
    std::mt19937 m_engine;
};

// One-pole low-pass; cutoff in Hz may change per sample.
class LowPass {
public:
    double step(double in, double cutoff)
    {
        const double a = 1.0 - std::exp(-2.0 * kPi * cutoff / kRate);
        m_state += a * (in - m_state);
        return m_state;
    }

private:
    double m_state = 0;
};

void normalise(Samples& samples, float peak)
{
    float highest = 0;
    for (float s : samples) {
        highest = std::max(highest, std::fabs(s));
    }
    if (highest > 0) {
        for (float& s : samples) {
            s *= peak / highest;
        }
    }
}

// A burst: filtered noise falling in brightness over a pitched thump.
Samples burst(double seconds, double brightFrom, double brightTo, double thumpFrom, double thumpTo, double decay,
              std::uint32_t seed)
{
    Samples out = silence(seconds);
    Noise noise(seed);
    LowPass filter;
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        const double k = t / seconds;
        const double cutoff = brightFrom * std::pow(brightTo / brightFrom, k);
        const double crackle = filter.step(noise.next(), cutoff) * std::exp(-t / decay);
        phase += 2 * kPi * (thumpFrom * std::pow(thumpTo / thumpFrom, k)) / kRate;
        const double thump = std::sin(phase) * std::exp(-t / (decay * 1.4));
        const double attack = std::min(1.0, t / 0.002);
        out[i] = static_cast<float>(attack * (1.6 * crackle + 0.8 * thump));
    }
    normalise(out, 0.9f);
    return out;
}

// Adds a note: odd harmonics for a bright brass-like tone, with an envelope
// and, for long notes, a gentle vibrato.
void addNote(Samples& out, double start, double length, double frequency, double level, bool vibrato = false)
{
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    double phase = 0;
    for (std::size_t n = 0; n < count && first + n < out.size(); ++n) {
        const double t = n / kRate;
        const double wobble = vibrato ? 1.0 + 0.006 * std::sin(2 * kPi * 5.5 * t) * std::min(1.0, t / 0.2) : 1.0;
        phase += 2 * kPi * frequency * wobble / kRate;
        const double tone = std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 6;
        const double attack = std::min(1.0, t / 0.012);
        const double release = std::min(1.0, (length - t) / 0.05);
        out[first + n] += static_cast<float>(level * tone * attack * release * (0.75 + 0.25 * std::exp(-t / 0.15)));
    }
}

} // namespace

Samples playerBurst()
{
    return burst(0.45, 9000, 400, 180, 45, 0.09, 11);
}

Samples cpuBurst()
{
    Samples out = burst(0.5, 3500, 200, 120, 35, 0.12, 23);
    // A short falling zap marks the opponent's take.
    double phase = 0;
    for (std::size_t i = 0; i < out.size() && i < static_cast<std::size_t>(0.18 * kRate); ++i) {
        const double t = i / kRate;
        phase += 2 * kPi * (900 * std::pow(200.0 / 900.0, t / 0.18)) / kRate;
        out[i] += static_cast<float>(0.18 * (std::sin(phase) > 0 ? 1 : -1) * std::exp(-t / 0.06));
    }
    normalise(out, 0.9f);
    return out;
}

Samples fanfare()
{
    Samples out = silence(1.35);
    const double c5 = 523.25, e5 = 659.25, g5 = 783.99, c6 = 1046.5;
    addNote(out, 0.00, 0.11, c5, 0.5);
    addNote(out, 0.12, 0.11, e5, 0.5);
    addNote(out, 0.24, 0.11, g5, 0.5);
    addNote(out, 0.36, 0.95, c6, 0.5, true);
    addNote(out, 0.36, 0.95, g5, 0.22, true);
    addNote(out, 0.36, 0.95, e5, 0.18, true);
    normalise(out, 0.8f);
    return out;
}

Samples lostJingle()
{
    Samples out = silence(1.85);
    const double notes[] = {392.0, 369.99, 349.23, 329.63};
    const double starts[] = {0.0, 0.3, 0.6, 0.9};
    const double lengths[] = {0.27, 0.27, 0.27, 0.9};
    LowPass wah;
    for (int k = 0; k < 4; ++k) {
        Samples note = silence(lengths[k]);
        double phase = 0;
        for (std::size_t n = 0; n < note.size(); ++n) {
            const double t = n / kRate;
            const double wobble = k == 3 ? 1.0 + 0.012 * std::sin(2 * kPi * 6 * t) : 1.0;
            phase += notes[k] * wobble / kRate;
            const double saw = 2 * (phase - std::floor(phase + 0.5));
            // The "wah": the filter opens and closes over each note.
            const double cutoff = 300 + 2200 * std::sin(kPi * std::min(1.0, t / lengths[k]));
            const double envelope = std::min(1.0, t / 0.02) * std::min(1.0, (lengths[k] - t) / 0.06);
            note[n] = static_cast<float>(wah.step(saw, cutoff) * envelope);
        }
        const auto first = static_cast<std::size_t>(starts[k] * kRate);
        for (std::size_t n = 0; n < note.size() && first + n < out.size(); ++n) {
            out[first + n] += note[n];
        }
    }
    normalise(out, 0.8f);
    return out;
}

bool writeWav(const std::string& path, const Samples& samples, std::string* error)
{
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        if (error) {
            *error = sf_strerror(nullptr);
        }
        return false;
    }
    const sf_count_t written = sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    const bool ok = written == static_cast<sf_count_t>(samples.size());
    if (!ok && error) {
        *error = sf_strerror(file);
    }
    sf_close(file);
    return ok;
}

} // namespace synth

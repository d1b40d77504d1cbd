#include "synth.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {

double peak(const synth::Samples& s)
{
    double highest = 0;
    for (float v : s) {
        highest = std::max(highest, double(std::fabs(v)));
    }
    return highest;
}

// Root mean square over a window, to tell sound from silence.
double loudness(const synth::Samples& s, double from, double to)
{
    double sum = 0;
    std::size_t n = 0;
    for (auto i = std::size_t(from * synth::kSampleRate); i < std::size_t(to * synth::kSampleRate) && i < s.size(); ++i, ++n) {
        sum += s[i] * s[i];
    }
    return n ? std::sqrt(sum / n) : 0;
}

} // namespace

TEST(Sounds, ShortLoudAtOnceAndFadingOut)
{
    const synth::Samples sounds[] = {synth::playerBurst(), synth::cpuBurst(), synth::fanfare(), synth::lostJingle()};
    for (const auto& s : sounds) {
        const double seconds = double(s.size()) / synth::kSampleRate;
        EXPECT_GT(seconds, 0.3);
        EXPECT_LT(seconds, 2.0); // never long enough to hold up the next word
        EXPECT_LE(peak(s), 0.91);
        EXPECT_GT(loudness(s, 0, 0.05), 0.05);                 // starts at once
        EXPECT_LT(loudness(s, seconds - 0.02, seconds), 0.05); // ends without a click
    }
    // The two bursts differ, so the player hears who took the word.
    EXPECT_NE(synth::playerBurst(), synth::cpuBurst());
    EXPECT_EQ(synth::playerBurst(), synth::playerBurst());
}

TEST(Sounds, WavFilesReadBack)
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/Boom.wav")).toStdString();
    const synth::Samples samples = synth::playerBurst();
    std::string error;
    ASSERT_TRUE(synth::writeWav(path, samples, &error)) << error;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.frames, sf_count_t(samples.size()));
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    sf_close(file);
    EXPECT_FALSE(synth::writeWav(dir.path().toStdString() + "/no/such/folder/x.wav", samples, &error));
}

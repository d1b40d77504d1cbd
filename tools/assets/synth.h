#pragma once

#include <string>
#include <vector>

// The game's sounds, synthesised: mono samples in [-1, 1] at kSampleRate.
namespace synth {
constexpr int kSampleRate = 44100;
using Samples = std::vector<float>;

Samples playerBurst();  // a bright pop for a word the player took
Samples cpuBurst();     // a darker thud with a falling zap for the CPU's word
Samples fanfare();      // a new best time or a won battle
Samples lostJingle();   // a lost battle: four falling notes

// Writes 16-bit PCM WAV; false and a reason when the file cannot be written.
bool writeWav(const std::string& path, const Samples& samples, std::string* error);
} // namespace synth

// Synthesises the program's four interface sounds as 16-bit PCM mono WAV
// files at 44100 Hz: `make_sounds OUTDIR` writes OUTDIR/sounds/*.wav.
// Every tone is built from sines with smooth envelopes and a short fade at
// both ends, so nothing clicks and nothing aliases.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "foundation/resources.h"

namespace {

constexpr int kRate = 44100;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

Samples Silence(double seconds) {
  return Samples(static_cast<std::size_t>(std::lround(seconds * kRate)), 0.0);
}

// A struck tone: fast attack, exponential decay and a short release so it
// ends without a click; `overtone` adds a little of the octave for a
// brighter, bell-like colour.
void AddTone(Samples& out, double startSeconds, double seconds, double frequency, double amplitude,
             double decayPerSecond, double overtone) {
  std::size_t start = static_cast<std::size_t>(std::lround(startSeconds * kRate));
  std::size_t count = static_cast<std::size_t>(std::lround(seconds * kRate));
  const double attack = 0.004;
  const double release = 0.006;
  for (std::size_t n = 0; n < count && start + n < out.size(); ++n) {
    double t = static_cast<double>(n) / kRate;
    double left = static_cast<double>(count - n) / kRate;
    double envelope =
        std::min(1.0, t / attack) * std::min(1.0, left / release) * std::exp(-decayPerSecond * t);
    double wave =
        std::sin(kTwoPi * frequency * t) + overtone * std::sin(kTwoPi * 2 * frequency * t);
    out[start + n] += amplitude * envelope * wave / (1.0 + overtone);
  }
}

// A band-limited buzz: the harmonics of a sawtooth below 5 kHz with a slow
// tremolo, which reads as "wrong" without being harsh.
void AddBuzz(Samples& out, double frequency, double amplitude) {
  for (std::size_t n = 0; n < out.size(); ++n) {
    double t = static_cast<double>(n) / kRate;
    double wave = 0.0;
    for (int k = 1; k * frequency < 5000.0; ++k) {
      wave += std::sin(kTwoPi * k * frequency * t) / k;
    }
    double tremolo = 0.85 + 0.15 * std::cos(kTwoPi * 12.0 * t);
    out[n] += amplitude * tremolo * wave * (2.0 / std::numbers::pi) * 0.75;
  }
}

// Raised-cosine fades at both ends.
void Fade(Samples& out, double inSeconds, double outSeconds) {
  std::size_t in = static_cast<std::size_t>(inSeconds * kRate);
  std::size_t tail = static_cast<std::size_t>(outSeconds * kRate);
  for (std::size_t n = 0; n < out.size(); ++n) {
    double gain = 1.0;
    if (n < in) gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(n) / in);
    std::size_t fromEnd = out.size() - 1 - n;
    if (fromEnd < tail) {
      gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(fromEnd) / tail);
    }
    out[n] *= gain;
  }
}

void Put16(std::ofstream& file, std::uint16_t value) {
  char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  file.write(bytes, 2);
}

void Put32(std::ofstream& file, std::uint32_t value) {
  Put16(file, static_cast<std::uint16_t>(value & 0xFFFF));
  Put16(file, static_cast<std::uint16_t>(value >> 16));
}

bool WriteWav(const std::filesystem::path& path, const Samples& samples) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  file.write("RIFF", 4);
  Put32(file, 36 + dataBytes);
  file.write("WAVE", 4);
  file.write("fmt ", 4);
  Put32(file, 16);
  Put16(file, 1);  // PCM
  Put16(file, 1);  // mono
  Put32(file, kRate);
  Put32(file, kRate * 2);  // bytes per second
  Put16(file, 2);          // bytes per frame
  Put16(file, 16);         // bits per sample
  file.write("data", 4);
  Put32(file, dataBytes);
  for (double sample : samples) {
    double clipped = std::clamp(sample, -1.0, 1.0);
    Put16(file,
          static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clipped * 32767.0))));
  }
  return static_cast<bool>(file);
}

// A short, crisp tick that confirms one captured signature.
Samples CaptureSignature() {
  Samples out = Silence(0.080);
  AddTone(out, 0.0, 0.080, 1975.5, 0.55, 45.0, 0.25);
  Fade(out, 0.002, 0.010);
  return out;
}

// Three rising notes (C6, E6, G6) ringing into each other: the run is done.
Samples CaptureComplete() {
  Samples out = Silence(0.520);
  const double notes[3] = {1046.5, 1318.5, 1568.0};
  for (int i = 0; i < 3; ++i) {
    AddTone(out, 0.120 * i, 0.520 - 0.120 * i, notes[i], 0.38, 9.0, 0.18);
  }
  Fade(out, 0.002, 0.040);
  return out;
}

// Two quick high beeps, the second a fourth above the first: a pass.
Samples TestGood() {
  Samples out = Silence(0.200);
  AddTone(out, 0.0, 0.075, 1568.0, 0.5, 18.0, 0.12);
  AddTone(out, 0.105, 0.095, 2093.0, 0.5, 18.0, 0.12);
  Fade(out, 0.002, 0.015);
  return out;
}

// A low, slightly throbbing buzz: a fail.
Samples TestBad() {
  Samples out = Silence(0.400);
  AddBuzz(out, 155.0, 0.45);
  Fade(out, 0.010, 0.040);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds OUTDIR\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  std::error_code error;
  std::filesystem::create_directories(root / "sounds", error);
  if (error) {
    std::fprintf(stderr, "make_sounds: cannot create %s\n", (root / "sounds").c_str());
    return 1;
  }
  using vanto::SoundId;
  const struct {
    SoundId id;
    Samples samples;
  } sounds[] = {
      {SoundId::CaptureSignature, CaptureSignature()},
      {SoundId::CaptureComplete, CaptureComplete()},
      {SoundId::TestGood, TestGood()},
      {SoundId::TestBad, TestBad()},
  };
  for (const auto& sound : sounds) {
    std::filesystem::path path = root / vanto::SoundPath(sound.id);
    if (!WriteWav(path, sound.samples)) {
      std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

// Measuring rendered sound in the tests, and scratch files to feed the
// players junk with.
#pragma once

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/synth_mixer.h"

namespace sound_checks {

// Where the build puts the game's music (beside the executable).
inline const std::string kMusicFile = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid";
inline const std::string kSoundFile = std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav";

constexpr int kRate = platform::SoundFontSynth::kSampleRate;

// Interleaved stereo, in device-sized blocks as a device would ask for them.
inline std::vector<float> Render(platform::SynthMixer& mixer, double seconds) {
  constexpr int kBlock = 1024;
  const auto frames = static_cast<std::size_t>(seconds * kRate);
  std::vector<float> sound(frames * 2);
  for (std::size_t at = 0; at < frames; at += kBlock) {
    mixer.Render(sound.data() + at * 2, static_cast<int>(std::min<std::size_t>(kBlock, frames - at)));
  }
  return sound;
}

inline double Rms(const std::vector<float>& sound) {
  double sum = 0;
  for (const float sample : sound) sum += static_cast<double>(sample) * sample;
  return sound.empty() ? 0 : std::sqrt(sum / static_cast<double>(sound.size()));
}

inline float Peak(const std::vector<float>& sound) {
  float peak = 0;
  for (const float sample : sound) peak = std::max(peak, std::abs(sample));
  return peak;
}

inline double Decibels(double level) { return 20 * std::log10(std::max(level, 1e-12)); }

// The end of the last tenth of a second louder than -50 dBFS.
inline double AudibleSeconds(const std::vector<float>& sound) {
  constexpr std::size_t kWindow = kRate / 10 * 2;
  double end = 0;
  for (std::size_t at = 0; at + kWindow <= sound.size(); at += kWindow) {
    const std::vector<float> window(sound.begin() + static_cast<std::ptrdiff_t>(at),
                                    sound.begin() + static_cast<std::ptrdiff_t>(at + kWindow));
    if (Decibels(Rms(window)) > -50) end = static_cast<double>(at + kWindow) / 2 / kRate;
  }
  return end;
}

// A directory of its own for one test, removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    static int made = 0;
    path_ = (std::filesystem::temp_directory_path() /
             ("mascot-sound-" + std::to_string(::getpid()) + "-" + std::to_string(++made)))
                .string();
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }

  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string file = path_ + "/" + name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

 private:
  std::string path_;
};

}  // namespace sound_checks

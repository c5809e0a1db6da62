// The game's real music and sound: songs through a General MIDI synthesizer
// (fluidsynth), the wave beside them, both mixed into one SDL2 audio device.
// Linked into the app only.
//
// fluidsynth and SDL2 are driven directly rather than through SDL2_mixer:
// the mixer resumes a halted song where it stopped unless it is freed and
// reloaded, and reloads the soundfont with every song, while here the font is
// loaded once, in the background, and every start is a fresh player.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound_system.h"
#include "platform/synth_mixer.h"

namespace platform {

class SdlSoundSystem final : public SoundSystem {
 public:
  enum class Output {
    NotStarted,
    Device,  // a real sound device
    Dummy,   // no device would open: SDL's dummy driver takes the sound away unheard
    None,    // not even that: nothing renders
  };

  struct Options {
    std::vector<std::string> soundfonts = DefaultSoundFonts();
    std::string audio_driver;     // empty for SDL's own choice
    bool dummy_fallback = true;
    // How long the device may have nothing to play before it is closed.
    std::chrono::milliseconds idle_close{2000};
    // Sees every buffer the device takes, on the audio thread.
    std::function<void(const float* frames, int count)> tap;
  };

  SdlSoundSystem();
  explicit SdlSoundSystem(Options options);
  // Waits for the start-up to finish and closes the device. Every song opened
  // here must be gone by then.
  ~SdlSoundSystem() override;
  SdlSoundSystem(const SdlSoundSystem&) = delete;
  SdlSoundSystem& operator=(const SdlSoundSystem&) = delete;

  // Opens the device and loads the soundfont on a thread of their own and
  // returns at once. Songs and waves may be played before they are ready:
  // a song then starts when the soundfont is in. Only the first call counts;
  // the first song or wave makes it too, so a game that never plays sound
  // never pays for it.
  void StartInBackground() override;
  void ExpectSong(const std::string& path) override;
  void WaitUntilStarted();

  // A device with nothing to play for a while (Options::idle_close) is
  // closed, so an idle game does not wake for it; the next song or wave
  // opens it again.
  bool device_open() const { return device_open_.load(); }

  Output output() const { return output_.load(); }
  bool music_ready() const { return mixer_.has_synth(); }
  const SynthMixer& mixer() const { return mixer_; }

  std::unique_ptr<Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // A wave file as the mixer plays it: interleaved stereo float frames at
  // SoundFontSynth::kSampleRate. Null for anything SDL cannot read.
  static std::shared_ptr<const std::vector<float>> LoadWave(const std::string& path);

  // Bigger files are refused unread: no music or start signal of this game
  // comes near them.
  static constexpr std::uintmax_t kMaxMidiBytes = 1 << 20;
  static constexpr std::uintmax_t kMaxWaveBytes = 16 << 20;
  static constexpr double kMaxWaveSeconds = 30;

 private:
  static void DeviceCallback(void* self, std::uint8_t* stream, int bytes);
  void Run(std::promise<void> started);
  void StartUp();
  bool OpenDevice(const std::string& driver);
  bool ReopenDevice();
  void CloseDevice();
  // Something is to be heard: the worker opens the device if it is closed.
  void WantDevice();

  Options options_;
  SynthMixer mixer_;
  std::atomic<Output> output_{Output::NotStarted};
  std::atomic<std::uint64_t> next_song_{1};
  std::thread worker_;
  std::shared_future<void> started_;
  std::once_flag start_once_;
  // The device is the worker's own while it runs.
  std::uint32_t device_ = 0;
  std::atomic<bool> device_open_{false};
  bool audio_subsystem_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool device_wanted_ = false;
  std::string expected_song_;
};

}  // namespace platform

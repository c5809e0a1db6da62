// The game's real music and sound through SDL2_mixer: the race music
// rendered once into the cache (song_cache.h) and streamed from there as
// SDL2_mixer's music, the start signal beside it as a wave chunk. Every call
// returns at once: a thread of the system's own opens and closes the device
// and drives the mixer, and a rendering runs on another.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sound/song_cache.h"
#include "sound/sound_system.h"

namespace sound {

class MixerSoundSystem final : public SoundSystem {
 public:
  struct Options {
    RenderSettings rendering{FindSoundFont(DefaultSoundFonts())};
    std::string cache_directory;  // where the renderings are kept
    std::string audio_driver;     // empty for SDL's own choice
    // How long the device may have nothing to play before it is closed.
    std::chrono::milliseconds idle_close{2000};
    // Why something stays silent, in one line; each reason is told once.
    std::function<void(const std::string&)> say;
    // Sees every buffer SDL2_mixer has mixed (its post-mix hook), on the audio
    // thread: interleaved 16-bit stereo samples.
    std::function<void(const std::int16_t* samples, int count)> tap;
  };

  explicit MixerSoundSystem(Options options);
  // Ends a rendering under way, then closes the device. Every song opened
  // here must be gone by then.
  ~MixerSoundSystem() override;
  MixerSoundSystem(const MixerSoundSystem&) = delete;
  MixerSoundSystem& operator=(const MixerSoundSystem&) = delete;

  // Renders the song into the cache in the background unless it is there.
  void Prepare(const std::string& path) override;
  // A song whose rendering is not ready when it is played starts once it is,
  // unless it has been stopped by then.
  std::unique_ptr<Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // Until every call so far has been carried out and no rendering runs.
  void WaitUntilSettled();
  // The device is closed again once nothing has played for a while
  // (Options::idle_close), so an idle game does not wake for it.
  bool device_open() const;
  // Renderings made, and begun but not finished, by this system.
  int renderings_made() const;

  // Bigger files are refused unread: no music or start signal of this game
  // comes near them.
  static constexpr std::uintmax_t kMaxMidiBytes = 1 << 20;
  static constexpr std::uintmax_t kMaxWaveBytes = 16 << 20;

 private:
  struct Worker;
  class MixerSong;
  std::unique_ptr<Worker> worker_;
};

}  // namespace sound

// The game's real music and sound: songs through a General MIDI synthesizer
// (fluidsynth), the wave beside them, both mixed into one SDL2 audio device.
// Linked into the app only.
//
// fluidsynth and SDL2 are driven directly rather than through SDL2_mixer:
// the mixer resumes a halted song where it stopped unless it is freed and
// reloaded, and reloads the soundfont with every song, while here the font is
// loaded once, in the background, and every start is a fresh player.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound_system.h"
#include "platform/audio/synth_mixer.h"

namespace platform {

// mascot-race-renderer beside the code of the sound system (the sound module).
std::string DefaultSongRenderer();

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
    // The program that renders the expected song ahead in a process of its
    // own; without it (or when it fails) the song is rendered here.
    std::string renderer = DefaultSongRenderer();
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
  // The expected song (up to half a minute long) is rendered ahead on that
  // thread, once: every race then plays it from memory, and the synthesizer
  // is let go. Another song brings a synthesizer back.
  void ExpectSong(const std::string& path) override;
  // Until the device is open and the soundfont in (a rendering may still be filling).
  void WaitUntilStarted();

  // A device with nothing to play for a while (Options::idle_close) is
  // closed, so an idle game does not wake for it; the next song or wave
  // opens it again.
  bool device_open() const;

  Output output() const;
  bool music_ready() const { return mixer().has_music(); }
  const SynthMixer& mixer() const;

  std::unique_ptr<Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // A wave file as the mixer plays it: interleaved stereo 16-bit frames at
  // SoundFontSynth::kSampleRate. Null for anything SDL cannot read.
  static std::shared_ptr<const SynthMixer::Wave> LoadWave(const std::string& path);

  // Bigger files are refused unread: no music or start signal of this game
  // comes near them.
  static constexpr std::uintmax_t kMaxMidiBytes = 1 << 20;
  static constexpr std::uintmax_t kMaxWaveBytes = 16 << 20;
  static constexpr double kMaxWaveSeconds = 30;

 private:
  // The device, the mixer, the thread that starts and closes them and the
  // lock they share.
  struct Worker;
  std::unique_ptr<Worker> worker_;
};

}  // namespace platform

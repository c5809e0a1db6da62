// The game's music and sound as a whole: a music player and a wave player
// that get ready in the background. The real one (fluidsynth and SDL2) lives
// in a module of its own that the game loads only when sound is first wanted.
#pragma once

#include <string>

#include "platform/media_backend.h"

namespace platform {

class SoundSystem : public MusicPlayer, public WavePlayer {
 public:
  // Opens the device and loads the soundfont in the background and returns
  // at once; songs and waves may be played before that is done. Only the
  // first call counts.
  virtual void StartInBackground() = 0;
  // The song the races will most likely play, told before the start: the
  // synthesizer then gets its instruments ready in the background too, not
  // at the first Start.
  virtual void ExpectSong(const std::string& path) = 0;

  // Getting ready for a song is both: the device and the font, and the
  // song's instruments.
  void Prepare(const std::string& path) final {
    ExpectSong(path);
    StartInBackground();
  }
};

}  // namespace platform

// The one symbol the sound module exports: a new sound system, or null.
extern "C" __attribute__((visibility("default"))) platform::SoundSystem* MascotRaceCreateSoundSystem();

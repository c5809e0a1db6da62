// The game's music and sound as the media commands drive them: songs to open
// and play, and a wave played in the background. The real one (SDL2_mixer,
// with the race music rendered by fluidsynth) is a plugin the game loads when
// sound is first wanted; tests use recording doubles.
#pragma once

#include <memory>
#include <string>

namespace sound {

// One opened piece of music. Destroying it unloads it (and silences it).
class Song {
 public:
  virtual ~Song() = default;
  // Plays once through from the very beginning, returning at once; a song
  // that is playing starts over. False when it cannot play at all.
  virtual bool Play() = 0;
  virtual void Stop() = 0;
};

class SoundSystem {
 public:
  virtual ~SoundSystem() = default;
  // Null when the file is missing or is no music this system can play.
  virtual std::unique_ptr<Song> Open(const std::string& path) = 0;
  // This song will most likely be opened soon: a system that needs time to
  // get ready starts getting ready now; the others ignore it. Nothing is heard.
  virtual void Prepare(const std::string& /*path*/) {}
  // Starts the wave file in the background, cutting off one still playing.
  // False, and silence, when the file is missing or unreadable.
  virtual bool PlayWave(const std::string& path) = 0;
};

}  // namespace sound

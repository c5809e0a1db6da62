// What the media commands drive: a music player that opens songs and a wave
// player. The real ones sit on a synthesizer and a sound device; tests use
// recording doubles.
#pragma once

#include <memory>
#include <string>

namespace platform {

// One opened piece of music. Destroying it unloads it (and silences it).
class Song {
 public:
  virtual ~Song() = default;
  // Plays once through from the very beginning, returning at once; a song
  // that is playing starts over. False when it cannot play at all.
  virtual bool Play() = 0;
  virtual void Stop() = 0;
};

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Null when the file is missing or is no music this player can play.
  virtual std::unique_ptr<Song> Open(const std::string& path) = 0;
  // This song will most likely be opened soon: a player that needs time to
  // get ready starts getting ready now; the others ignore it. Nothing is heard.
  virtual void Prepare(const std::string& /*path*/) {}
};

class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  // Starts the wave file in the background, cutting off one still playing.
  // False, and silence, when the file is missing or unreadable.
  virtual bool PlayWave(const std::string& path) = 0;
};

}  // namespace platform

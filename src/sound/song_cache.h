// The race music as the game plays it: the MIDI file rendered once by
// fluidsynth with a General MIDI sound font into a plain wave file, kept in
// a cache between runs and streamed from there while racing.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace sound {

// What a rendering is made with. Every field goes into the name it is kept under.
struct RenderSettings {
  std::string soundfont;
  int sample_rate = 44100;
  // fluidsynth's default (0.2) leaves the tune some 9 dB below the start
  // signal; at this gain it peaks near -6 dBFS like the signal.
  double gain = 0.55;
  // General MIDI asks for 24 voices at least and our tune peaks at 28.
  int polyphony = 64;
};

// Debian's General MIDI sound fonts, the one the music is balanced for first.
std::vector<std::string> DefaultSoundFonts();
// The first of them that is a file; empty when there is none.
std::string FindSoundFont(const std::vector<std::string>& candidates);

// Where the rendering of this song with these settings is kept in
// `directory`: named by the song's bytes, the sound font's path, size and
// modification time, the settings and fluidsynth's version.
std::string RenderingFile(const std::string& directory, const std::vector<std::uint8_t>& midi,
                          const RenderSettings& settings);

// A whole rendering at this rate, as RenderSong writes it: a file cut short
// or with a damaged header is not one.
bool IsWholeRendering(const std::string& path, int sample_rate);

// Renders the song until it has died away (ten minutes at the most) into
// `path`, written under a temporary name and renamed when complete; other
// renderings in its directory are removed then. What went wrong, when it
// fails; `stop` ends it early, leaving nothing.
std::optional<std::string> RenderSong(const std::vector<std::uint8_t>& midi, const RenderSettings& settings,
                                      const std::string& path, const std::function<bool()>& stop);

// fluidsynth lists SDL's audio devices while it sets up, and SDL must not
// start or shut down its audio meanwhile (it frees what the listing locks):
// RenderSong sets up under this lock, and whoever starts or shuts down SDL's
// audio holds it too.
std::mutex& SdlAudioLock();

}  // namespace sound

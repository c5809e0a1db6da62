// The sound of the game, before it reaches a device: a General MIDI
// synthesizer (fluidsynth) playing the music, mixed with one wave at a time.
// Linked into the app only.
#pragma once

#include <atomic>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/song_rendering.h"

namespace platform {

// A synthesizer with a soundfont loaded, ready to render.
class SoundFontSynth {
 public:
  static constexpr int kSampleRate = kMusicSampleRate;
  // The frames the device takes at a time (about 23 ms: short enough for a
  // start signal), and a rendering is made in: the synthesizer places some
  // notes by the size of the pieces it is asked for, so the two must agree.
  static constexpr int kPeriodFrames = 1024;

  // The first of the soundfonts that loads; null when none does. Slow, since
  // the whole font is read: keep it off the window's thread.
  static std::unique_ptr<SoundFontSynth> Load(const std::vector<std::string>& soundfonts);
  ~SoundFontSynth();

  const std::string& soundfont() const;
  // Gets the presets of these programs ready (a song's, see MidiFileSummary),
  // so that a song selecting them starts without loading them first.
  bool PrepareFor(const std::bitset<128>& programs);
  // Renders the song (the rendering's) from its beginning until it has ended
  // and died away, the rendering is full or `stop` says so; then finishes it.
  void Render(SongRendering& rendering, const std::function<bool()>& stop);
  // The same for any receiver: hands on 16-bit stereo frames as they are
  // made, until the song has died away, `frames` are made or `take` answers
  // false. False when the song will not play.
  using Take = std::function<bool(const std::int16_t* samples, std::size_t frames)>;
  bool Render(const std::vector<std::uint8_t>& midi, std::size_t frames, const Take& take);

 private:
  struct Parts;
  explicit SoundFontSynth(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
  friend class SynthMixer;
};

// Debian's General MIDI soundfonts, the one the music is balanced for first.
std::vector<std::string> DefaultSoundFonts();

// Interleaved stereo float frames at SoundFontSynth::kSampleRate. Every
// member may be called from any thread: the device renders while the game
// starts and stops songs.
class SynthMixer {
 public:
  SynthMixer();
  ~SynthMixer();
  SynthMixer(const SynthMixer&) = delete;
  SynthMixer& operator=(const SynthMixer&) = delete;

  // Takes the synthesizer once it has loaded; a song already asked for
  // starts now, from its beginning. Later calls and null are ignored.
  void InstallSynth(std::unique_ptr<SoundFontSynth> synth);
  bool has_synth() const;
  // Takes a song rendered ahead: that song (the same bytes) then plays from
  // it, a song already asked for too, and needs no synthesizer.
  void InstallRendering(std::shared_ptr<const SongRendering> rendering);
  // Something to play songs with: a synthesizer or a rendering.
  bool has_music() const;
  // Called (from the caller's thread, no lock held) when a song waits for a
  // synthesizer that is not there: a rendering was all there was.
  void SetSynthWanted(std::function<void()> wanted);

  // Starts the song (a standard MIDI file) from its beginning, in place of any
  // other; `song` names it for StopSong. Before the synthesizer is there the
  // song waits for it. False when the synthesizer refuses the file.
  bool PlaySong(std::uint64_t song, std::shared_ptr<const std::vector<std::uint8_t>> midi);
  // Silences the song at once, unless another has taken its place.
  void StopSong(std::uint64_t song);
  // A song is sounding, or waiting for the synthesizer.
  bool SongPlaying() const;

  // Interleaved stereo 16-bit frames.
  using Wave = std::vector<std::int16_t>;
  // Starts a wave from its beginning, cutting off the one before.
  void PlayWave(std::shared_ptr<const Wave> frames);
  bool WavePlaying() const;

  // Fills `frames` stereo frames: the music, the wave on top, kept within
  // full scale.
  void Render(float* out, int frames);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform

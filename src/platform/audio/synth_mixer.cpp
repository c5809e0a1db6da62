#include "platform/audio/synth_mixer.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/midi_file.h"
#include "platform/audio/fluid_library.h"
#include "platform/audio/soundfont_subset.h"

namespace platform {

namespace {

// fluidsynth's own default (0.2) leaves the tune some 9 dB below the start
// signal; at this gain it peaks near -6 dBFS like the signal, with an average
// level near -21 dBFS.
constexpr double kMusicGain = 0.55;

constexpr float kSilentAttenuation = 1440;   // centibels: the synthesizer's floor
constexpr float kShortestRelease = -12000;   // timecents: about a millisecond
constexpr int kSilencingFrames = 512;        // enough blocks for a voice to ramp down and end

// General MIDI asks for 24 voices at least and our tune peaks at 28; each
// voice the synthesizer keeps ready costs some 8 kB, and its default is 256.
constexpr int kPolyphony = 64;

// Reading a font leaves megabytes of freed scratch memory in the loading
// thread's heap, which would stay resident for the rest of the game.
void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

// The fonts the synthesizer opens by name: a cut font is known under a name
// of its own for as long as it is loaded, since its samples are read when a
// song selects them; any other name is the file of that name.
class FontViews {
 public:
  static FontViews& Get() {
    static FontViews views;
    return views;
  }
  std::string Add(std::shared_ptr<const SoundFontView> view) {
    std::lock_guard lock(mutex_);
    std::string name = "mascot-race-font-" + std::to_string(++count_) + ":" + view->source();
    views_.emplace(name, std::move(view));
    return name;
  }
  void Remove(const std::string& name) {
    std::lock_guard lock(mutex_);
    views_.erase(name);
  }
  std::shared_ptr<const SoundFontView> Find(const std::string& name) {
    {
      std::lock_guard lock(mutex_);
      if (auto found = views_.find(name); found != views_.end()) return found->second;
    }
    return SoundFontView::WholeFile(name);
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<const SoundFontView>> views_;
  std::uint64_t count_ = 0;
};

// The synthesizer's file calls, answered from a view.
struct OpenFont {
  std::shared_ptr<const SoundFontView> view;
  std::FILE* file = nullptr;
  std::uint64_t at = 0;
};

void* OpenFontFile(const char* name) {
  std::shared_ptr<const SoundFontView> view = FontViews::Get().Find(name);
  std::FILE* file = view ? std::fopen(view->source().c_str(), "rb") : nullptr;
  return file ? new OpenFont{std::move(view), file} : nullptr;
}

int ReadFontFile(void* out, fluid_long_long_t count, void* handle) {
  auto* font = static_cast<OpenFont*>(handle);
  if (count < 0 || !font->view->Read(font->file, font->at, static_cast<std::uint64_t>(count), out)) return FLUID_FAILED;
  font->at += static_cast<std::uint64_t>(count);
  return FLUID_OK;
}

int SeekFontFile(void* handle, fluid_long_long_t offset, int origin) {
  auto* font = static_cast<OpenFont*>(handle);
  const auto size = static_cast<fluid_long_long_t>(font->view->size());
  const fluid_long_long_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? static_cast<fluid_long_long_t>(font->at) : size;
  if (base + offset < 0 || base + offset > size) return FLUID_FAILED;
  font->at = static_cast<std::uint64_t>(base + offset);
  return FLUID_OK;
}

fluid_long_long_t TellFontFile(void* handle) { return static_cast<fluid_long_long_t>(static_cast<OpenFont*>(handle)->at); }

int CloseFontFile(void* handle) {
  auto* font = static_cast<OpenFont*>(handle);
  std::fclose(font->file);
  delete font;
  return FLUID_OK;
}

}  // namespace

struct SoundFontSynth::Parts {
  // First in, last out: the library outlives everything made with it.
  std::shared_ptr<const FluidLibrary> fluid;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  std::string soundfont;
  // The font file, when it is cut to the programs songs select; empty when
  // it is loaded whole.
  std::optional<SoundFontFile> file;
  std::bitset<128> programs;  // those of the cut font loaded
  int font_id = -1;
  std::string font_name;

  ~Parts() {
    if (synth) fluid->delete_fluid_synth(synth);
    if (settings) fluid->delete_fluid_settings(settings);
    if (!font_name.empty()) FontViews::Get().Remove(font_name);
  }

  // Makes sure the loaded font has these programs: a font cut to them and
  // those already there takes the place of the one before.
  bool Cover(std::bitset<128> wanted) {
    if (!file) return true;
    wanted.set(0);
    if (font_id >= 0 && (wanted & ~programs).none()) return true;
    const std::bitset<128> next = programs | wanted;
    std::string name = FontViews::Get().Add(file->Subset(next));
    const int id = fluid->fluid_synth_sfload(synth, name.c_str(), 1);
    if (id == FLUID_FAILED) {
      FontViews::Get().Remove(name);
      return false;
    }
    if (font_id >= 0) {
      fluid->fluid_synth_sfunload(synth, font_id, 1);
      FontViews::Get().Remove(font_name);
    }
    font_id = id;
    font_name = std::move(name);
    programs = next;
    ReturnFreedMemory();
    return true;
  }
};

SoundFontSynth::SoundFontSynth(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

SoundFontSynth::~SoundFontSynth() {
  parts_.reset();
  ReturnFreedMemory();
}

void SoundFontSynth::Render(SongRendering& rendering, const std::function<bool()>& stop) {
  Render(rendering.midi(), rendering.capacity(), [&rendering, &stop](const std::int16_t* samples, std::size_t frames) {
    rendering.Append(samples, frames);
    return !stop();
  });
  rendering.Finish();
}

bool SoundFontSynth::Render(const std::vector<std::uint8_t>& midi, std::size_t frames, const Take& take) {
  const FluidLibrary& fluid = *parts_->fluid;
  const std::optional<MidiFileSummary> summary = ReadMidiFileSummary(midi);
  fluid_player_t* player = summary && parts_->Cover(summary->programs) ? fluid.new_fluid_player(parts_->synth) : nullptr;
  const bool plays = player && fluid.fluid_player_add_mem(player, midi.data(), midi.size()) == FLUID_OK &&
                     fluid.fluid_player_play(player) == FLUID_OK;
  if (plays) {
    // Past the last event, notes ring out and the echo fades for seconds; the
    // rendering ends where they have fallen well below what 16 bits can tell
    // (the echo wavers: a half step would come back).
    const auto song_frames = static_cast<std::size_t>(summary->seconds * kSampleRate);
    std::vector<float> piece(kPeriodFrames * 2);
    std::vector<std::int16_t> samples(kPeriodFrames * 2);
    bool sounding = true;
    for (std::size_t made = 0; sounding && made < frames; made += kPeriodFrames) {
      fluid.fluid_synth_write_float(parts_->synth, kPeriodFrames, piece.data(), 0, 2, piece.data(), 1, 2);
      for (std::size_t i = 0; i < piece.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(std::lrint(std::clamp(piece[i], -1.0f, 1.0f) * kFullScale16));
      }
      if (!take(samples.data(), std::min<std::size_t>(kPeriodFrames, frames - made))) break;
      sounding = made + kPeriodFrames < song_frames ||
                 std::any_of(piece.begin(), piece.end(), [](float sample) { return std::abs(sample) * kFullScale16 >= 0.25f; });
    }
  }
  if (player) fluid.delete_fluid_player(player);
  return plays;
}

const std::string& SoundFontSynth::soundfont() const { return parts_->soundfont; }

bool SoundFontSynth::PrepareFor(const std::bitset<128>& programs) { return parts_->Cover(programs); }

std::unique_ptr<SoundFontSynth> SoundFontSynth::Load(const std::vector<std::string>& soundfonts) {
  auto parts = std::make_unique<Parts>();
  parts->fluid = FluidLibrary::Open();
  if (!parts->fluid) return nullptr;
  parts->settings = parts->fluid->new_fluid_settings();
  if (!parts->settings) return nullptr;
  parts->fluid->fluid_settings_setnum(parts->settings, "synth.sample-rate", kSampleRate);
  parts->fluid->fluid_settings_setnum(parts->settings, "synth.gain", kMusicGain);
  // Locking a big font into memory can fail under a user's limits; swapping is the lesser evil.
  parts->fluid->fluid_settings_setint(parts->settings, "synth.lock-memory", 0);
  // Only the samples of the instruments a song plays are read into memory
  // (a few hundred kilobytes of the font's six megabytes), when it selects them.
  parts->fluid->fluid_settings_setint(parts->settings, "synth.dynamic-sample-loading", 1);
  parts->fluid->fluid_settings_setint(parts->settings, "synth.polyphony", kPolyphony);
  // The player advances with the samples rendered, so rendering without a
  // device (in the tests) keeps time just as a device does.
  parts->fluid->fluid_settings_setstr(parts->settings, "player.timing-source", "sample");
  parts->fluid->fluid_settings_setint(parts->settings, "player.reset-synth", 1);
  parts->synth = parts->fluid->new_fluid_synth(parts->settings);
  if (!parts->synth) return nullptr;
  // Fonts are read through our views, so that a font cut to a song's programs
  // reads its samples from the file it was cut from.
  if (fluid_sfloader_t* loader = parts->fluid->new_fluid_defsfloader(parts->settings)) {
    parts->fluid->fluid_sfloader_set_callbacks(loader, OpenFontFile, ReadFontFile, SeekFontFile, TellFontFile, CloseFontFile);
    parts->fluid->fluid_synth_add_sfloader(parts->synth, loader);
  }

  for (const std::string& path : soundfonts) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) continue;
    // Cut to the programs songs select, or whole when it cannot be cut.
    parts->file = SoundFontFile::Open(path);
    if (parts->file && parts->Cover({})) {
      parts->soundfont = path;
      return std::unique_ptr<SoundFontSynth>(new SoundFontSynth(std::move(parts)));
    }
    parts->file.reset();
    if (parts->fluid->fluid_synth_sfload(parts->synth, path.c_str(), 1) != FLUID_FAILED) {
      parts->soundfont = path;
      ReturnFreedMemory();
      return std::unique_ptr<SoundFontSynth>(new SoundFontSynth(std::move(parts)));
    }
  }
  return nullptr;
}

std::vector<std::string> DefaultSoundFonts() {
  return {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
}

struct SynthMixer::State {
  mutable std::mutex mutex;
  std::unique_ptr<SoundFontSynth> synth;
  fluid_player_t* player = nullptr;
  std::uint64_t song = 0;  // the song last started and not stopped; 0 for none
  std::shared_ptr<const std::vector<std::uint8_t>> midi;
  bool song_waits = false;  // asked for before the synthesizer was there
  // Let go once played: a wave takes memory only while it sounds.
  std::shared_ptr<const Wave> wave;
  std::size_t wave_at = 0;  // in samples, both channels counted
  std::shared_ptr<const SongRendering> rendering;
  std::unique_ptr<RenderingReader> rendering_reader;  // the rendering's
  bool rendering_plays = false;  // the song plays from the rendering
  std::size_t rendering_at = 0;  // in frames
  std::function<void()> synth_wanted;

  fluid_synth_t* fluid() const { return synth->parts_->synth; }
  const FluidLibrary& api() const { return *synth->parts_->fluid; }

  // The song asked for, from its beginning: from its rendering, with the
  // synthesizer, or once one of them is there.
  bool Begin() {
    rendering_plays = false;
    song_waits = false;
    if (rendering && rendering->midi() == *midi) {
      if (synth) DropPlayer();
      rendering_plays = true;
      rendering_at = 0;
      return true;
    }
    if (!synth) {
      song_waits = true;
      return true;
    }
    return StartPlayer();
  }

  // Only a rendering is there, of another song: no synthesizer comes unasked.
  std::function<void()> SynthWanted() const { return song_waits && !synth && rendering ? synth_wanted : nullptr; }

  // A fresh player for every start: nothing of a stopped song's position
  // survives into the next.
  bool StartPlayer() {
    DropPlayer();
    // The song's programs are loaded before it plays; failing that, all of them.
    const std::optional<MidiFileSummary> summary = ReadMidiFileSummary(*midi);
    if (!synth->parts_->Cover(summary ? summary->programs : std::bitset<128>().set())) return false;
    player = api().new_fluid_player(fluid());
    if (!player) return false;
    if (api().fluid_player_add_mem(player, midi->data(), midi->size()) != FLUID_OK || api().fluid_player_play(player) != FLUID_OK) {
      DropPlayer();
      return false;
    }
    return true;
  }

  void DropPlayer() {
    if (!player) return;
    api().fluid_player_stop(player);
    api().delete_fluid_player(player);
    player = nullptr;
    Silence();
  }

  // A reset ends the notes that are held but leaves released ones ringing
  // out, a cymbal for seconds. Every voice is made silent and short here, a
  // few blocks are rendered unheard for them to end, and the echo they left
  // is cleared: a song started next begins on silence.
  void Silence() {
    fluid_synth_t* synth_now = fluid();
    std::vector<fluid_voice_t*> voices(static_cast<std::size_t>(api().fluid_synth_get_polyphony(synth_now)) + 1, nullptr);
    api().fluid_synth_get_voicelist(synth_now, voices.data(), static_cast<int>(voices.size()), -1);
    for (fluid_voice_t* voice : voices) {
      if (!voice) break;
      api().fluid_voice_gen_set(voice, GEN_ATTENUATION, kSilentAttenuation);
      api().fluid_voice_update_param(voice, GEN_ATTENUATION);
      api().fluid_voice_gen_set(voice, GEN_VOLENVRELEASE, kShortestRelease);
      api().fluid_voice_update_param(voice, GEN_VOLENVRELEASE);
    }
    api().fluid_synth_system_reset(synth_now);
    float unheard[kSilencingFrames * 2];
    api().fluid_synth_write_float(synth_now, kSilencingFrames, unheard, 0, 2, unheard, 1, 2);
    api().fluid_synth_system_reset(synth_now);
  }
};

SynthMixer::SynthMixer() : state_(std::make_unique<State>()) {}

SynthMixer::~SynthMixer() {
  std::lock_guard lock(state_->mutex);
  if (state_->synth) state_->DropPlayer();
}

void SynthMixer::InstallSynth(std::unique_ptr<SoundFontSynth> synth) {
  if (!synth) return;
  std::lock_guard lock(state_->mutex);
  if (state_->synth) return;
  state_->synth = std::move(synth);
  if (state_->song_waits) state_->Begin();
}

bool SynthMixer::has_synth() const {
  std::lock_guard lock(state_->mutex);
  return state_->synth != nullptr;
}

void SynthMixer::InstallRendering(std::shared_ptr<const SongRendering> rendering) {
  std::function<void()> wanted;
  {
    std::lock_guard lock(state_->mutex);
    state_->rendering_reader.reset();
    state_->rendering = std::move(rendering);
    if (state_->rendering) state_->rendering_reader = std::make_unique<RenderingReader>(*state_->rendering);
    if (state_->song_waits) state_->Begin();
    wanted = state_->SynthWanted();
  }
  if (wanted) wanted();
}

bool SynthMixer::has_music() const {
  std::lock_guard lock(state_->mutex);
  return state_->synth || state_->rendering;
}

void SynthMixer::SetSynthWanted(std::function<void()> wanted) {
  std::lock_guard lock(state_->mutex);
  state_->synth_wanted = std::move(wanted);
}

bool SynthMixer::PlaySong(std::uint64_t song, std::shared_ptr<const std::vector<std::uint8_t>> midi) {
  if (!midi) return false;
  std::function<void()> wanted;
  bool started = false;
  {
    std::lock_guard lock(state_->mutex);
    state_->song = song;
    state_->midi = std::move(midi);
    started = state_->Begin();
    wanted = state_->SynthWanted();
  }
  if (wanted) wanted();
  return started;
}

void SynthMixer::StopSong(std::uint64_t song) {
  std::lock_guard lock(state_->mutex);
  if (state_->song != song) return;
  state_->song = 0;
  state_->song_waits = false;
  state_->rendering_plays = false;
  if (state_->synth) state_->DropPlayer();
}

bool SynthMixer::SongPlaying() const {
  std::lock_guard lock(state_->mutex);
  if (state_->rendering_plays) {
    return !state_->rendering->finished() || state_->rendering_at < state_->rendering->ready();
  }
  return state_->song_waits || (state_->player && state_->api().fluid_player_get_status(state_->player) == FLUID_PLAYER_PLAYING);
}

void SynthMixer::PlayWave(std::shared_ptr<const Wave> frames) {
  std::shared_ptr<const Wave> previous;  // freed after the lock is let go
  std::lock_guard lock(state_->mutex);
  previous = std::exchange(state_->wave, std::move(frames));
  state_->wave_at = 0;
}

bool SynthMixer::WavePlaying() const {
  std::lock_guard lock(state_->mutex);
  return state_->wave != nullptr;
}

void SynthMixer::Render(float* out, int frames) {
  if (frames <= 0) return;
  const auto samples = static_cast<std::size_t>(frames) * 2;
  std::shared_ptr<const Wave> played;  // freed after the lock is let go
  std::lock_guard lock(state_->mutex);
  // Between races there is no player and, after Silence(), nothing left in
  // the synthesizer: the device gets silence without the cost of rendering it.
  if (state_->rendering_plays) {
    // A rendering still being made plays what is ready; the rest follows.
    std::fill(out, out + samples, 0.0f);
    const std::size_t ready = state_->rendering->ready();
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(frames), ready - state_->rendering_at);
    state_->rendering_reader->MixInto(state_->rendering_at, count, out);
    state_->rendering_at += count;
  } else if (state_->synth && state_->player) {
    state_->api().fluid_synth_write_float(state_->fluid(), frames, out, 0, 2, out, 1, 2);
  } else {
    std::fill(out, out + samples, 0.0f);
  }
  if (state_->wave) {
    const Wave& wave = *state_->wave;
    const std::size_t count = std::min(samples, wave.size() - std::min(wave.size(), state_->wave_at));
    for (std::size_t i = 0; i < count; ++i) out[i] += static_cast<float>(wave[state_->wave_at + i]) / kFullScale16;
    state_->wave_at += count;
    if (state_->wave_at >= wave.size()) played = std::move(state_->wave);
  }
  for (std::size_t i = 0; i < samples; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace platform

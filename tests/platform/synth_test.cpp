// The game's lighter synthesizer against fluidsynth itself: a font cut to
// the tune's programs (read back by fluidsynth), samples loaded as they are
// selected and fewer voices, against fluidsynth's own rendering of the tune
// with the whole font and every voice; the race music rendered ahead, here
// and by the renderer program.
// What the mixer plays from memory: a rendering kept compressed plays back
// the frames it was given, exactly, while it is still being written and
// again from its beginning; a wave is mixed on top and let go once played.
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <utility>

#include "platform/audio/renderer_process.h"
#include "platform/audio/sdl_sound_system.h"
#include "platform/audio/song_rendering.h"
#include "platform/audio/soundfont_subset.h"
#include "platform/audio/synth_mixer.h"

namespace {

constexpr int kRate = platform::SoundFontSynth::kSampleRate;
constexpr double kSeconds = 14.0;

// fluidsynth with a font loaded, at the game's rate and gain, timed by the samples it renders.
struct Fluid {
  explicit Fluid(const std::string& font) {
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings, "synth.gain", 0.55);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    synth = new_fluid_synth(settings);
    font_id = fluid_synth_sfload(synth, font.c_str(), 1);
  }
  ~Fluid() {
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
  }
  fluid_settings_t* settings = new_fluid_settings();
  fluid_synth_t* synth = nullptr;
  int font_id = FLUID_FAILED;
};

std::shared_ptr<const std::vector<std::uint8_t>> Tune() {
  std::ifstream in(std::string(MASCOT_MUSIC_DIR) + "/bgm.mid", std::ios::binary);
  return std::make_shared<const std::vector<std::uint8_t>>(std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>());
}

std::vector<float> ReferenceRendering(const std::vector<std::uint8_t>& tune, const std::string& font) {
  Fluid fluid(font);
  fluid_player_t* player = new_fluid_player(fluid.synth);
  fluid_player_add_mem(player, tune.data(), tune.size());
  fluid_player_play(player);
  std::vector<float> sound(static_cast<std::size_t>(kSeconds * kRate) / 64 * 64 * 2);
  for (std::size_t at = 0; at < sound.size(); at += 128)
    fluid_synth_write_float(fluid.synth, 64, sound.data() + at, 0, 2, sound.data() + at, 1, 2);
  delete_fluid_player(player);
  return sound;
}

// How far one rendering is from another, as a share of the first one's
// energy. Notes start on the synthesizer's 64-frame blocks, so the same music
// may come a few frames earlier or later: the best of the small shifts counts.
double Difference(const std::vector<float>& expected, const std::vector<float>& actual) {
  constexpr std::ptrdiff_t kMaxShift = 64;  // frames
  const auto samples = static_cast<std::ptrdiff_t>(std::min(expected.size(), actual.size()) / 2 * 2);
  double best = 1e9;
  for (std::ptrdiff_t shift = -kMaxShift; shift <= kMaxShift; ++shift) {
    double difference = 0, energy = 0;
    for (std::ptrdiff_t at = kMaxShift * 2; at < samples - kMaxShift * 2; ++at) {  // both channels
      const double a = expected[static_cast<std::size_t>(at)], b = actual[static_cast<std::size_t>(at + shift * 2)];
      difference += (a - b) * (a - b);
      energy += a * a;
    }
    if (energy > 0) best = std::min(best, difference / energy);
  }
  return best;
}

// The game's synthesizer with a General MIDI font from Debian's packages, and the race music.
struct SynthFidelityTest : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(synth) << "no General MIDI soundfont: scripts/install-deps installs one"; }
  std::unique_ptr<platform::SoundFontSynth> synth = platform::SoundFontSynth::Load(platform::DefaultSoundFonts());
  std::shared_ptr<const std::vector<std::uint8_t>> tune = Tune();
};

TEST_F(SynthFidelityTest, EveryInstrumentOfTheTuneSoundsAsWithTheWholeFontLoaded) {
  const std::vector<float> reference = ReferenceRendering(*tune, synth->soundfont());
  platform::SynthMixer mixer;
  mixer.InstallSynth(std::move(synth));
  ASSERT_TRUE(mixer.PlaySong(1, tune));
  std::vector<float> sound(static_cast<std::size_t>(kSeconds * kRate) * 2);
  for (std::size_t at = 0; at < sound.size() / 2; at += 1024)
    mixer.Render(sound.data() + at * 2, static_cast<int>(std::min<std::size_t>(1024, sound.size() / 2 - at)));
  // Samples read as the song selects them differ from the reference by some
  // 31 dB below the music (0.0008); a part left silent or notes cut short for
  // want of voices differ by 10 dB and less.
  EXPECT_LT(Difference(reference, sound), 0.003);
}

// The race music is rendered ahead, once, and every race plays it from
// memory: sample for sample what the synthesizer plays live, in 16 bits,
// to the end of its last echo.
TEST_F(SynthFidelityTest, ASongRenderedAheadSoundsAsItWouldLive) {
  platform::SynthMixer live, rendered;
  live.InstallSynth(platform::SoundFontSynth::Load(platform::DefaultSoundFonts()));
  auto rendering = std::make_shared<platform::SongRendering>(*tune, 30 * kRate);
  rendered.InstallRendering(rendering);
  ASSERT_TRUE(live.PlaySong(1, tune) && rendered.PlaySong(1, tune));
  synth->Render(*rendering, [] { return false; });
  ASSERT_LT(rendering->ready(), rendering->capacity());  // it ended, on its own

  std::vector<float> a(2048), b(2048);
  double worst = 0;
  // To its end, and a second of silence after it.
  for (std::size_t frames = 0; frames < rendering->ready() + kRate; frames += 1024) {
    live.Render(a.data(), 1024);
    rendered.Render(b.data(), 1024);
    for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(double{a[i]} - b[i]));
  }
  EXPECT_LE(worst * 32767, 0.501) << "16-bit steps";
  EXPECT_FALSE(rendered.SongPlaying());
}

// The renderer program, in a process of its own, makes the same frames as
// the synthesizer here, to the last; without a soundfont, a song or itself
// it does not start, and nothing is left running.
TEST_F(SynthFidelityTest, TheRendererProgramRendersWhatTheSynthesizerHereDoes) {
  const std::size_t capacity = 30 * kRate;
  platform::SongRendering here(*tune, capacity), there(*tune, capacity);
  synth->Render(here, [] { return false; });
  platform::RendererProcess process;
  ASSERT_TRUE(process.Start(MASCOT_RENDERER, platform::DefaultSoundFonts(), *tune, capacity));
  EXPECT_TRUE(process.ReadInto(there));
  there.Finish();
  ASSERT_EQ(there.ready(), here.ready());
  std::vector<float> a(here.ready() * 2), b(there.ready() * 2);
  platform::RenderingReader(here).MixInto(0, here.ready(), a.data());
  platform::RenderingReader(there).MixInto(0, there.ready(), b.data());
  EXPECT_EQ(a, b);

  const std::vector<std::uint8_t> junk(100, 7);
  for (const auto& [program, soundfonts, song] :
       std::vector<std::tuple<std::string, std::vector<std::string>, const std::vector<std::uint8_t>*>>{
           {"/nonexistent/mascot-race-renderer", platform::DefaultSoundFonts(), tune.get()},
           {MASCOT_RENDERER, {"/nonexistent.sf2", MASCOT_RENDERER}, tune.get()},
           {MASCOT_RENDERER, platform::DefaultSoundFonts(), &junk}}) {
    platform::RendererProcess refusing;
    EXPECT_FALSE(refusing.Start(program, soundfonts, *song, capacity)) << program << " " << soundfonts[0];
    platform::SongRendering nothing(*song, capacity);
    EXPECT_FALSE(refusing.ReadInto(nothing));
  }
}

using Presets = std::set<std::pair<int, int>>;  // bank, program

// The presets fluidsynth finds in a font file.
Presets PresetsIn(const std::string& path) {
  Fluid fluid(path);
  Presets presets;
  if (fluid_sfont_t* font = fluid_synth_get_sfont_by_id(fluid.synth, fluid.font_id)) {
    fluid_sfont_iteration_start(font);
    while (fluid_preset_t* preset = fluid_sfont_iteration_next(font))
      presets.insert({fluid_preset_get_banknum(preset), fluid_preset_get_num(preset)});
  }
  return presets;
}

std::string Bytes(const platform::SoundFontView& view) {
  std::string bytes(view.size(), '\0');
  std::FILE* file = std::fopen(view.source().c_str(), "rb");
  EXPECT_TRUE(view.Read(file, 0, view.size(), bytes.data()));
  std::fclose(file);
  return bytes;
}

// A General MIDI font from Debian's packages, its bytes, and files of the test's own.
struct SoundFontSubsetTest : ::testing::Test {
  void SetUp() override {
    for (const std::string& candidate : platform::DefaultSoundFonts())
      if (font.empty() && platform::SoundFontFile::Open(candidate)) font = candidate;
    ASSERT_FALSE(font.empty()) << "no General MIDI soundfont: scripts/install-deps installs one";
    std::ifstream in(font, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Write(const std::string& name, const std::string& contents) const {
    const std::string file = ::testing::TempDir() + "/mascot-subset-" + std::to_string(::getpid()) + "-" + name;
    std::ofstream(file, std::ios::binary) << contents;
    return file;
  }
  std::string font, bytes;
};

// Every bank of the song's programs and of program 0 is kept, nothing else;
// the cut font reads to its last byte and not past it.
TEST_F(SoundFontSubsetTest, KeepsEveryBankOfTheSongsProgramsAndProgramZeroAndNothingElse) {
  const Presets whole = PresetsIn(font);
  for (const std::bitset<128>& wanted : {std::bitset<128>(), std::bitset<128>().set(56),
                                         std::bitset<128>().set(0).set(32).set(56).set(127)}) {
    const auto subset = platform::SoundFontFile::Open(font)->Subset(wanted);
    Presets expected;
    std::copy_if(whole.begin(), whole.end(), std::inserter(expected, expected.end()),
                 [&](const auto& preset) { return preset.second == 0 || wanted.test(preset.second); });
    EXPECT_EQ(PresetsIn(Write("cut.sf2", Bytes(*subset))), expected) << wanted.count() << " programs";
    std::FILE* file = std::fopen(font.c_str(), "rb");
    char byte = 0;
    EXPECT_FALSE(subset->Read(file, subset->size(), 1, &byte));
    EXPECT_FALSE(subset->Read(file, subset->size() - 1, 2, &byte));
    std::fclose(file);
  }
  EXPECT_GT(whole.size(), 128u);  // the font has banks beyond the melodic one to leave out
  // (Compared whole: a failure message spelling out megabytes of difference would not fit in memory.)
  EXPECT_TRUE(Bytes(*platform::SoundFontView::WholeFile(font)) == bytes) << "the whole file reads as it is";
}

TEST_F(SoundFontSubsetTest, DamagedFontsAreNotCut) {
  const std::size_t headers = bytes.find("phdr");
  ASSERT_NE(headers, std::string::npos);
  std::string zone_out_of_range = bytes;
  zone_out_of_range[headers + 8 + 24] = zone_out_of_range[headers + 8 + 25] = '\xff';  // the first preset's first zone
  std::string unaligned = bytes;
  unaligned[headers + 4] = '\x25';  // a preset list 37 bytes long
  for (const std::string& damaged : {bytes.substr(0, headers + 100), zone_out_of_range, unaligned,
                                     std::string("RIFF\x04\0\0\0sfbk", 12), bytes.substr(0, 11)}) {
    EXPECT_FALSE(platform::SoundFontFile::Open(Write("damaged.sf2", damaged))) << damaged.size() << " bytes";
  }
  EXPECT_TRUE(platform::SoundFontFile::Open(Write("whole.sf2", bytes)));
}

// Music-like frames: a wandering wave with noise, the full range touched.
std::vector<std::int16_t> Frames(std::size_t count) {
  std::mt19937 noise(7);
  std::vector<std::int16_t> samples(count * 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double wave = 20000 * std::sin(static_cast<double>(i) * 0.003) + static_cast<double>(noise() % 4001) - 2000;
    samples[i] = static_cast<std::int16_t>(std::clamp(wave, -32768.0, 32767.0));
  }
  samples[10] = -32768;
  samples[11] = 32767;
  return samples;
}

std::vector<float> Played(platform::RenderingReader& reader, std::size_t at, std::size_t count) {
  std::vector<float> out(count * 2, 0.0f);
  reader.MixInto(at, count, out.data());
  return out;
}

std::vector<float> Expected(const std::vector<std::int16_t>& samples, std::size_t at, std::size_t count) {
  std::vector<float> out;
  for (std::size_t i = at * 2; i < (at + count) * 2; ++i) out.push_back(static_cast<float>(samples[i]) / 32767);
  return out;
}

TEST(SongRenderingTest, PlaysBackWhatWasWrittenWhileWrittenAndFromTheStartAgain) {
  const std::size_t capacity = 30000;
  const std::vector<std::int16_t> samples = Frames(capacity + 500);
  platform::SongRendering rendering({1, 2, 3}, capacity);
  platform::RenderingReader reader(rendering);

  rendering.Append(samples.data(), 10000);
  EXPECT_EQ(rendering.taken(), 10000u);
  const std::size_t early = rendering.ready();
  EXPECT_GT(early, 0u);  // whole blocks are ready before the end
  EXPECT_LT(early, 10000u);
  EXPECT_EQ(Played(reader, 0, early - 100), Expected(samples, 0, early - 100));

  // Beyond the capacity nothing is kept; the end makes the rest ready.
  rendering.Append(samples.data() + 20000, capacity + 500 - 10000);
  rendering.Finish();
  ASSERT_TRUE(rendering.finished());
  ASSERT_EQ(rendering.ready(), capacity);
  EXPECT_LT(rendering.encoded_bytes(), capacity * 4);
  const std::size_t rest = capacity - early + 100;
  EXPECT_EQ(Played(reader, early - 100, rest), Expected(samples, early - 100, rest));
  EXPECT_EQ(Played(reader, 5, 3000), Expected(samples, 5, 3000));  // back to the start
  EXPECT_EQ(Played(reader, 0, 0), std::vector<float>());
}

TEST(SynthMixerTest, AWaveIsMixedOnTopAndLetGoOncePlayed) {
  platform::SynthMixer mixer;
  auto wave = std::make_shared<const platform::SynthMixer::Wave>(platform::SynthMixer::Wave{32767, -32767, 16384, 0});
  mixer.PlayWave(wave);
  std::vector<float> out(6, 9.0f);
  mixer.Render(out.data(), 3);
  EXPECT_EQ(std::tuple(out, mixer.WavePlaying(), wave.use_count()),
            std::tuple(std::vector<float>{1.0f, -1.0f, 16384 / 32767.0f, 0.0f, 0.0f, 0.0f}, false, 1));
}

}  // namespace

// A soundfont cut to a song's programs, read back by fluidsynth itself.
#include "platform/audio/soundfont_subset.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <set>
#include <utility>

#include "platform/audio/synth_mixer.h"

namespace {

using Presets = std::set<std::pair<int, int>>;  // bank, program

// The presets fluidsynth finds in a font file.
Presets PresetsIn(const std::string& path) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_synth_t* synth = new_fluid_synth(settings);
  Presets presets;
  const int id = fluid_synth_sfload(synth, path.c_str(), 0);
  if (fluid_sfont_t* font = id == FLUID_FAILED ? nullptr : fluid_synth_get_sfont_by_id(synth, id)) {
    fluid_sfont_iteration_start(font);
    while (fluid_preset_t* preset = fluid_sfont_iteration_next(font)) {
      presets.insert({fluid_preset_get_banknum(preset), fluid_preset_get_num(preset)});
    }
  }
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
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
    for (const std::string& candidate : platform::DefaultSoundFonts()) {
      if (font.empty() && platform::SoundFontFile::Open(candidate)) font = candidate;
    }
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
  for (const std::set<int>& programs : std::vector<std::set<int>>{{}, {56}, {0, 32, 56, 127}}) {
    std::bitset<128> wanted;
    for (int program : programs) wanted.set(static_cast<std::size_t>(program));
    const auto subset = platform::SoundFontFile::Open(font)->Subset(wanted);
    Presets expected;
    for (const auto& preset : whole) {
      if (preset.second == 0 || programs.count(preset.second)) expected.insert(preset);
    }
    EXPECT_EQ(PresetsIn(Write("cut.sf2", Bytes(*subset))), expected) << programs.size() << " programs";
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

}  // namespace

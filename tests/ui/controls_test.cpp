// How the controls' texts read in each language; and what a player must be
// able to see in the pictures: sizes and colours as the window needs them,
// legs that move, runners told apart by shape, a bubble that leaves its text
// room. (The build decodes every picture source, and stops at a mistake with
// its file and line.) The toolkit behaviours the rules rely on show in the
// games of the other tests: a bar pulled in or moved during a race in the
// settlement rows, a drag and the option buttons in the window's; what they
// do beyond that (a handler run again, the same interval set again on a running
// timer) changes nothing the game does.
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ui/form_definition.h"
#include "ui/picture_names.h"
#include "ui/pictures.h"

namespace {

// A text is rendered alike for every language: its places filled in the
// order the language's template wants, an entry in a place in that language
// too, and what goes into a place never read again for places. (An empty
// text, which the bubble shows at times, the window test reads.)
TEST(TextTest, PlacesAreFilledInTheOrderEachLanguageWants) {
  using platform::Text;
  constexpr platform::TextId kBet = MASCOT_TEXT("Test", "%1に%2まめ");
  constexpr platform::TextId kJoined = MASCOT_TEXT("Test", "%1%2");
  constexpr platform::TextId kPiece = MASCOT_TEXT("Test", "ワタシは");
  const std::map<std::string, std::string> other = {{"%1に%2まめ", "%2 mame on %1"}, {"%1%2", "%1 %2"}, {"ワタシは", "I'm"}};
  const auto translate = [&other](const platform::TextId& id) { return other.at(id.source); };
  const std::tuple<Text, std::string, std::string> kRows[] = {
      {Text(kBet).Arg(3).Arg(120), "3に120まめ", "120 mame on 3"},
      {Text(kJoined).Arg(kPiece).Arg("%1"), "ワタシは%1", "I'm %1"}};
  for (const auto& [text, japanese, translated] : kRows) {
    EXPECT_EQ(std::pair(platform::Japanese(text), platform::Render(text, translate)), std::pair(japanese, translated));
  }
}

const ui::Bitmap& Picture(const std::string& name) {
  const ui::Bitmap* bitmap = ui::FindPicture(name);
  if (!bitmap) throw std::runtime_error("no picture " + name);
  return *bitmap;
}

std::size_t Colours(const ui::Bitmap& bitmap) { return std::set(bitmap.pixels.begin(), bitmap.pixels.end()).size(); }

int Covered(const ui::Bitmap& a, const ui::Bitmap& b) {  // pixels covered in one picture and not the other
  int differ = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) differ += (a.pixels[i] >> 24 == 0) != (b.pixels[i] >> 24 == 0);
  return differ;
}

TEST(PicturesTest, WhatThePlayerSees) {
  for (const ui::FormDefinition* form : {&ui::MainFormDefinition(), &ui::AboutFormDefinition()}) {
    for (const ui::ControlDefinition& control : form->controls) {  // every image in its own size
      if (control.kind != ui::ControlKind::Image) continue;
      EXPECT_EQ(Picture(control.picture).width * 15, control.geometry.width) << control.name;
      EXPECT_EQ(Picture(control.picture).height * 15, control.geometry.height) << control.name;
    }
  }
  const std::uint32_t lane_colours[6] = {0xFF0000FF, 0xFFFF0000, 0xFFFF00FF, 0xFF008000, 0xFF404040, 0xFF808000};
  for (int lane = 0; lane < 6; ++lane) {
    for (int frame = 1; frame <= ui::kRunnerFrames; ++frame) {
      const ui::Bitmap& runner = Picture(ui::RunnerPicture(lane, frame));
      const ui::Bitmap& next = Picture(ui::RunnerPicture(lane, frame == 9 ? 2 : frame + 1));
      SCOPED_TRACE(ui::RunnerPicture(lane, frame));
      EXPECT_EQ(runner.width * runner.height, 32 * 32);
      EXPECT_LE(Colours(runner), 16u);
      EXPECT_EQ(runner.At(0, 0) | runner.At(31, 0) | runner.At(0, 31) | runner.At(31, 31), 0u);  // a clear ground
      EXPECT_GE(std::count(runner.pixels.begin(), runner.pixels.end(), lane_colours[lane]), 60);
      EXPECT_FALSE(std::equal(runner.pixels.begin() + 24 * 32, runner.pixels.end(), next.pixels.begin() + 24 * 32));
    }
    for (int other = lane + 1; other < 6; ++other) {  // told apart by outline, not only by colour
      EXPECT_GE(Covered(Picture(ui::RunnerPicture(lane, 1)), Picture(ui::RunnerPicture(other, 1))), 100);
    }
  }
  std::set<std::vector<std::uint32_t>> colourings;
  for (int colour = 0; colour <= ui::kMascotColours; ++colour) {  // recoloured, never reshaped
    colourings.insert(Picture(ui::MascotPicture(colour)).pixels);
    EXPECT_EQ(Covered(Picture(ui::MascotPicture(colour)), Picture(ui::MascotPicture(0))), 0);
  }
  EXPECT_EQ(colourings.size(), 7u);
  const ui::Bitmap& bubble = Picture(ui::kBubblePicture);
  EXPECT_EQ(Colours(bubble), 2u);
  for (int y = 16; y < 16 + 57; ++y) {  // the speech label lies over the bubble at twips 720, 240, 3255 x 855
    for (int x = 48; x < 48 + 217; ++x) ASSERT_EQ(bubble.At(x, y), 0xFFFFFFFFu) << x << "," << y;
  }
}

}  // namespace

// The pictures the window shows: sizes, colour counts, and the things a
// player must be able to see (legs that move, runners told apart by shape,
// a bubble that leaves its text room).
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/form_definition.h"
#include "ui/picture_names.h"

namespace {

using ui::Bitmap;
using ui::FindPicture;
using ui::RunnerPicture;

constexpr int kLanes = 6;
constexpr std::uint32_t kPaper = 0xFFFFFFFF;

bool IsClear(std::uint32_t pixel) { return (pixel >> 24) == 0; }

// Distinct ARGB values; a transparent pixel counts as a colour of its own,
// as it takes a palette slot in a 16-colour picture.
std::set<std::uint32_t> Colours(const Bitmap& bitmap) {
  return std::set<std::uint32_t>(bitmap.pixels.begin(), bitmap.pixels.end());
}

// How many pixels are covered in one picture and not in the other.
int ShapeDifference(const Bitmap& a, const Bitmap& b) {
  int differ = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) differ += IsClear(a.At(x, y)) != IsClear(b.At(x, y));
  return differ;
}

bool RowsDiffer(const Bitmap& a, const Bitmap& b, int from_row) {
  for (int y = from_row; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (a.At(x, y) != b.At(x, y)) return true;
  return false;
}

const Bitmap& Picture(const std::string& name) {
  const Bitmap* bitmap = FindPicture(name);
  if (!bitmap) throw std::runtime_error("no picture " + name);
  return *bitmap;
}

const Bitmap& Runner(int lane, int frame) { return Picture(RunnerPicture(lane, frame)); }

int Pixels(float twips) { return static_cast<int>(twips / 15); }

TEST(PicturesTest, UnknownNamesFindNothing) {
  EXPECT_EQ(FindPicture("runner6.1"), nullptr);
  EXPECT_EQ(FindPicture("runner0.10"), nullptr);
  EXPECT_EQ(FindPicture(""), nullptr);
}

TEST(PicturesTest, EveryImageShowsAPictureOfItsOwnSize) {
  for (const ui::FormDefinition* form : {&ui::MainFormDefinition(), &ui::AboutFormDefinition()}) {
    ASSERT_NE(FindPicture(form->icon), nullptr) << form->name;
    EXPECT_EQ(Picture(form->icon).width, 32);
    for (const ui::ControlDefinition& control : form->controls) {
      if (control.kind != ui::ControlKind::Image) continue;
      SCOPED_TRACE(control.name + std::to_string(control.index));
      ASSERT_NE(FindPicture(control.picture), nullptr) << control.picture;
      EXPECT_EQ(Picture(control.picture).width, Pixels(control.geometry.width));
      EXPECT_EQ(Picture(control.picture).height, Pixels(control.geometry.height));
    }
  }
}

TEST(PicturesTest, EveryImageListHoldsItsPicturesInTheirSizes) {
  int runner_lists = 0;
  for (const ui::ControlDefinition& control : ui::MainFormDefinition().controls) {
    if (control.kind != ui::ControlKind::ImageList) continue;
    SCOPED_TRACE(control.name + std::to_string(control.index));
    bool runners = control.name == "CharList";
    runner_lists += runners;
    ASSERT_EQ(control.pictures.size(), runners ? 9u : 6u);
    for (const std::string& name : control.pictures) {
      ASSERT_NE(FindPicture(name), nullptr) << name;
      EXPECT_EQ(Picture(name).width, runners ? 32 : 73) << name;
      EXPECT_EQ(Picture(name).height, runners ? 32 : 68) << name;
      EXPECT_EQ(Picture(name).pixels.size(), static_cast<std::size_t>(Picture(name).width * Picture(name).height));
    }
  }
  EXPECT_EQ(runner_lists, kLanes);
}

TEST(PicturesTest, NoPictureHasMoreThanSixteenColours) {
  std::vector<std::string> names = {ui::MascotPicture(0)};
  for (int colour = 1; colour <= ui::kMascotColours; ++colour) names.push_back(ui::MascotPicture(colour));
  for (int lane = 0; lane < kLanes; ++lane)
    for (int frame = 1; frame <= ui::kRunnerFrames; ++frame) names.push_back(RunnerPicture(lane, frame));
  for (const std::string& name : names) EXPECT_LE(Colours(Picture(name)).size(), 16u) << name;
}

TEST(PicturesTest, RunnersStandOnAClearBackground) {
  for (int lane = 0; lane < kLanes; ++lane) {
    for (int frame = 1; frame <= ui::kRunnerFrames; ++frame) {
      const Bitmap& runner = Runner(lane, frame);
      SCOPED_TRACE(RunnerPicture(lane, frame));
      EXPECT_TRUE(IsClear(runner.At(0, 0)));
      EXPECT_TRUE(IsClear(runner.At(31, 0)));
      EXPECT_TRUE(IsClear(runner.At(0, 31)));
      EXPECT_TRUE(IsClear(runner.At(31, 31)));
      // Nothing half-transparent: every pixel is either runner or background.
      for (std::uint32_t pixel : runner.pixels) EXPECT_TRUE(pixel >> 24 == 0 || pixel >> 24 == 0xFF);
    }
  }
}

TEST(PicturesTest, RunnersWearTheirLaneColour) {
  const std::uint32_t lane_colours[kLanes] = {0xFF0000FF, 0xFFFF0000, 0xFFFF00FF, 0xFF008000, 0xFF404040, 0xFF808000};
  for (int lane = 0; lane < kLanes; ++lane) {
    const Bitmap& runner = Runner(lane, 1);
    int worn = 0;
    for (std::uint32_t pixel : runner.pixels) worn += pixel == lane_colours[lane];
    EXPECT_GE(worn, 60) << "lane " << lane;
  }
}

TEST(PicturesTest, TheStandingPoseDiffersFromEveryRunningFrame) {
  for (int lane = 0; lane < kLanes; ++lane)
    for (int frame = 2; frame <= ui::kRunnerFrames; ++frame)
      EXPECT_NE(Runner(lane, 1).pixels, Runner(lane, frame).pixels) << RunnerPicture(lane, frame);
}

TEST(PicturesTest, TheLegsMoveFromEachRunningFrameToTheNext) {
  // Frames 2..9 loop, so 9 leads back to 2. The legs live in the bottom rows.
  constexpr int kLegRows = 24;
  for (int lane = 0; lane < kLanes; ++lane) {
    std::set<std::vector<std::uint32_t>> distinct;
    for (int frame = 2; frame <= ui::kRunnerFrames; ++frame) {
      int next = frame == ui::kRunnerFrames ? 2 : frame + 1;
      EXPECT_TRUE(RowsDiffer(Runner(lane, frame), Runner(lane, next), kLegRows)) << RunnerPicture(lane, frame);
      distinct.insert(Runner(lane, frame).pixels);
    }
    EXPECT_GE(distinct.size(), 4u) << "lane " << lane;
  }
}

TEST(PicturesTest, EachRunnerHasAShapeOfItsOwn) {
  // Told apart by outline, not only by colour: every two standing runners
  // differ in at least this many covered pixels (of 1024).
  constexpr int kLeastDifference = 100;
  for (int a = 0; a < kLanes; ++a)
    for (int b = a + 1; b < kLanes; ++b)
      EXPECT_GE(ShapeDifference(Runner(a, 1), Runner(b, 1)), kLeastDifference) << "lanes " << a << " and " << b;
}

TEST(PicturesTest, TheMascotComesInSixColourings) {
  std::set<std::vector<std::uint32_t>> colourings;
  for (int colour = 0; colour <= ui::kMascotColours; ++colour) {
    const Bitmap& mascot = Picture(ui::MascotPicture(colour));
    EXPECT_EQ(mascot.width, 73);
    EXPECT_EQ(mascot.height, 68);
    colourings.insert(mascot.pixels);
    // Recoloured, never reshaped: the player sees the same mascot.
    EXPECT_EQ(ShapeDifference(mascot, Picture(ui::MascotPicture(0))), 0) << colour;
  }
  EXPECT_EQ(colourings.size(), 7u);
}

struct Bubble : ::testing::Test {
  const Bitmap& bubble = Picture(ui::kBubblePicture);
  // The speech label lies over the bubble at this place (twips 720, 240, 3255 x 855).
  static constexpr int kTextLeft = 48, kTextTop = 16, kTextWidth = 217, kTextHeight = 57;
};

TEST_F(Bubble, HasTwoColoursInItsSize) {
  EXPECT_EQ(bubble.width, 279);
  EXPECT_EQ(bubble.height, 85);
  auto colours = Colours(bubble);
  EXPECT_EQ(colours.size(), 2u);
  EXPECT_TRUE(colours.count(kPaper));
}

TEST_F(Bubble, LeavesTheTextRoomWhite) {
  for (int y = kTextTop; y < kTextTop + kTextHeight; ++y)
    for (int x = kTextLeft; x < kTextLeft + kTextWidth; ++x) ASSERT_EQ(bubble.At(x, y), kPaper) << x << "," << y;
}

TEST_F(Bubble, IsOutlinedAroundTheText) {
  int middle = kTextTop + kTextHeight / 2;
  auto ink_between = [&](int x0, int x1, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (bubble.At(x, y) != kPaper) return true;
    return false;
  };
  EXPECT_TRUE(ink_between(kTextLeft + kTextWidth, bubble.width - 1, middle, middle));  // right
  EXPECT_TRUE(ink_between(150, 150, 0, kTextTop - 1));                                // top
  EXPECT_TRUE(ink_between(150, 150, kTextTop + kTextHeight, bubble.height - 1));       // bottom
}

TEST_F(Bubble, ItsTailPointsLeftToTheMascot) {
  // The leftmost ink is a narrow tip at the left edge, beside the mascot's
  // face, and well left of where the bubble's body starts.
  int tip_x = bubble.width, tip_rows = 0, tip_y = -1;
  for (int x = 0; x < bubble.width && tip_rows == 0; ++x) {
    for (int y = 0; y < bubble.height; ++y) {
      if (bubble.At(x, y) != kPaper) {
        tip_x = x;
        tip_y = y;
        ++tip_rows;
      }
    }
  }
  EXPECT_LE(tip_x, 3);
  EXPECT_LE(tip_rows, 3);
  EXPECT_GT(tip_y, kTextTop);
  EXPECT_LT(tip_y, kTextTop + kTextHeight);
  int body_left = bubble.width;
  for (int x = 0; x < bubble.width; ++x)
    if (bubble.At(x, 2) != kPaper) body_left = std::min(body_left, x);
  EXPECT_GE(body_left, 20);
}

}  // namespace

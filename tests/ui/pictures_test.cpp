// What a player must be able to see in the pictures: sizes and colours as the
// window needs them, legs that move, runners told apart by shape, a bubble
// that leaves its text room. (The build decodes every picture source, and
// stops at a mistake with its file and line.)
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/form_definition.h"
#include "ui/picture_names.h"

namespace {

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

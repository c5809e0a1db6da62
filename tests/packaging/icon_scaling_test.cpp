#include "icon_scaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "ui/pictures.h"

namespace {

using packaging::IconOfSize;

constexpr std::uint32_t kClear = 0x00000000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

ui::Bitmap Filled(int size, std::uint32_t colour) {
  ui::Bitmap bitmap;
  bitmap.width = size;
  bitmap.height = size;
  bitmap.pixels.assign(static_cast<std::size_t>(size * size), colour);
  return bitmap;
}

void Set(ui::Bitmap& bitmap, int x, int y, std::uint32_t colour) {
  bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)] = colour;
}

const ui::Bitmap& Runner() {
  const ui::Bitmap* runner = ui::FindPicture("runner0.1");
  if (!runner) throw std::runtime_error("no runner picture");
  return *runner;
}

TEST(IconScaling, TheWindowIconIsTheIconThemes32PixelIconAsItIs) {
  ASSERT_EQ(Runner().width, 32);
  ui::Bitmap icon = IconOfSize(Runner(), 32);
  EXPECT_EQ(icon.pixels, Runner().pixels);
}

TEST(IconScaling, LargerIconsRepeatEveryPixelAsAWholeSquare) {
  for (int size : {64, 128, 256}) {
    const int factor = size / 32;
    ui::Bitmap icon = IconOfSize(Runner(), size);
    ASSERT_EQ(icon.width, size);
    ASSERT_EQ(icon.height, size);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        ASSERT_EQ(icon.At(x, y), Runner().At(x / factor, y / factor)) << size << " at " << x << "," << y;
      }
    }
  }
}

TEST(IconScaling, The48PixelIconIsThePictureUnblurredWithAClearBorder) {
  ui::Bitmap icon = IconOfSize(Runner(), 48);
  ASSERT_EQ(icon.width, 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const bool inside = x >= 8 && x < 40 && y >= 8 && y < 40;
      ASSERT_EQ(icon.At(x, y), inside ? Runner().At(x - 8, y - 8) : kClear) << x << "," << y;
    }
  }
}

TEST(IconScaling, The16PixelIconAveragesEachBlockOfFour) {
  ui::Bitmap picture = Filled(32, kClear);
  Set(picture, 0, 0, kBlue);  // a whole blue block
  Set(picture, 1, 0, kBlue);
  Set(picture, 0, 1, kBlue);
  Set(picture, 1, 1, kBlue);
  Set(picture, 2, 0, kBlue);  // half blue, half white
  Set(picture, 3, 0, kBlue);
  Set(picture, 2, 1, kWhite);
  Set(picture, 3, 1, kWhite);
  Set(picture, 4, 0, kBlue);  // one blue pixel among clear ones
  ui::Bitmap icon = IconOfSize(picture, 16);
  ASSERT_EQ(icon.width, 16);
  EXPECT_EQ(icon.At(0, 0), kBlue);
  EXPECT_EQ(icon.At(1, 0), 0xFF8080FFu);
  // Clear neighbours thin a colour out but never darken it.
  EXPECT_EQ(icon.At(2, 0), 0x400000FFu);
  EXPECT_EQ(icon.At(3, 0), kClear);
}

TEST(IconScaling, SizesThatWouldBlurAreRefused) {
  EXPECT_THROW(IconOfSize(Runner(), 24), std::invalid_argument);
  EXPECT_THROW(IconOfSize(Runner(), 0), std::invalid_argument);
  ui::Bitmap wide = Filled(32, kBlue);
  wide.width = 64;
  wide.height = 16;
  EXPECT_THROW(IconOfSize(wide, 64), std::invalid_argument);
}

}  // namespace

// The icon theme's sizes drawn from the 32-pixel icon without blurring it.
#include "icon_scaling.h"

#include <gtest/gtest.h>

namespace {

// Every pixel of the picture its own colour, so a pixel of a bigger icon names the one it was copied from;
// halving averages each block of four, where clear neighbours thin a colour out but never darken it.
TEST(IconScalingTest, WholeEnlargementsAClearBorderOrHalving) {
  ui::Bitmap picture{32, 32, {}};
  for (std::uint32_t at = 0; at < 32 * 32; ++at) picture.pixels.push_back(0xFF000000u | at);
  EXPECT_EQ(packaging::IconOfSize(picture, 32).pixels, picture.pixels);
  const ui::Bitmap big = packaging::IconOfSize(picture, 128), bordered = packaging::IconOfSize(picture, 48);
  for (const auto& [x, y] : {std::pair{0, 0}, {3, 3}, {4, 0}, {127, 126}})
    EXPECT_EQ(big.At(x, y), picture.At(x / 4, y / 4));
  for (const auto& [x, y] : {std::pair{7, 20}, {40, 20}, {20, 7}, {20, 40}}) EXPECT_EQ(bordered.At(x, y), 0u);
  for (const auto& [x, y] : {std::pair{8, 8}, {39, 39}}) EXPECT_EQ(bordered.At(x, y), picture.At(x - 8, y - 8));
  EXPECT_THROW(packaging::IconOfSize(picture, 24), std::invalid_argument);
  picture.pixels.assign(32 * 32, 0);
  for (int at : {0, 1, 32, 33, 2, 3, 4}) picture.pixels[static_cast<std::size_t>(at)] = 0xFF0000FF;
  picture.pixels[34] = picture.pixels[35] = 0xFFFFFFFF;
  const ui::Bitmap small = packaging::IconOfSize(picture, 16);
  EXPECT_EQ(std::vector<std::uint32_t>({small.At(0, 0), small.At(1, 0), small.At(2, 0), small.At(3, 0)}),
            std::vector<std::uint32_t>({0xFF0000FF, 0xFF8080FF, 0x400000FF, 0}));
}

}  // namespace

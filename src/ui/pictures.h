// The window's pictures, decoded without any toolkit so that headless tests
// can look at them; the view only turns them into pixmaps.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ui {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row by row from the top
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The picture of that name (see picture_names.h), or null when there is none.
const Bitmap* FindPicture(std::string_view name);

}  // namespace ui

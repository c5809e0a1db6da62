#include "icon_scaling.h"

#include <cstdint>
#include <string>

namespace packaging {

namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

ui::Bitmap Clear(int size) {
  ui::Bitmap icon;
  icon.width = size;
  icon.height = size;
  icon.pixels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
  return icon;
}

// Each pixel becomes a factor x factor block, centred in the icon.
ui::Bitmap Enlarged(const ui::Bitmap& picture, int factor, int size) {
  ui::Bitmap icon = Clear(size);
  const int margin = (size - picture.width * factor) / 2;
  for (int y = 0; y < picture.height * factor; ++y) {
    for (int x = 0; x < picture.width * factor; ++x) {
      icon.pixels[static_cast<std::size_t>((margin + y) * size + margin + x)] = picture.At(x / factor, y / factor);
    }
  }
  return icon;
}

// Averages factor x factor blocks, weighting colours by their opacity so that
// clear pixels do not darken the outline.
ui::Bitmap Reduced(const ui::Bitmap& picture, int factor, int size) {
  ui::Bitmap icon = Clear(size);
  const std::uint32_t count = static_cast<std::uint32_t>(factor * factor);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t alpha = 0;
      std::uint32_t red = 0;
      std::uint32_t green = 0;
      std::uint32_t blue = 0;
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          const std::uint32_t pixel = picture.At(x * factor + dx, y * factor + dy);
          const std::uint32_t a = Channel(pixel, 24);
          alpha += a;
          red += Channel(pixel, 16) * a;
          green += Channel(pixel, 8) * a;
          blue += Channel(pixel, 0) * a;
        }
      }
      if (alpha == 0) continue;
      const auto rounded = [](std::uint32_t sum, std::uint32_t by) { return (sum + by / 2) / by; };
      icon.pixels[static_cast<std::size_t>(y * size + x)] = rounded(alpha, count) << 24 |
                                                            rounded(red, alpha) << 16 |
                                                            rounded(green, alpha) << 8 | rounded(blue, alpha);
    }
  }
  return icon;
}

}  // namespace

ui::Bitmap IconOfSize(const ui::Bitmap& picture, int size) {
  if (picture.width <= 0 || picture.width != picture.height) {
    throw std::invalid_argument("the icon picture must be square");
  }
  if (size >= picture.width) return Enlarged(picture, size / picture.width, size);
  if (size > 0 && picture.width % size == 0) return Reduced(picture, picture.width / size, size);
  throw std::invalid_argument("no crisp " + std::to_string(size) + "-pixel icon from a " +
                              std::to_string(picture.width) + "-pixel picture");
}

}  // namespace packaging

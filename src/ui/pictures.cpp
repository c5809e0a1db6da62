// Stand-in pictures drawn in code: a coloured runner per lane with moving
// legs, the mascot in six colours and the speech bubble.
#include "ui/pictures.h"

#include <array>
#include <map>
#include <string>

#include "ui/picture_names.h"

namespace ui {

namespace {

constexpr std::uint32_t kClear = 0x00000000;
constexpr std::uint32_t kInk = 0xFF000000;
constexpr std::uint32_t kPaper = 0xFFFFFFFF;

constexpr std::array<std::uint32_t, 6> kLaneColours = {0xFF0000FF, 0xFFFF0000, 0xFFFF00FF,
                                                       0xFF008000, 0xFF404040, 0xFF808000};
constexpr std::array<std::uint32_t, 7> kMascotTints = {0xFFFFA040, 0xFFFF6060, 0xFF60C060, 0xFF6080FF,
                                                         0xFFE0E040, 0xFFC080FF, 0xFF80E0E0};

Bitmap Blank(int width, int height, std::uint32_t fill) {
  return Bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), fill)};
}

void Put(Bitmap& bitmap, int x, int y, std::uint32_t colour) {
  if (x >= 0 && y >= 0 && x < bitmap.width && y < bitmap.height) bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)] = colour;
}

void Disc(Bitmap& bitmap, int cx, int cy, int r, std::uint32_t colour) {
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r) Put(bitmap, cx + x, cy + y, colour);
}

Bitmap Runner(int lane, int frame) {
  Bitmap bitmap = Blank(32, 32, kClear);
  // Running frames bob the body and swing the legs; frame 1 stands.
  int bob = frame == 1 ? 0 : (frame % 2);
  Disc(bitmap, 16, 12 + bob, 9, kLaneColours[static_cast<std::size_t>(lane)]);
  Put(bitmap, 12, 10 + bob, kInk);  // an eye on the left: it runs to the left
  int swing = frame == 1 ? 0 : ((frame - 2) % 4) - 2;
  for (int y = 21; y < 30; ++y) {
    Put(bitmap, 13 + swing * (y - 21) / 4, y + bob / 2, kInk);
    Put(bitmap, 19 - swing * (y - 21) / 4, y + bob / 2, kInk);
  }
  return bitmap;
}

Bitmap Mascot(int colour) {
  Bitmap bitmap = Blank(73, 68, kClear);
  Disc(bitmap, 36, 36, 28, kMascotTints[static_cast<std::size_t>(colour)]);
  Disc(bitmap, 27, 30, 4, kInk);
  Disc(bitmap, 45, 30, 4, kInk);
  for (int x = 28; x <= 44; ++x) Put(bitmap, x, 46 + (x - 36) * (x - 36) / 20, kInk);
  return bitmap;
}

Bitmap Bubble() {
  Bitmap bitmap = Blank(279, 85, kPaper);
  for (int x = 0; x < 279; ++x) {
    Put(bitmap, x, 0, kInk);
    Put(bitmap, x, 84, kInk);
  }
  for (int y = 0; y < 85; ++y) {
    Put(bitmap, 0, y, kInk);
    Put(bitmap, 278, y, kInk);
  }
  return bitmap;
}

std::map<std::string, Bitmap, std::less<>> BuildLibrary() {
  std::map<std::string, Bitmap, std::less<>> library;
  for (int lane = 0; lane < 6; ++lane)
    for (int frame = 1; frame <= kRunnerFrames; ++frame) library[RunnerPicture(lane, frame)] = Runner(lane, frame);
  for (int colour = 0; colour <= kMascotColours; ++colour) library[MascotPicture(colour)] = Mascot(colour);
  library[kBubblePicture] = Bubble();
  return library;
}

}  // namespace

const Bitmap* FindPicture(std::string_view name) {
  static const auto library = BuildLibrary();
  auto found = library.find(name);
  return found == library.end() ? nullptr : &found->second;
}

}  // namespace ui

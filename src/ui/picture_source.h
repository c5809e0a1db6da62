// The text form our pictures are drawn in (assets/pictures/*.pic), and its
// decoder. One character is one pixel; a palette says what each character
// means, so a runner's colours or one of its legs is a small, diffable edit.
//
//   # a comment line
//   palette lane0 [from base]     entries follow: <char> #RRGGBB | <char> clear
//   part body 32x24               exactly 24 rows of 32 characters follow
//   picture runner0.2 lane0 32x32 stamps follow: <part> <x>,<y>
//
// A picture starts clear and its parts are stamped in order; a part's clear
// pixels leave what lies below. Everything must be defined above its use.
#pragma once

#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/pictures.h"

namespace ui {

// "file:line: what is wrong", so a bad edit points at itself.
class PictureSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PictureSource {
  std::string_view file;
  std::string_view text;
};

using NamedBitmap = std::pair<std::string, Bitmap>;
using PictureLibrary = std::map<std::string, Bitmap, std::less<>>;

// The pictures of one source, in the order they are declared.
std::vector<NamedBitmap> DecodePictureSource(const PictureSource& source);

// All pictures of all sources; a name drawn twice is an error.
PictureLibrary DecodePictureSources(std::span<const PictureSource> sources);

// The sources built into the program (generated from assets/pictures).
std::span<const PictureSource> EmbeddedPictureSources();

}  // namespace ui

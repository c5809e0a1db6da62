// The window's pictures are drawn as text in assets/pictures; the build
// embeds those sources and we decode them here, once, at first use.
#include "ui/pictures.h"

#include "ui/picture_source.h"

namespace ui {

const Bitmap* FindPicture(std::string_view name) {
  static const PictureLibrary library = DecodePictureSources(EmbeddedPictureSources());
  auto found = library.find(name);
  return found == library.end() ? nullptr : &found->second;
}

}  // namespace ui

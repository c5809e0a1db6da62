// The font module's entry point: HarfBuzz's subsetter is in memory only
// while the game cuts a font, which it does once for a font and its texts.
#include "platform/fonts/font_cut.h"

bool MascotRaceCutFont(const std::string& path, int face, std::u32string_view characters, std::u16string_view family,
                       std::string& cut) {
  cut = platform::CutFont(path, face, characters, family);
  return !cut.empty();
}

// A font cut down to a few characters, by HarfBuzz's subsetter. The game's
// texts use a few hundred of a Japanese font's twenty thousand glyphs, and
// every glyph looked up in a whole font file maps the pages around it.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The face `face` of the font file at `path` holding only `characters`,
// renamed `family`, as a font file; empty when the file is not a font this
// can cut.
std::string CutFont(const std::string& path, int face, std::u32string_view characters, std::u16string_view family);

}  // namespace platform

// The one symbol the font module exports (the game opens the module only when
// it has a font to cut, and closes it again): CutFont into `cut`; false when
// nothing was cut.
extern "C" __attribute__((visibility("default"))) bool MascotRaceCutFont(const std::string& path, int face, std::u32string_view characters,
                                                                         std::u16string_view family,
                                                                         std::string& cut);

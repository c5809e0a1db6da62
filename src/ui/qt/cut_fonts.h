// The window's fonts as copies cut down to the characters of the game's
// texts, made once and kept between runs: the whole Japanese fonts map some
// five megabytes for the few hundred glyphs the game shows.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui::qt {

// Where fontconfig keeps `family` itself (not a stand-in): a file, and the
// face in it.
struct FontFile {
  std::string path;
  int face = 0;
};
std::optional<FontFile> InstalledFileOf(const QString& family);

// How cut copies are made (empty when a file cannot be cut) and where they
// are kept between runs.
struct FontCutter {
  std::function<std::string(const FontFile&, std::u32string_view characters, std::u16string_view family)> cut;
  QString cache_directory;
};

// The family of a copy of `family` cut down to `characters`, registered with
// Qt: read from the cache when it holds one made from the same file for the
// same characters, made and kept there otherwise. Empty when there is none
// (the family is not installed as itself, or its file could not be cut).
QString RegisterCutCopy(const QString& family, std::u32string_view characters, const FontCutter& cutter);

// Set once at start-up, before the first font is asked for: CutCopyOf then
// cuts to every character of the game's texts. Without it the whole fonts are
// used.
void UseCutFonts(FontCutter cutter);
// RegisterCutCopy for the game's characters, once per family.
QString CutCopyOf(const QString& family);

}  // namespace ui::qt

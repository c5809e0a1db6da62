// The fonts cut down to the game's characters: what a cut copy holds, how it
// is kept between runs, and that anything else leaves the whole font in use.
#include "ui/qt/cut_fonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRawFont>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/fonts/font_cut.h"

namespace {

using ui::qt::FontFile;

constexpr std::u32string_view kSome = U"Aこまめ堂";

struct CutFontsTest : ::testing::Test {
  void SetUp() override {
    file = ui::qt::InstalledFileOf("IPAPGothic");
    if (!file) GTEST_SKIP() << "IPAPGothic is not installed";
  }
  // Cuts with HarfBuzz, counting the cuts.
  ui::qt::FontCutter Cutter(const QString& cache) {
    return {[this](const FontFile& whole, std::u32string_view characters, std::u16string_view family) {
              ++cuts;
              return platform::CutFont(whole.path, whole.face, characters, family);
            },
            cache};
  }
  QStringList Kept() const { return QDir(cache.path()).entryList(QDir::Files); }

  std::optional<FontFile> file;
  QTemporaryDir cache;
  int cuts = 0;
};

TEST_F(CutFontsTest, ACopyHoldsTheCharactersAskedForUnderItsOwnName) {
  const std::string cut = platform::CutFont(file->path, file->face, kSome, u"Cut Gothic");
  EXPECT_LT(cut.size() * 20, QFileInfo(QString::fromStdString(file->path)).size());
  const QRawFont font(QByteArray::fromStdString(cut), 12);
  ASSERT_TRUE(font.isValid());
  EXPECT_EQ(font.familyName(), "Cut Gothic");
  for (char32_t character : kSome) EXPECT_TRUE(font.supportsCharacter(character)) << int(character);
  for (char32_t other : {U'馬', U'B'}) EXPECT_FALSE(font.supportsCharacter(other)) << int(other);
  // Fontconfig answers a missing family with a stand-in: that is never cut.
  EXPECT_FALSE(ui::qt::InstalledFileOf("No Such Family Anywhere"));
}

TEST_F(CutFontsTest, WhatIsNotAFontIsNotCut) {
  const std::string junk = cache.filePath("junk.ttf").toStdString();
  std::ofstream(junk, std::ios::binary).write("\0\1\0\0junk", 8);
  for (const auto& [path, face] : std::vector<std::pair<std::string, int>>{
           {"/nonexistent/font.ttf", 0}, {junk, 0}, {file->path, 7}, {file->path, -1}}) {
    EXPECT_TRUE(platform::CutFont(path, face, kSome, u"Cut").empty()) << path << " face " << face;
  }
}

TEST_F(CutFontsTest, ACopyIsKeptForTheNextRunAndMadeAgainWhenDamagedOrOutOfDate) {
  const QString family = ui::qt::RegisterCutCopy("IPAPGothic", kSome, Cutter(cache.path()));
  EXPECT_EQ(family, "Mascot Race IPAPGothic");
  ASSERT_EQ(Kept().size(), 1);
  EXPECT_EQ(ui::qt::RegisterCutCopy("IPAPGothic", kSome, Cutter(cache.path())), family);
  EXPECT_EQ(cuts, 1);  // the second run read the kept copy

  const QString kept = cache.filePath(Kept().front());
  std::ofstream(kept.toStdString()) << "damaged";
  EXPECT_EQ(ui::qt::RegisterCutCopy("IPAPGothic", kSome, Cutter(cache.path())), family);
  EXPECT_EQ(cuts, 2);
  EXPECT_GT(QFileInfo(kept).size(), 7);

  // Other texts: a new copy, in place of the old.
  EXPECT_EQ(ui::qt::RegisterCutCopy("IPAPGothic", U"Aこ", Cutter(cache.path())), family);
  EXPECT_EQ(std::pair(cuts, Kept().size()), std::pair(3, qsizetype{1}));
  EXPECT_NE(Kept().front(), QFileInfo(kept).fileName());
}

TEST_F(CutFontsTest, WithoutACopyTheWholeFontIsUsed) {
  const auto nothing = [](const FontFile&, std::u32string_view, std::u16string_view) { return std::string(); };
  EXPECT_EQ(ui::qt::RegisterCutCopy("IPAPGothic", kSome, {nothing, cache.path()}), "");
  EXPECT_EQ(ui::qt::RegisterCutCopy("IPAPGothic", kSome, {}), "");
  EXPECT_EQ(ui::qt::RegisterCutCopy("No Such Family Anywhere", kSome, Cutter(cache.path())), "");
  EXPECT_TRUE(Kept().isEmpty());
  // Where nothing can be kept, the copy is made on every run.
  EXPECT_EQ(ui::qt::RegisterCutCopy("IPAPGothic", kSome, Cutter("/proc/no-cache-here")), "Mascot Race IPAPGothic");
  EXPECT_EQ(cuts, 1);
}

}  // namespace

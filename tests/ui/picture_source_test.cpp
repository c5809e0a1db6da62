#include "ui/picture_source.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using ui::Bitmap;
using ui::DecodePictureSource;
using ui::PictureSource;
using ui::PictureSourceError;

constexpr std::uint32_t kClear = 0x00000000;
constexpr std::uint32_t kInk = 0xFF102030;
constexpr std::uint32_t kRed = 0xFFFF0000;

constexpr const char* kTwoFrames = R"(# a tiny runner: one body, two leg poses
palette tiny
  .  clear
  k  #102030  outline
  R  #FF0000

part body 3x2
  kRk
  .k.
part legs.a 3x1
k.k
part legs.b 3x1
.k.

picture tiny.1 tiny 3x4
  body 0,0
  legs.a 0,2
picture tiny.2 tiny 3x4
  body 0,1
  legs.b 0,3
)";

TEST(PictureSourceTest, PartsAreStampedWherePicturesPlaceThem) {
  auto pictures = DecodePictureSource({"tiny.pic", kTwoFrames});
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].first, "tiny.1");
  EXPECT_EQ(pictures[1].first, "tiny.2");

  const Bitmap& standing = pictures[0].second;
  EXPECT_EQ(standing.width, 3);
  EXPECT_EQ(standing.height, 4);
  EXPECT_EQ(standing.pixels, (std::vector<std::uint32_t>{kInk, kRed, kInk,     //
                                                         kClear, kInk, kClear,  //
                                                         kInk, kClear, kInk,    //
                                                         kClear, kClear, kClear}));
  const Bitmap& bobbing = pictures[1].second;
  EXPECT_EQ(bobbing.At(1, 0), kClear);  // the body sits one row lower
  EXPECT_EQ(bobbing.At(1, 1), kRed);
  EXPECT_EQ(bobbing.At(1, 3), kInk);
}

TEST(PictureSourceTest, ClearPixelsOfALaterPartLeaveWhatLiesBelow) {
  auto pictures = DecodePictureSource({"t.pic", R"(
palette p
  . clear
  a #0000AA
  b #0000BB
part back 2x1
aa
part front 2x1
.b
picture over p 2x1
  back 0,0
  front 0,0
)"});
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].second.pixels, (std::vector<std::uint32_t>{0xFF0000AA, 0xFF0000BB}));
}

TEST(PictureSourceTest, APaletteCanRecolourAnother) {
  auto pictures = DecodePictureSource({"t.pic", R"(
palette plain
  . clear
  a #0000AA
  b #0000BB
palette pink from plain
  a #FF80C0
part dot 2x1
ab
picture plain plain 2x1
  dot 0,0
picture pink pink 2x1
  dot 0,0
)"});
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].second.pixels, (std::vector<std::uint32_t>{0xFF0000AA, 0xFF0000BB}));
  EXPECT_EQ(pictures[1].second.pixels, (std::vector<std::uint32_t>{0xFFFF80C0, 0xFF0000BB}));
}

TEST(PictureSourceTest, UncoveredPixelsAreClear) {
  auto pictures = DecodePictureSource({"t.pic", "palette p\n a #123456\npart dot 1x1\na\npicture big p 2x2\n dot 1,1\n"});
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].second.pixels, (std::vector<std::uint32_t>{kClear, kClear, kClear, 0xFF123456}));
}

TEST(PictureSourceTest, WindowsLineEndsReadLikeAnyOther) {
  auto pictures = DecodePictureSource({"t.pic", "palette p\r\n a #123456\r\npart dot 1x1\r\na\r\npicture d p 1x1\r\n dot 0,0\r\n"});
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].second.At(0, 0), 0xFF123456u);
}

struct BadSource {
  const char* what;
  const char* text;
  const char* error;  // the message must hold this, line number included
};

// Every mistake names its file and line, so the build can say what to fix.
constexpr std::array kBadSources = {
    BadSource{"a pixel its palette lacks",
              "palette p\n . clear\n a #000000\npart x 2x2\n a.\n aq\npicture x p 2x2\n x 0,0\n",
              "bad.pic:6: 'q' is not in palette p (picture x)"},
    BadSource{"a short row", "palette p\n a #000000\npart x 3x1\naa\n", "bad.pic:4: row of part x is 2 wide, not 3"},
    BadSource{"a long row", "palette p\n a #000000\npart x 1x1\naa\n", "bad.pic:4: row of part x is 2 wide, not 1"},
    BadSource{"rows missing at the end", "palette p\n a #000000\npart x 1x3\na\na\n", "bad.pic:3: part x has 2 rows, not 3"},
    BadSource{"rows missing before the next block", "part x 1x2\na\npart y 1x1\na\n", "bad.pic:1: part x has 1 rows, not 2"},
    BadSource{"a blank inside a row", "part x 3x1\na a\n", "bad.pic:2: row of part x holds ' '"},
    BadSource{"a stray line", "hello world\n", "bad.pic:1: expected palette, part or picture, found 'hello'"},
    BadSource{"a colour with too few digits", "palette p\n a #12345\n", "bad.pic:2: '#12345' is not a colour"},
    BadSource{"a colour that is not hexadecimal", "palette p\n a #12345G\n", "bad.pic:2: '#12345G' is not a colour"},
    BadSource{"a colour without its hash", "palette p\n a 123456\n", "bad.pic:2: '123456' is not a colour"},
    BadSource{"a character given twice", "palette p\n a #000000\n a #FFFFFF\n", "bad.pic:3: 'a' is given twice in palette p"},
    BadSource{"a word as palette character", "palette p\n ab #000000\n", "bad.pic:2: 'ab' is not one pixel character"},
    BadSource{"'#' in a row, where it cannot mean a pixel", "part x 2x1\na#\n", "bad.pic:2: row of part x holds '#'"},
    BadSource{"a palette from nowhere", "palette p from q\n", "bad.pic:1: no palette q above this line"},
    BadSource{"a palette defined twice", "palette p\npalette p\n", "bad.pic:2: palette p is defined twice"},
    BadSource{"a part defined twice", "part x 1x1\na\npart x 1x1\na\n", "bad.pic:3: part x is defined twice"},
    BadSource{"a size without x", "part x 32by32\n", "bad.pic:1: '32by32' should read like 12x34"},
    BadSource{"a size of nothing", "part x 0x5\n", "bad.pic:1: '0' is not a number from 1 to 4096"},
    BadSource{"a name with a blank-like mark", "part x/y 1x1\n", "bad.pic:1: 'x/y' is not a name"},
    BadSource{"a keyword as name", "part picture 1x1\n", "bad.pic:1: 'picture' is a keyword, not a name"},
    BadSource{"a picture in an unknown palette", "part x 1x1\na\npicture y q 1x1\n", "bad.pic:3: no palette q above this line"},
    BadSource{"a picture with a missing word", "palette p\npicture y p\n", "bad.pic:2: should read: picture <name> <palette>"},
    BadSource{"a stamp of an unknown part", "palette p\n a #000000\npicture y p 1x1\n z 0,0\n",
              "bad.pic:4: no part z above this line"},
    BadSource{"a stamp reaching outside", "palette p\n a #000000\npart x 2x1\naa\npicture y p 2x1\n x 1,0\n",
              "bad.pic:6: part x at 1,0 reaches outside picture y"},
    BadSource{"a stamp at a negative place", "palette p\n a #000000\npart x 1x1\na\npicture y p 2x1\n x -1,0\n",
              "bad.pic:6: '-1' is not a number from 0 to 4096"},
    BadSource{"a stamp without a place", "palette p\n a #000000\npart x 1x1\na\npicture y p 2x1\n x\n",
              "bad.pic:6: should read: <part> <x>,<y>"},
    BadSource{"a picture without parts", "palette p\n a #000000\npicture y p 1x1\npicture z p 1x1\n",
              "bad.pic:3: picture y has no parts"},
    BadSource{"a picture drawn twice", "palette p\n a #000000\npart x 1x1\na\npicture y p 1x1\n x 0,0\npicture y p 1x1\n",
              "bad.pic:7: picture y is defined twice"},
};

TEST(PictureSourceTest, MistakesAreRefusedWithFileAndLine) {
  for (const BadSource& bad : kBadSources) {
    SCOPED_TRACE(bad.what);
    try {
      DecodePictureSource({"bad.pic", bad.text});
      ADD_FAILURE() << "decoded without complaint";
    } catch (const PictureSourceError& error) {
      EXPECT_NE(std::string(error.what()).find(bad.error), std::string::npos) << error.what();
    }
  }
}

TEST(PictureSourceTest, ANameDrawnInTwoFilesIsRefused) {
  const char* text = "palette p\n a #000000\npart x 1x1\na\npicture same p 1x1\n x 0,0\n";
  std::array<PictureSource, 2> sources = {PictureSource{"one.pic", text}, PictureSource{"two.pic", text}};
  EXPECT_THROW(ui::DecodePictureSources(sources), PictureSourceError);
  EXPECT_EQ(ui::DecodePictureSources(std::span(sources).first(1)).count("same"), 1u);
}

TEST(PictureSourceTest, TheBuiltInSourcesDecode) {
  ASSERT_FALSE(ui::EmbeddedPictureSources().empty());
  ui::PictureLibrary library;
  EXPECT_NO_THROW(library = ui::DecodePictureSources(ui::EmbeddedPictureSources()));
  EXPECT_TRUE(library.count("bubble"));
}

}  // namespace

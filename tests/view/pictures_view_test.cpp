// The pictures on the real window, offscreen: what a player sees when the
// game opens.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include "support/test_game.h"
#include "ui/picture_names.h"
#include "ui/pictures.h"
#include "ui/qt/main_window.h"

namespace {

using testing_support::TestGame;

bool IsClear(std::uint32_t pixel) { return (pixel >> 24) == 0; }

struct PicturesOnScreen : ::testing::Test {
  PicturesOnScreen() {
    game.Start();
    QApplication::processEvents();
    screen = window.ClientArea()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  }

  // Share of the picture's opaque pixels that show on screen at (left, top).
  double Shown(const ui::Bitmap& picture, int left, int top) const {
    int opaque = 0, shown = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        if (IsClear(picture.At(x, y))) continue;
        ++opaque;
        shown += screen.pixel(left + x, top + y) == picture.At(x, y);
      }
    }
    return opaque ? static_cast<double>(shown) / opaque : 0;
  }

  TestGame game;
  ui::qt::MainWindow window{game.session().form().form(), game.session()};
  QImage screen;
};

TEST_F(PicturesOnScreen, TheGrabIsOfTheClientAreaPixelForPixel) {
  EXPECT_EQ(screen.size(), QSize(676, 611));
}

TEST_F(PicturesOnScreen, TheSixRunnersStandOnTheStartLine) {
  const QRgb lane_colours[6] = {0xFF0000FF, 0xFFFF0000, 0xFFFF00FF, 0xFF008000, 0xFF404040, 0xFF808000};
  for (int lane = 0; lane < 6; ++lane) {
    SCOPED_TRACE(lane);
    const QRect place(517, 64 + 56 * lane, 32, 32);
    int lane_coloured = 0, drawn = 0;
    for (int y = place.top(); y <= place.bottom(); ++y) {
      for (int x = place.left(); x <= place.right(); ++x) {
        QRgb pixel = screen.pixel(x, y);
        lane_coloured += pixel == lane_colours[lane];
        drawn += pixel != 0xFFFFFFFF;
      }
    }
    EXPECT_GE(lane_coloured, 60);
    EXPECT_GE(drawn, 200);
    // Only the start line may cross a runner's pixels.
    EXPECT_GE(Shown(*ui::FindPicture(ui::RunnerPicture(lane, 1)), place.left(), place.top()), 0.9);
  }
}

TEST_F(PicturesOnScreen, TheMascotStandsBesideItsBubble) {
  const ui::Bitmap& mascot = *ui::FindPicture(ui::MascotPicture(0));
  const ui::Bitmap& bubble = *ui::FindPicture(ui::kBubblePicture);
  const QPoint mascot_at(8, 416), bubble_at(80, 400);
  EXPECT_EQ(Shown(mascot, mascot_at.x(), mascot_at.y()), 1.0);

  int mascot_right = -1;
  for (int y = 0; y < mascot.height; ++y)
    for (int x = 0; x < mascot.width; ++x)
      if (!IsClear(mascot.At(x, y))) mascot_right = std::max(mascot_right, mascot_at.x() + x);

  // The bubble's leftmost ink, its tail's tip, shows on screen just right of
  // the mascot.
  QPoint tip(-1, -1);
  for (int x = 0; x < bubble.width && tip.x() < 0; ++x)
    for (int y = 0; y < bubble.height; ++y)
      if (bubble.At(x, y) != 0xFFFFFFFF) tip = QPoint(bubble_at.x() + x, bubble_at.y() + y);
  ASSERT_GE(tip.x(), 0);
  EXPECT_EQ(screen.pixel(tip), bubble.At(tip.x() - bubble_at.x(), tip.y() - bubble_at.y()));
  EXPECT_GT(tip.x(), mascot_right);
  EXPECT_LE(tip.x() - mascot_right, 12);
  EXPECT_GT(tip.y(), mascot_at.y());
  EXPECT_LT(tip.y(), mascot_at.y() + mascot.height);
}

TEST_F(PicturesOnScreen, TheWindowIconIsTheFirstRunner) {
  QImage icon = window.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(icon.size(), QSize(32, 32));
  const ui::Bitmap& runner = *ui::FindPicture(ui::RunnerPicture(0, 1));
  int same = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) same += icon.pixel(x, y) == runner.At(x, y);
  EXPECT_EQ(same, 32 * 32);
}

}  // namespace

// Choosing a race and a bet in the real window, offscreen.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "support/test_game.h"
#include "ui/qt/main_window.h"

namespace {

using testing_support::TestGame;

struct BetPanelViewTest : ::testing::Test {
  BetPanelViewTest() {
    game.Start();
    QApplication::processEvents();
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  TestGame game;  // every draw 0.5: speeds of 125, the mascot on lane 3 with 50
  ui::qt::MainWindow window{game.session().form().form(), game.session()};
};

TEST_F(BetPanelViewTest, RaceSelectionShowsOddsRaceNumberAndTheMascotsBet) {
  Find<QPushButton>("ozzu")->click();
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_EQ(window.findChild<QLabel*>(QString("Bairitu%1").arg(lane))->text(), "16.7倍");
  }
  EXPECT_EQ(Find<QLabel>("RaceLabel")->text(), "本日第1ﾚｰｽ");
  EXPECT_EQ(Find<QLabel>("Pkake1")->text(), "50");
  EXPECT_EQ(Find<QLabel>("kakeban1")->text(), "3");
  EXPECT_EQ(Find<QLabel>("MsgLabel")->text(), "このレースは3に50まめだな。");
  EXPECT_TRUE(Find<QPushButton>("CmdStart")->isEnabled());
}

TEST_F(BetPanelViewTest, LaneButtonsAndOddsLabelsHighlightTheChosenLane) {
  Find<QPushButton>("ozzu")->click();
  auto* lane2 = Find<QRadioButton>("CharKake1");
  QTest::mouseClick(lane2, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_TRUE(lane2->isChecked());
  EXPECT_EQ(lane2->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(lane2->palette().color(QPalette::WindowText), QColor(Qt::white));

  QTest::mouseClick(Find<QLabel>("Bairitu4"), Qt::LeftButton);
  auto* lane5 = Find<QRadioButton>("CharKake4");
  EXPECT_TRUE(lane5->isChecked());
  EXPECT_FALSE(lane2->isChecked());
  EXPECT_EQ(lane5->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(lane2->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(lane2->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(game.s().PlayerPick, 4);
}

TEST_F(BetPanelViewTest, DraggingTheScrollBarUpdatesTheStakeLive) {
  auto* bar = Find<QScrollBar>("KakeHScroll");
  bar->setSliderDown(true);
  bar->setSliderPosition(37);
  EXPECT_EQ(Find<QLabel>("KakeLabel")->text(), "37");
  bar->setSliderPosition(80);
  EXPECT_EQ(Find<QLabel>("KakeLabel")->text(), "80");
  bar->setSliderDown(false);
  EXPECT_EQ(game.s().PlayerBet, 80);
  EXPECT_EQ(game.c().KakeHScroll.Value(), 80);
}

TEST_F(BetPanelViewTest, TheArrowsAndTheTrackMoveTheStake) {
  auto* bar = Find<QScrollBar>("KakeHScroll");
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Find<QLabel>("KakeLabel")->text(), "2");
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);  // a large step of 10
  EXPECT_EQ(Find<QLabel>("KakeLabel")->text(), "12");
  EXPECT_EQ(bar->value(), 12);
}

}  // namespace

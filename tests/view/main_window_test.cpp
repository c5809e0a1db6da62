// The real window, offscreen: built from the definition, mirrors the model.
#include "ui/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "support/test_game.h"
#include "ui/qt/about_dialog.h"

namespace {

using testing_support::TestGame;

struct MainWindowTest : ::testing::Test {
  MainWindowTest() {
    game.Start();
    QApplication::processEvents();
  }
  template <typename T>
  T* Find(const char* name) {
    return window.findChild<T*>(name);
  }
  QAction* MenuItem(const char* name) { return window.menuBar()->findChild<QAction*>(name); }

  TestGame game;
  ui::qt::MainWindow window{game.session().form().form(), game.session()};
  ui::qt::AboutView about{game.session().form().about(), game.session()};
};

TEST_F(MainWindowTest, TitleAndFixedClientArea) {
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "こまめ堂マスコットレース");
  EXPECT_EQ(window.ClientArea()->size(), QSize(676, 611));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(MainWindowTest, ControlsStandAtTheirPlacesWithTheirCaptions) {
  auto* lane4 = Find<QRadioButton>("CharKake3");
  ASSERT_NE(lane4, nullptr);
  EXPECT_EQ(lane4->geometry(), QRect(600, 224, 73, 17));
  EXPECT_EQ(lane4->text(), "４でGO！");
  EXPECT_EQ(lane4->accessibleName(), "４でGO！");

  auto* start = Find<QPushButton>("CmdStart");
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->parentWidget()->objectName(), "MenuFrame");
  EXPECT_EQ(start->geometry(), QRect(16, 166, 281, 35));
  EXPECT_FALSE(start->isEnabled());

  auto* omi = Find<QPushButton>("omi");
  ASSERT_NE(omi, nullptr);
  EXPECT_EQ(omi->text(), "おみくじ　１回１０まめ");

  auto* bubble = Find<QLabel>("MsgLabel");
  ASSERT_NE(bubble, nullptr);
  EXPECT_EQ(bubble->text(), "ようこそ『こまめ堂マスコットレース』へ");

  auto* runner = Find<QWidget>("ImgChar0");
  ASSERT_NE(runner, nullptr);
  EXPECT_EQ(runner->geometry(), QRect(517, 64, 32, 32));  // 7750 twips: on the start line
  EXPECT_FALSE(Find<QLabel>("Jyuni0")->isVisible());
}

TEST_F(MainWindowTest, TheMenuBarHasFourItemsWithAccessKeys) {
  QStringList texts;
  for (QAction* action : window.menuBar()->actions()) texts << action->text();
  EXPECT_EQ(texts, (QStringList{"終了(&X)", "ヘルプ(&H)", "ﾊﾞｰｼﾞｮﾝ(&A)", "成績(&S)"}));
}

TEST_F(MainWindowTest, ModelChangesReachTheWidgets) {
  game.Fire([&] {
    game.c().Money.SetCaption("250");
    game.c().ImgChar[2].SetLeft(1500);
    game.c().CmdStart.SetEnabled(true);
    game.c().KakeHScroll.SetValue(40);
  });
  EXPECT_EQ(Find<QLabel>("Money")->text(), "250");
  EXPECT_EQ(Find<QWidget>("ImgChar2")->x(), 100);
  EXPECT_TRUE(Find<QPushButton>("CmdStart")->isEnabled());
  EXPECT_EQ(Find<QScrollBar>("KakeHScroll")->value(), 40);
  EXPECT_EQ(Find<QScrollBar>("KakeHScroll")->maximum(), 100);
}

TEST_F(MainWindowTest, TheAboutDialogOpensOnceAndClosesWithOk) {
  MenuItem("version")->trigger();
  MenuItem("version")->trigger();
  int dialogs = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "ver" && widget->isVisible()) ++dialogs;
  }
  EXPECT_EQ(dialogs, 1);
  ASSERT_NE(about.dialog(), nullptr);
  EXPECT_EQ(about.dialog()->windowTitle(), "version情報");
  auto* ok = about.dialog()->findChild<QPushButton*>("OK");
  ASSERT_NE(ok, nullptr);
  ok->click();
  EXPECT_EQ(about.dialog(), nullptr);
  EXPECT_FALSE(game.session().form().about().loaded());
}

TEST_F(MainWindowTest, TheCloseBoxSavesThePurseAndEnds) {
  window.close();
  EXPECT_EQ(game.settings.Purse(), "100");
  EXPECT_EQ(game.program_end.ends, 1);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace

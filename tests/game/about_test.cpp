// The menu's About dialog: one at a time, not modal, gone with the window.
#include <gtest/gtest.h>

#include "support/test_game.h"

namespace {

using testing_support::TestGame;

TEST(AboutTest, ChoosingTheItemTwiceOpensOneDialog) {
  TestGame game;
  game.Start();
  auto& about = game.session().form().about();
  std::vector<ui::FormModel::Event> events;
  about.AddObserver([&](ui::FormModel::Event event) { events.push_back(event); });
  EXPECT_TRUE(game.Click(game.c().version));
  ui::ControlSet* first = &about.controls();
  EXPECT_TRUE(game.Click(game.c().version));
  EXPECT_TRUE(about.loaded());
  EXPECT_EQ(&about.controls(), first);  // the same dialog shown again
  EXPECT_EQ(events, (std::vector<ui::FormModel::Event>{ui::FormModel::Event::Shown, ui::FormModel::Event::Shown}));
}

TEST(AboutTest, OkClosesItAndTheNextChoiceBuildsItAfresh) {
  TestGame game;
  game.Start();
  auto& about = game.session().form().about();
  game.Click(game.c().version);
  EXPECT_TRUE(game.Click(about.controls().Get<ui::CommandButton>("OK")));
  EXPECT_FALSE(about.loaded());
  game.Click(game.c().version);
  EXPECT_TRUE(about.loaded());
  EXPECT_EQ(about.controls().Get<ui::Label>("vers").Caption(), "Ver1.00");
  // The fresh dialog's button works too.
  EXPECT_TRUE(game.Click(about.controls().Get<ui::CommandButton>("OK")));
  EXPECT_FALSE(about.loaded());
}

TEST(AboutTest, TheMainWindowKeepsWorkingWhileItIsOpen) {
  TestGame game;
  game.Start();
  game.Click(game.c().version);
  EXPECT_TRUE(game.Click(game.c().CmdRnd));
}

TEST(AboutTest, ClosingTheMainWindowClosesItAndEndsTheProgram) {
  TestGame game;
  game.Start();
  game.Click(game.c().version);
  game.session().CloseMainWindow();
  EXPECT_FALSE(game.session().form().about().loaded());
  EXPECT_EQ(game.program_end.ends, 1);
}

}  // namespace

// The purse is in the settings store whenever it changes, so a game killed
// at any moment loses nothing that a normal close would have kept.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using namespace testing_support;
using platform::MessageBoxes;

constexpr std::array<int, 6> kWorkedSpeeds = {125, 130, 112, 148, 101, 139};

struct PurseSavingTest : ::testing::Test {
  PurseSavingTest() {
    game.settings.SetPurse("100");
    game.Start();
  }
  std::string Saved() const { return game.settings.Purse().value_or("(nothing)"); }
  TestGame game;
};

TEST_F(PurseSavingTest, TheStakeIsSavedAsItIsTaken) {
  SelectRace(game, kWorkedSpeeds);
  game.Click(game.c().CharKake[3]);
  game.session().MoveScrollBar(game.c().KakeHScroll, 40);
  StartRace(game);
  EXPECT_EQ(Saved(), "60");
}

TEST_F(PurseSavingTest, APayoutIsSavedBeforeTheNextEvent) {
  SelectRace(game, kWorkedSpeeds);
  game.Click(game.c().CharKake[3]);
  game.session().MoveScrollBar(game.c().KakeHScroll, 40);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  RunRaceClock(game);
  EXPECT_EQ(game.s().PlayerMoney, 60 + 52);
  EXPECT_EQ(Saved(), "112");
}

TEST_F(PurseSavingTest, TheContinueGiftIsSaved) {
  SelectRace(game, kWorkedSpeeds);
  game.Click(game.c().CharKake[0]);
  game.session().MoveScrollBar(game.c().KakeHScroll, 100);
  StartRace(game);
  std::vector<std::string> saved_while_asked;
  game.boxes.while_open = [&](const ShownBox&) { saved_while_asked.push_back(Saved()); };
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  RunRaceClock(game);
  EXPECT_EQ(saved_while_asked.front(), "0");  // killed while the boxes are open: the empty purse, as a close would keep
  EXPECT_EQ(Saved(), "10");
}

TEST_F(PurseSavingTest, AFortuneIsSaved) {
  game.Click(game.c().omi);
  EXPECT_EQ(Saved(), "90");
}

TEST_F(PurseSavingTest, NothingIsWrittenWhenNothingChanged) {
  int writes = game.settings.writes;
  SelectRace(game, kWorkedSpeeds);
  game.Click(game.c().CharKake[2]);
  game.Click(game.c().RndMsg);
  EXPECT_EQ(game.settings.writes, writes);
}

}  // namespace

// The player's lane and stake.
#include <gtest/gtest.h>

#include "support/test_game.h"

namespace {

using testing_support::TestGame;

struct BetPanelTest : ::testing::Test {
  BetPanelTest() {
    game.Start();
    for (int lane = 0; lane < 6; ++lane) {
      auto& button = game.c().CharKake[lane];
      auto original = button.on_click;
      button.on_click = [this, lane, original] {
        clicks.push_back(lane);
        original();
      };
    }
  }
  struct Look {
    ui::Colour back;
    ui::Colour fore;
    bool operator==(const Look&) const = default;
  };
  Look LookOf(int lane) const { return {game.c().CharKake[lane].BackColor(), game.c().CharKake[lane].ForeColor()}; }

  static constexpr Look kPicked{ui::kBlack, ui::kWhite};
  static constexpr Look kUnpicked{ui::kWhite, ui::kBlack};
  static constexpr Look kAsDesigned{ui::SystemColour(14), ui::kToolkitColour};

  TestGame game;
  std::vector<int> clicks;
};

TEST_F(BetPanelTest, TheFirstChoiceColoursOnlyTheNewButton) {
  game.Click(game.c().CharKake[2]);
  EXPECT_EQ(game.s().PlayerPick, 2);
  EXPECT_EQ(LookOf(2), kPicked);
  for (int lane : {0, 1, 3, 4, 5}) EXPECT_EQ(LookOf(lane), kAsDesigned) << lane;
}

TEST_F(BetPanelTest, AnotherLaneRestoresThePreviousOne) {
  game.Click(game.c().CharKake[1]);
  game.Click(game.c().CharKake[4]);
  EXPECT_EQ(LookOf(1), kUnpicked);
  EXPECT_EQ(LookOf(4), kPicked);
  EXPECT_EQ(game.s().PlayerPick, 4);
  EXPECT_FALSE(game.c().CharKake[1].Value());
  EXPECT_TRUE(game.c().CharKake[4].Value());
}

TEST_F(BetPanelTest, ClickingTheChosenButtonOrItsOddsAgainKeepsIt) {
  game.Click(game.c().CharKake[3]);
  game.Click(game.c().CharKake[3]);
  game.Click(game.c().Bairitu[3]);
  EXPECT_EQ(game.s().PlayerPick, 3);
  EXPECT_EQ(LookOf(3), kPicked);
  EXPECT_TRUE(game.c().CharKake[3].Value());
}

TEST_F(BetPanelTest, AnOddsLabelSelectsItsButtonExactlyOnce) {
  game.Click(game.c().CharKake[0]);
  clicks.clear();
  game.Click(game.c().Bairitu[5]);
  EXPECT_EQ(clicks, (std::vector<int>{5}));
  EXPECT_TRUE(game.c().CharKake[5].Value());
  EXPECT_FALSE(game.c().CharKake[0].Value());
  EXPECT_EQ(LookOf(0), kUnpicked);
  EXPECT_EQ(LookOf(5), kPicked);
  EXPECT_EQ(game.s().PlayerPick, 5);
}

TEST_F(BetPanelTest, OddsLabelsDoNothingWhileARaceRuns) {
  game.Click(game.c().CharKake[1]);
  game.mutable_state().RaceRunning = true;
  game.Click(game.c().Bairitu[4]);
  EXPECT_EQ(game.s().PlayerPick, 1);
  EXPECT_EQ(LookOf(4), kAsDesigned);
}

TEST_F(BetPanelTest, TheStakeFollowsTheBarThroughItsLabel) {
  game.Fire([&] { game.c().KakeHScroll.SetMax(30000); });
  game.session().MoveScrollBar(game.c().KakeHScroll, 250);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "250");
  EXPECT_EQ(game.s().PlayerBet, 250);
  game.session().DragScrollBar(game.c().KakeHScroll, 40000);  // to the far right
  EXPECT_EQ(game.c().KakeLabel.Caption(), "30000");  // during the drag already
  EXPECT_EQ(game.s().PlayerBet, 30000);
  game.session().EndScrollBarDrag(game.c().KakeHScroll);
  EXPECT_EQ(game.s().PlayerBet, 30000);
}

TEST_F(BetPanelTest, ALabelShowingZeroFollowsTheBarAgainAtItsNextChange) {
  game.Fire([&] {
    game.c().KakeLabel.SetCaption("0");
    game.mutable_state().PlayerBet = 0;
  });
  game.session().MoveScrollBar(game.c().KakeHScroll, 1);  // already 1: no change, nothing follows
  EXPECT_EQ(game.c().KakeLabel.Caption(), "0");
  game.session().MoveScrollBar(game.c().KakeHScroll, 2);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "2");
  EXPECT_EQ(game.s().PlayerBet, 2);
}

}  // namespace

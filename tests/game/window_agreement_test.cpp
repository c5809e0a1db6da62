// The panel shows what the rules hold: the stake after a locked race, and the
// first draws of a run whatever time passed before the window appeared.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using namespace testing_support;

TEST(WindowAgreementTest, AfterARaceTheStakeShownIsTheStakeTheNextStartTakes) {
  struct Case {
    const char* situation;
    int pick;          // 6: no bet
    int stake;
    bool fortune;      // a slip bought while the race runs
    int shown_after;   // the label and the stake once the race is settled
  };
  // Purse 100. A slip in the race leaves 100 - 50 - 10 = 40 for the bar's maximum.
  const Case cases[] = {
      {"a fortune pulled the bar in while the bet was locked", 1, 50, true, 40},
      {"a race without a bet showed 0; the bar stayed at 1", 6, 1, false, 1},
      {"nothing moved the bar", 1, 30, false, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    TestGame game;
    game.Start();
    SelectRace(game, {150, 100, 100, 100, 100, 100}, 0.99f);  // the mascot stays out of lane 0
    if (c.pick != 6) game.Click(game.c().CharKake[c.pick]);
    game.session().MoveScrollBar(game.c().KakeHScroll, c.stake);
    StartRace(game);
    if (c.fortune) {
      game.random.Push({0.5f});
      ASSERT_TRUE(game.Click(game.c().omi));
    }
    ScriptFinishOrder(game, {0, 1, 2, 3, 4, 5});
    RunRaceClock(game);
    EXPECT_EQ(game.c().KakeLabel.Caption(), std::to_string(c.shown_after));
    EXPECT_EQ(game.s().PlayerBet, c.shown_after);
    EXPECT_EQ(game.c().KakeHScroll.Value(), c.shown_after);

    // The next race takes exactly what the panel shows.
    SelectRace(game, {150, 100, 100, 100, 100, 100}, 0.99f);
    game.Click(game.c().CharKake[1]);
    const auto purse = game.s().PlayerMoney;
    StartRace(game);
    EXPECT_EQ(purse - game.s().PlayerMoney, c.shown_after);
  }
}

TEST(WindowAgreementTest, TheFirstDrawsAreTheStartUpsHoweverLongTheWindowTookToAppear) {
  for (auto timer1 : {TestGame::Timer1Mode::CatchUp, TestGame::Timer1Mode::Ticking}) {
    TestGame game(TestGame::Options{.timer1 = timer1});
    game.time.Advance(2'000'000);  // building and showing the window took two seconds
    game.Start({0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.99f});
    EXPECT_EQ(game.s().LaneSpeed, (std::array<game::Integer, 6>{100, 110, 120, 130, 140, 150}));
    EXPECT_EQ(game.random.overruns, 0);
    EXPECT_EQ(game.random.draws, 6);
    // From then on the background timer draws at its pace: one tick by the next event.
    game.AdvanceMicros(platform::Scheduler::kTickMicros);
    game.Click(game.c().CmdRnd);
    EXPECT_EQ(game.random.draws, 6 + 1 + 1);
  }
}

}  // namespace

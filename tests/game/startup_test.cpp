// Opening and closing a run with the saved purse.
#include <gtest/gtest.h>

#include "support/test_game.h"

namespace {

using testing_support::TestGame;

struct StartCase {
  std::optional<std::string> saved;
  int money;
  int max;
  int large_change;
};

class StartUpFromSavedPurse : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartUpFromSavedPurse, PurseAndStakeBar) {
  TestGame game;
  if (GetParam().saved) game.settings.SetPurse(*GetParam().saved);
  game.Start();
  EXPECT_EQ(game.s().PlayerMoney, GetParam().money);
  EXPECT_EQ(game.c().Money.Caption(), std::to_string(GetParam().money));
  EXPECT_EQ(game.c().KakeHScroll.Max(), GetParam().max);
  EXPECT_EQ(game.c().KakeHScroll.LargeChange(), GetParam().large_change);
  EXPECT_EQ(game.c().KakeHScroll.SmallChange(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartUpFromSavedPurse,
    ::testing::Values(StartCase{std::nullopt, 100, 100, 10},   // first launch
                      StartCase{"", 100, 100, 10},             // stored but empty
                      StartCase{"0", 10, 10, 1},               // an empty purse comes back as 10
                      StartCase{"-50", 10, 10, 1},
                      StartCase{"25", 25, 25, 2},              // 2.5 goes to the even 2
                      StartCase{"35", 35, 35, 4},              // 3.5 goes to the even 4
                      StartCase{"15", 15, 15, 2},
                      StartCase{"3", 3, 3, 1},                 // a tenth rounds to 0: the step is 1
                      StartCase{"30000", 30000, 30000, 3000},
                      StartCase{"30001", 30001, 30000, 3000},
                      StartCase{"2147483647", 2147483647, 30000, 3000},
                      StartCase{"lots", 100, 100, 10},         // not a number
                      StartCase{"2147483648", 100, 100, 10},   // beyond 32 bits
                      StartCase{"1e3", 100, 100, 10},          // no exponents
                      StartCase{" 250 ", 250, 250, 25},        // blanks around it are fine
                      StartCase{"+40", 40, 40, 4},
                      StartCase{"12.5", 12, 12, 1}));          // a fraction rounds half to even

TEST(StartUpTest, TheWindowBeforeAnyEvent) {
  TestGame game;
  game.Start({0.25f, 0.75f, 0.0f, 0.999f, 0.5f, 0.02f});
  const auto& c = game.c();
  EXPECT_EQ(game.random.draws(), 6);
  EXPECT_EQ(game.s().LaneSpeed, (std::array<game::Integer, 6>{112, 138, 100, 150, 125, 101}));
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_EQ(c.ImgChar[lane].Left(), 7750);
    EXPECT_FALSE(c.Jyuni[lane].Visible());
    EXPECT_FALSE(c.CharKake[lane].Value());
    EXPECT_EQ(c.Bairitu[lane].Caption(), "");
    EXPECT_EQ(game.s().LaneFinished[lane], 0);
  }
  EXPECT_FALSE(c.CmdStart.Enabled());
  EXPECT_EQ(c.CmdStart.Caption(), "スタート");
  EXPECT_EQ(game.s().PlayerPick, 6);
  EXPECT_EQ(game.s().PlayerBet, 1);
  EXPECT_EQ(game.s().BestTime, 9999);
  EXPECT_EQ(game.s().MascotMoney, 100);
  EXPECT_EQ(game.s().MascotPick, 0);
  EXPECT_EQ(c.MsgLabel.Caption(), "ようこそ『こまめ堂マスコットレース』へ");
  EXPECT_TRUE(game.session().form().form().loaded());
}

struct FortuneButtonCase {
  const char* saved;
  bool enabled;
};

class FortuneButtonAtStart : public ::testing::TestWithParam<FortuneButtonCase> {};

// A fortune costs 10: a purse of 10 or less cannot buy one, from the start on.
TEST_P(FortuneButtonAtStart, UsableOnlyAboveTen) {
  TestGame game;
  game.settings.SetPurse(GetParam().saved);
  game.Start();
  EXPECT_EQ(game.c().omi.Enabled(), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Table, FortuneButtonAtStart,
                         ::testing::Values(FortuneButtonCase{"1", false}, FortuneButtonCase{"9", false},
                                           FortuneButtonCase{"10", false}, FortuneButtonCase{"0", false},
                                           FortuneButtonCase{"11", true}, FortuneButtonCase{"100", true}));

TEST(ShutDownTest, ClosingRightAfterStartWritesTheCorrectedPurse) {
  TestGame game;
  game.settings.SetPurse("0");
  game.Start();
  EXPECT_TRUE(game.session().CloseMainWindow());
  EXPECT_EQ(game.settings.Purse(), "10");
  EXPECT_EQ(game.media.log, (std::vector<std::string>{"stop bgm", "close bgm"}));
  EXPECT_EQ(game.program_end.ends, 1);
  EXPECT_TRUE(game.session().ended());
  EXPECT_FALSE(game.session().form().form().loaded());
}

TEST(ShutDownTest, TheExitMenuSavesAndEnds) {
  TestGame game;
  game.settings.SetPurse("4321");
  game.Start();
  EXPECT_TRUE(game.Click(game.c().f3));
  EXPECT_EQ(game.settings.Purse(), "4321");
  EXPECT_EQ(game.program_end.ends, 1);
  // Nothing runs after the end.
  EXPECT_FALSE(game.Click(game.c().ozzu));
  EXPECT_EQ(game.settings.writes, 1);
}

TEST(ShutDownTest, AnUnwritableStoreDoesNotStopTheClose) {
  TestGame game;
  game.settings.fail_writes = true;
  game.Start();
  EXPECT_TRUE(game.session().CloseMainWindow());
  EXPECT_EQ(game.program_end.ends, 1);
  EXPECT_EQ(game.media.log.size(), 2u);
}

}  // namespace

namespace {

TEST(ShutDownTest, LeavingDuringARaceKeepsTheStakeTaken) {
  testing_support::TestGame game;
  game.settings.SetPurse("100");
  game.Start();
  game.Click(game.c().ozzu);
  game.Click(game.c().CharKake[2]);
  game.session().MoveScrollBar(game.c().KakeHScroll, 30);
  game.Click(game.c().CmdStart);
  game.FireTimer(game.c().TimeChar);
  EXPECT_TRUE(game.Click(game.c().f3));
  EXPECT_EQ(game.settings.Purse(), "70");
  EXPECT_TRUE(game.session().ended());
}

}  // namespace

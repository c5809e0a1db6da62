// Whole races, headless: start, ticks, arrivals, the end of the race.
#include <gtest/gtest.h>

#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;
using platform::MessageBoxes;

constexpr std::array<int, 6> kWorkedSpeeds = {125, 130, 112, 148, 101, 139};  // odds 16.1 12.9 24.5 1.3 31.6 7.1

struct RaceTest : ::testing::Test {
  RaceTest() { game.Start(); }
  void Pick(int lane) { game.Click(game.c().CharKake[lane]); }
  void Stake(int stake) { game.session().MoveScrollBar(game.c().KakeHScroll, stake); }
  std::vector<std::string> Ranks() const {
    std::vector<std::string> ranks;
    for (int lane = 0; lane < 6; ++lane) ranks.push_back(game.c().Jyuni[lane].Caption());
    return ranks;
  }
  TestGame game;
};

TEST_F(RaceTest, StartingTakesTheStakesLocksThePanelAndStartsTheClocks) {
  TestGame rich;
  rich.settings.SetPurse("1000");
  rich.Start();
  SelectRace(rich, kWorkedSpeeds);  // the mascot: lane 2, stake 50
  rich.Click(rich.c().CharKake[1]);
  rich.session().MoveScrollBar(rich.c().KakeHScroll, 500);
  int before = rich.random.draws();
  StartRace(rich, 0.2f);  // both tips: number 2
  EXPECT_EQ(rich.random.draws() - before, 2);
  EXPECT_EQ(rich.s().PlayerMoney, 500);
  EXPECT_EQ(rich.c().Money.Caption(), "500");
  EXPECT_EQ(rich.s().MascotMoney, 50);
  EXPECT_EQ(rich.c().Psyoji[1].Caption(), "50");
  EXPECT_EQ(rich.c().KakeLabel.Caption(), "500");
  EXPECT_EQ(rich.c().TimeChar.Interval(), 1);
  EXPECT_EQ(rich.c().TimeChar.Tag(), "0");
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_EQ(rich.c().CharAnime[lane].Interval(), 50);
    EXPECT_FALSE(rich.c().CharKake[lane].Enabled());
    EXPECT_EQ(rich.c().ImgChar[lane].Left(), 7750);
  }
  EXPECT_FALSE(rich.c().CmdStart.Enabled());
  EXPECT_FALSE(rich.c().ozzu.Enabled());
  EXPECT_FALSE(rich.c().KakeHScroll.Visible());
  EXPECT_TRUE(rich.c().omi.Enabled());
  EXPECT_EQ(rich.c().MsgLabel.Caption(), "何、当たらない？ゲーム自体、動きはランダムで動かしてるので、製作者のワタシでもどれが当たるか分からん。");
}

TEST_F(RaceTest, StartingWithoutAPickTakesOnlyTheMascotsStake) {
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  EXPECT_EQ(game.s().PlayerMoney, 100);
  EXPECT_EQ(game.s().PlayerBet, 0);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "0");
  EXPECT_EQ(game.s().MascotMoney, 50);
}

TEST_F(RaceTest, AStakeLeavingTenOrLessLocksTheFortuneButton) {
  SelectRace(game, kWorkedSpeeds);
  Pick(0);
  Stake(90);
  StartRace(game);
  EXPECT_EQ(game.s().PlayerMoney, 10);
  EXPECT_FALSE(game.c().omi.Enabled());
}

TEST_F(RaceTest, TheStakeIsNeverMoreThanThePurse) {
  SelectRace(game, kWorkedSpeeds);
  Pick(0);
  game.mutable_state().PlayerBet = 500;  // a label left over from a larger purse
  StartRace(game);
  EXPECT_EQ(game.s().PlayerMoney, 0);
  EXPECT_EQ(game.s().PlayerBet, 100);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "100");
}

TEST_F(RaceTest, EveryTickDrawsTwoNumbersWhateverItMoves) {
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  int before = game.random.draws();
  int ticks = RunRaceClock(game);
  EXPECT_EQ(game.random.draws() - before, 2 * ticks);
  EXPECT_EQ(game.random.remaining(), 0u);
  EXPECT_EQ(game.random.overruns(), 0);
}

TEST_F(RaceTest, RunnersArriveInOrderWithTheirRanks) {
  SelectRace(game, kWorkedSpeeds);
  Pick(3);
  Stake(15);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});

  // Lane 3 (speed 148) needs 47 flat-out ticks.
  for (int tick = 0; tick < 46; ++tick) game.FireTimer(game.c().TimeChar);
  EXPECT_FALSE(game.c().CmdStart.Enabled());
  EXPECT_EQ(game.c().CmdStart.Caption(), "スタート");
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(game.c().TimeChar.Tag(), "47");
  EXPECT_EQ(game.s().WinnerLane, 3);
  EXPECT_EQ(game.s().RaceTime, 47);
  EXPECT_EQ(game.s().RaceNo, 1);
  EXPECT_EQ(game.s().BestTime, 47);
  EXPECT_EQ(game.s().BestRaceNo, 1);
  EXPECT_TRUE(game.c().CmdStart.Enabled());
  EXPECT_EQ(game.c().CmdStart.Caption(), "ストップ");
  EXPECT_TRUE(game.c().Jyuni[3].Visible());
  EXPECT_EQ(game.c().Jyuni[3].Caption(), "1着");
  EXPECT_EQ(game.c().CharAnime[3].Interval(), 0);
  EXPECT_EQ(game.c().CharAnime[0].Interval(), 50);
  EXPECT_EQ(game.s().LaneSpeed[3], 0);
  // It slid 1530 twips on past the goal within the same tick.
  EXPECT_LT(game.c().ImgChar[3].Left(), 900 - 1530 + 1);

  RunRaceClock(game);
  EXPECT_EQ(Ranks(), (std::vector<std::string>{"2着", "4着", "5着", "1着", "6着", "3着"}));
  EXPECT_EQ(game.s().FinishCount, 6);
  EXPECT_EQ(game.s().AllFinished, 1);
}

TEST_F(RaceTest, ARunnerOnTheGoalLineHasNotArrived) {
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  // Exactly 6850 twips: Left + 180 equals the goal line's 1080.
  game.Fire([&] { game.c().ImgChar[0].SetLeft(900); });
  ScriptIdleTicks(game, 1);
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(game.s().FinishCount, 0);
  game.Fire([&] { game.c().ImgChar[0].SetLeft(899.99f); });
  ScriptIdleTicks(game, 1);
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(game.s().FinishCount, 1);
  EXPECT_EQ(game.s().WinnerLane, 0);
}

struct LaneBoundCase {
  float r;
  int lane;
};

class LanePickTest : public ::testing::TestWithParam<LaneBoundCase> {};

TEST_P(LanePickTest, TheTableOfBoundsPicksTheLane) {
  TestGame game;
  game.Start();
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  game.random.Push({GetParam().r, 0.5f});
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(game.s().PickLane, GetParam().lane);
  EXPECT_LT(game.c().ImgChar[GetParam().lane].Left(), 7750);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LanePickTest,
    ::testing::Values(LaneBoundCase{0.0f, 0}, LaneBoundCase{0.125f, 0}, LaneBoundCase{0.175f, 0},
                      LaneBoundCase{0.176f, 1}, LaneBoundCase{0.33f, 1}, LaneBoundCase{0.336f, 2},
                      LaneBoundCase{0.375f, 2}, LaneBoundCase{0.49f, 2}, LaneBoundCase{0.5f, 3},
                      LaneBoundCase{0.625f, 3}, LaneBoundCase{0.664f, 3}, LaneBoundCase{0.67f, 4},
                      LaneBoundCase{0.82f, 4}, LaneBoundCase{0.83f, 5}, LaneBoundCase{0.875f, 5},
                      LaneBoundCase{0.9999f, 5}));

TEST_F(RaceTest, AFinishedLaneDoesNotMoveButTheTickStillCounts) {
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  ScriptMoves(game, 3, 47);
  RunRaceClock(game, 47);
  float left = game.c().ImgChar[3].Left();
  ScriptMoves(game, 3, 1);
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(game.c().ImgChar[3].Left(), left);
  EXPECT_EQ(game.c().TimeChar.Tag(), "48");
  EXPECT_EQ(game.s().FinishCount, 1);
}

TEST_F(RaceTest, TheEndOfTheRaceStopsTheMusicBeforeTheSettlement) {
  game.Fire([&] { game.c().CheckBGM.SetValue(0); });
  SelectRace(game, kWorkedSpeeds);
  Pick(3);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  game.media.log.clear();
  std::vector<std::string> log_at_first_box;
  game.boxes.while_open = [&](const testing_support::ShownBox&) {
    if (log_at_first_box.empty()) log_at_first_box = game.media.log;
  };
  RunRaceClock(game);
  EXPECT_EQ(log_at_first_box, (std::vector<std::string>{"stop bgm", "close bgm"}));
  EXPECT_EQ(game.c().TimeChar.Interval(), 0);
}

TEST_F(RaceTest, AfterTheSixthArrivalTheWindowIsReadyForTheNextSelection) {
  SelectRace(game, kWorkedSpeeds);
  Pick(3);
  Stake(15);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  RunRaceClock(game);
  const auto& c = game.c();
  EXPECT_TRUE(c.ozzu.Enabled());
  EXPECT_TRUE(c.KakeHScroll.Visible());
  EXPECT_FALSE(c.CmdStart.Enabled());
  EXPECT_EQ(c.CmdStart.Caption(), "スタート");
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_FALSE(c.Jyuni[lane].Visible());
    EXPECT_EQ(c.Bairitu[lane].Caption(), "");
    EXPECT_EQ(c.ImgChar[lane].Left(), 7750);
    EXPECT_EQ(c.ImgChar[lane].Picture(), ui::RunnerPicture(lane, 1));
    EXPECT_TRUE(c.CharKake[lane].Enabled());
    EXPECT_FALSE(c.CharKake[lane].Value());
    EXPECT_EQ(game.s().LaneFinished[static_cast<std::size_t>(lane)], 0);
  }
  EXPECT_EQ(game.s().PlayerPick, 6);
  EXPECT_FALSE(game.s().RaceRunning);
  // Odds labels can choose a lane again.
  SelectRace(game, kWorkedSpeeds);
  game.Click(c.Bairitu[2]);
  EXPECT_EQ(game.s().PlayerPick, 2);
}

TEST_F(RaceTest, TheStartButtonWalksItsFourStates) {
  auto state = [&] { return std::make_pair(game.c().CmdStart.Caption(), game.c().CmdStart.Enabled()); };
  using State = std::pair<std::string, bool>;
  EXPECT_EQ(state(), State("スタート", false));  // no race selected
  SelectRace(game, kWorkedSpeeds);
  EXPECT_EQ(state(), State("スタート", true));  // ready
  SelectRace(game, kWorkedSpeeds);
  EXPECT_EQ(state(), State("スタート", true));  // still ready
  StartRace(game);
  EXPECT_EQ(state(), State("スタート", false));  // running
  EXPECT_FALSE(game.Click(game.c().CmdStart));
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  RunRaceClock(game, 47);
  EXPECT_EQ(state(), State("ストップ", true));  // stoppable
  RunRaceClock(game);
  EXPECT_EQ(state(), State("スタート", false));  // no race selected
}

TEST_F(RaceTest, OddsLabelsCannotChangeTheBetOnceTheStakesAreTaken) {
  SelectRace(game, kWorkedSpeeds);
  Pick(1);
  StartRace(game);
  game.Click(game.c().Bairitu[3]);
  EXPECT_EQ(game.s().PlayerPick, 1);
  EXPECT_FALSE(game.c().CharKake[3].Value());
}

TEST_F(RaceTest, TheRaceClockCountsTicksNotTime) {
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  ScriptIdleTicks(game, 600);
  RunRaceClock(game, 600);
  EXPECT_EQ(game.c().TimeChar.Tag(), "600");
}

TEST_F(RaceTest, EveryPressResetsTheClockAndStopsTheMusic) {
  SelectRace(game, kWorkedSpeeds);
  game.media.log.clear();
  StartRace(game);
  EXPECT_EQ(game.media.log[0], "stop bgm");
  EXPECT_EQ(game.media.log[1], "close bgm");
  ScriptIdleTicks(game, 5);
  RunRaceClock(game, 5);
  ScriptMoves(game, 3, 47);
  RunRaceClock(game, 47);
  game.media.log.clear();
  game.Click(game.c().CmdStart);  // Stop
  EXPECT_EQ(game.c().TimeChar.Tag(), "0");
  EXPECT_EQ((std::vector<std::string>{game.media.log[0], game.media.log[1]}),
            (std::vector<std::string>{"stop bgm", "close bgm"}));
}

}  // namespace

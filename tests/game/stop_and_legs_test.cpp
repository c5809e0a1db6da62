// Stopping a race after the first arrival, the runners' legs, and the best
// time of the day.
#include <gtest/gtest.h>

#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;
using platform::MessageBoxes;

constexpr std::array<int, 6> kWorkedSpeeds = {125, 130, 112, 148, 101, 139};
constexpr std::array<int, 6> kLane3First = {3, 0, 5, 1, 2, 4};

struct StopTest : ::testing::Test {
  StopTest() {
    game.Start();
    SelectRace(game, kWorkedSpeeds);
  }
  void RunToFirstArrival() {
    ScriptMoves(game, 3, 47);
    RunRaceClock(game, 47);
    ASSERT_EQ(game.c().CmdStart.Caption(), "ストップ");
  }
  TestGame game;
};

TEST_F(StopTest, StopJudgesTheBetsOnTheSpot) {
  game.Click(game.c().CharKake[3]);
  game.session().MoveScrollBar(game.c().KakeHScroll, 10);
  StartRace(game);
  RunToFirstArrival();
  game.Click(game.c().CmdStart);
  EXPECT_EQ(game.boxes.shown, (std::vector<ShownBox>{{"見事予感が的中しました。", MessageBoxes::kOkOnly, "大当たり"},
                                                     {"配当金は13まめです。", MessageBoxes::kOkOnly, "大当たり"}}));
  EXPECT_EQ(game.s().PlayerMoney, 90 + 13);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "ハズレちまったぜ。");  // the mascot bet on lane 2
  EXPECT_EQ(game.s().RaceStopped, 1);
  EXPECT_FALSE(game.s().RaceRunning);
}

TEST_F(StopTest, AfterAStopTheWindowIsAsAfterAFinishedRace) {
  game.Click(game.c().CharKake[0]);
  StartRace(game);
  RunToFirstArrival();
  game.Click(game.c().CmdStart);
  const auto& c = game.c();
  EXPECT_EQ(c.TimeChar.Interval(), 0);
  EXPECT_TRUE(c.ozzu.Enabled());
  EXPECT_TRUE(c.KakeHScroll.Visible());
  EXPECT_FALSE(c.CmdStart.Enabled());
  EXPECT_EQ(c.CmdStart.Caption(), "スタート");
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_EQ(c.CharAnime[lane].Interval(), 0);
    EXPECT_TRUE(c.CharKake[lane].Enabled());
    EXPECT_FALSE(c.Jyuni[lane].Visible());
    EXPECT_EQ(c.Bairitu[lane].Caption(), "");
  }
  EXPECT_EQ(game.s().PlayerPick, 6);
  // The stop is settled once: nothing more happens when the clock would tick.
  std::size_t boxes = game.boxes.shown.size();
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(game.boxes.shown.size(), boxes + 0);
}

TEST_F(StopTest, TheRunnersAreBackOnTheLineTenMillisecondsLater) {
  StartRace(game);
  RunToFirstArrival();
  game.Click(game.c().CmdStart);
  EXPECT_EQ(game.c().LineTimer.Interval(), 10);
  game.Fire([&] { game.c().ImgChar[2].SetLeft(3000); });
  game.AdvanceMicros(20000);
  EXPECT_EQ(game.c().ImgChar[2].Left(), 7750);
  EXPECT_EQ(game.c().LineTimer.Interval(), 0);  // once only
}

TEST_F(StopTest, StopIsOfferedOnlyFromTheFirstArrival) {
  StartRace(game);
  ScriptIdleTicks(game, 10);
  RunRaceClock(game, 10);
  EXPECT_FALSE(game.Click(game.c().CmdStart));
  EXPECT_EQ(game.c().TimeChar.Interval(), 1);
}

struct LegsTest : ::testing::Test {
  LegsTest() {
    game.Start();
    SelectRace(game, kWorkedSpeeds);
    StartRace(game);
  }
  void Tick(int runner, int times = 1) {
    for (int i = 0; i < times; ++i) game.FireTimer(game.c().CharAnime[runner]);
  }
  TestGame game;
};

TEST_F(LegsTest, EachRunnerCyclesThroughPicturesTwoToNine) {
  Tick(4);
  EXPECT_EQ(game.c().ImgChar[4].Picture(), ui::RunnerPicture(4, 2));
  EXPECT_EQ(game.s().AnimFrame[4], 1);
  Tick(4, 7);
  EXPECT_EQ(game.c().ImgChar[4].Picture(), ui::RunnerPicture(4, 9));
  EXPECT_EQ(game.s().AnimFrame[4], 0);
  Tick(4);
  EXPECT_EQ(game.c().ImgChar[4].Picture(), ui::RunnerPicture(4, 2));
  EXPECT_EQ(game.c().ImgChar[0].Picture(), ui::RunnerPicture(0, 1));  // the others keep their own count
}

TEST_F(LegsTest, LegsRunAtTwentyFramesASecond) {
  game.AdvanceMicros(1000000 - 1);
  // The race clock ran too (with scripted draws running out); only the legs matter here.
  EXPECT_EQ(game.s().AnimFrame[0], 19 % 8);
}

TEST_F(LegsTest, AStoppedRaceFreezesTheLegs) {
  Tick(2, 3);
  game.mutable_state().RaceStopped = 1;
  game.mutable_state().AllFinished = 1;
  Tick(2);
  EXPECT_EQ(game.s().AnimFrame[2], 3);
  EXPECT_EQ(game.c().ImgChar[2].Picture(), ui::RunnerPicture(2, 4));
  EXPECT_EQ(game.s().AllFinished, 1);
}

TEST_F(LegsTest, AnArrivedRunnerKeepsItsPictureUntilTheSettlement) {
  Tick(3, 3);
  ScriptMoves(game, 3, 47);
  RunRaceClock(game, 47);
  EXPECT_EQ(game.c().CharAnime[3].Interval(), 0);
  EXPECT_EQ(game.c().ImgChar[3].Picture(), ui::RunnerPicture(3, 4));
}

TEST_F(LegsTest, AfterAFinishedRaceTheNextRacesFirstLegTickOnlyClearsTheFlag) {
  ScriptFinishOrder(game, kLane3First);
  RunRaceClock(game);
  EXPECT_EQ(game.s().AllFinished, 1);
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  Tick(5);
  EXPECT_EQ(game.s().AllFinished, 0);
  EXPECT_EQ(game.c().ImgChar[5].Picture(), ui::RunnerPicture(5, 1));
  Tick(5);
  EXPECT_EQ(game.c().ImgChar[5].Picture(), ui::RunnerPicture(5, 2));
}

struct BestTimeTest : ::testing::Test {
  BestTimeTest() { game.Start(); }
  // A race whose first arrival comes in the given tick (speed 150: 46 ticks to cross).
  void RaceWonIn(int ticks, int selections = 1) {
    for (int i = 0; i < selections; ++i) SelectRace(game, {150, 150, 150, 150, 150, 150});
    StartRace(game);
    ScriptIdleTicks(game, ticks - 46);
    ScriptFinishOrder(game, {0, 1, 2, 3, 4, 5});
    RunRaceClock(game);
  }
  std::string Told() {
    game.Click(game.c().BestCmd);
    return game.c().MsgLabel.Caption();
  }
  TestGame game;
};

TEST_F(BestTimeTest, NoRaceSeenYet) { EXPECT_EQ(Told(), "本日はまだレース見てないみたいだぞ。"); }

TEST_F(BestTimeTest, OnlyAStrictlySmallerTimeReplacesTheRecord) {
  RaceWonIn(412, 3);
  EXPECT_EQ(Told(), "本日のベストタイムは第3レースの412ﾏﾒ秒だな。");
  RaceWonIn(412);
  EXPECT_EQ(Told(), "本日のベストタイムは第3レースの412ﾏﾒ秒だな。");
  RaceWonIn(411);
  EXPECT_EQ(Told(), "本日のベストタイムは第5レースの411ﾏﾒ秒だな。");
}

TEST_F(BestTimeTest, AStoppedRaceCounts) {
  SelectRace(game, {150, 150, 150, 150, 150, 150});
  StartRace(game);
  ScriptMoves(game, 2, 46);
  RunRaceClock(game, 46);
  game.Click(game.c().CmdStart);
  EXPECT_EQ(Told(), "本日のベストタイムは第1レースの46ﾏﾒ秒だな。");
}

TEST_F(BestTimeTest, TheButtonWorksDuringARaceAndChangesOnlyTheBubble) {
  SelectRace(game, {150, 150, 150, 150, 150, 150});
  StartRace(game);
  EXPECT_TRUE(game.Click(game.c().BestCmd));
  EXPECT_EQ(game.c().MsgLabel.Caption(), "本日はまだレース見てないみたいだぞ。");
  EXPECT_TRUE(game.s().RaceRunning);
}

}  // namespace

// A race on its way: the start, the ticks that move one runner each, the
// arrivals with their ranks, the runners' legs and the best time of the day.
// (How a race ends is in settlement_test.cpp; what every event keeps true, in
// soak_test.cpp.)
#include <gtest/gtest.h>

#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;

constexpr std::array<int, 6> kSpeeds = {125, 130, 112, 148, 101, 139};  // odds 16.1 12.9 24.5 1.3 31.6 7.1

// A game whose first race has just started, with no bet.
struct Racing : StartedGame {
  Racing() {
    SelectRace(*this, kSpeeds);
    StartRace(*this);
  }
};

TEST(RaceTest, FromTheStartToTheLastArrival) {
  StartedGame game("1000");
  const auto& c = game.c();
  SelectRace(game, kSpeeds);
  game.Click(c.CharKake[3]);
  game.session().MoveScrollBar(c.KakeHScroll, 500);
  game.random.Push({0.0f, 0.999f});  // two tips: the bubble keeps the second
  game.Click(c.CmdStart);
  EXPECT_EQ(std::tuple(game.s().TipDraw, c.Money.Caption(), c.Psyoji[1].Caption(), c.CharAnime[5].Interval()),
            std::tuple(10, "500", "50", 50));  // both stakes are taken at once; the legs run
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  EXPECT_EQ(RunRaceClock(game, 46), 46);  // lane 3 (speed 148) needs 47 flat-out ticks
  EXPECT_EQ(c.CmdStart.Caption(), "スタート");
  game.FireTimer(c.TimeChar);
  EXPECT_EQ(std::tuple(c.CmdStart.Caption(), game.s().WinnerLane, game.s().RaceTime, c.CharAnime[3].Interval(),
                       c.CharAnime[0].Interval()),
            std::tuple("ストップ", 3, 47, 0, 50));  // from the first arrival
  EXPECT_LT(c.ImgChar[3].Left(), 900 - 1530 + 1);   // it slid on past the goal within the tick
  const int draws = game.random.draws;
  std::vector<std::string> ranks;  // as the settlement's first box finds them
  game.boxes.while_open = [&](const ShownBox&) {
    for (int lane = 0; lane < 6 && ranks.size() < 6; ++lane) ranks.push_back(c.Jyuni[lane].Caption());
  };
  const int ticks = RunRaceClock(game);
  EXPECT_EQ(std::pair(game.random.draws - draws, game.random.overruns), std::pair(2 * ticks, 0));  // two a tick
  EXPECT_EQ(ranks, (std::vector<std::string>{"2着", "4着", "5着", "1着", "6着", "3着"}));
}

TEST(RaceTest, TheStakesAreTakenAtTheStart) {
  // The pick, the bar and a stale stake; the purse, the stake taken and whether a fortune is sold.
  const std::tuple<int, int, game::Integer, int, const char*, bool> kRows[] = {
      {6, 40, 0, 100, "0", true},       // no pick: only the mascot's stake
      {0, 90, 0, 10, "90", false},      // 10 or less left: no fortune
      {0, 1, 500, 0, "100", false}};    // a label left from a larger purse: never more than it
  for (const auto& [pick, bar, stale_bet, purse, label, fortune] : kRows) {
    StartedGame game;
    SelectRace(game, kSpeeds);
    if (pick < 6) game.Click(game.c().CharKake[pick]);
    game.session().MoveScrollBar(game.c().KakeHScroll, bar);
    if (stale_bet) game.mutable_state().PlayerBet = stale_bet;
    StartRace(game);
    EXPECT_EQ(std::tuple(game.s().PlayerMoney, game.c().KakeLabel.Caption(), game.s().PlayerBet, game.c().omi.Enabled(),
                         game.s().MascotMoney),
              std::tuple(purse, label, std::stoi(label), fortune, 50));
  }
}

TEST(RaceTest, TheFirstDrawOfATickPicksTheLane) {
  const std::pair<float, int> kPicks[] = {{0.0f, 0},   {0.125f, 0}, {0.175f, 0}, {0.176f, 1}, {0.33f, 1},  {0.336f, 2},
                                          {0.375f, 2}, {0.49f, 2},  {0.5f, 3},   {0.625f, 3}, {0.664f, 3}, {0.67f, 4},
                                          {0.82f, 4},  {0.83f, 5},  {0.875f, 5}, {0.9999f, 5}};
  for (const auto& [draw, lane] : kPicks) {
    Racing game;
    game.random.Push({draw, 0.5f});
    game.FireTimer(game.c().TimeChar);
    EXPECT_EQ(game.s().PickLane, lane) << draw;
    EXPECT_LT(game.c().ImgChar[lane].Left(), 7750) << draw;
  }
}

TEST(RaceTest, ARunnerOnTheGoalLineHasNotArrivedAndAnArrivedOneMovesNoMore) {
  Racing game;
  for (float left : {900.0f, 899.99f}) {  // Left + 180 against the goal line's 1080
    game.Fire([&] { game.c().ImgChar[0].SetLeft(left); });
    ScriptIdleTicks(game, 1);
    game.FireTimer(game.c().TimeChar);
    EXPECT_EQ(game.s().FinishCount, left < 900 ? 1 : 0);
  }
  const float left = game.c().ImgChar[0].Left();
  ScriptMoves(game, 0, 1);
  game.FireTimer(game.c().TimeChar);
  EXPECT_EQ(std::tuple(game.c().ImgChar[0].Left(), game.c().TimeChar.Tag(), game.s().FinishCount),
            std::tuple(left, "3", 1));
}

// Pictures 2 to 9 in turn, each runner on its own timer, until it arrives.
TEST(LegsTest, EachRunnerCyclesItsRunningFrames) {
  Racing game;
  auto tick = [&](int lane) {
    game.FireTimer(game.c().CharAnime[lane]);
    return game.c().ImgChar[lane].Picture();
  };
  for (int frame : {2, 3, 4, 5, 6, 7, 8, 9, 2}) EXPECT_EQ(tick(3), ui::RunnerPicture(3, frame));
  EXPECT_EQ(game.c().ImgChar[0].Picture(), ui::RunnerPicture(0, 1));
  ScriptFinishOrder(game, {3, 0, 1, 2, 4, 5});
  RunRaceClock(game, 47);
  EXPECT_EQ(game.c().CharAnime[3].Interval(), 0);  // arrived: its picture stays until the settlement
  RunRaceClock(game);
  SelectRace(game, kSpeeds);
  StartRace(game);
  EXPECT_EQ(tick(5), ui::RunnerPicture(5, 1));  // the last arrival's flag costs the next race one frame
  EXPECT_EQ(tick(5), ui::RunnerPicture(5, 2));
  game.mutable_state().RaceStopped = 1;  // a stopped race freezes every leg
  EXPECT_EQ(tick(5), ui::RunnerPicture(5, 2));
  Racing paced;  // twenty frames a second
  paced.AdvanceMicros(1000000 - 1);
  EXPECT_EQ(paced.s().AnimFrame[0], 19 % 8);
}

TEST(BestTimeTest, TheFastestWinOfTheDayFromItsFirstArrival) {
  StartedGame game;
  auto told = [&] {
    EXPECT_TRUE(game.Click(game.c().BestCmd));
    return game.c().MsgLabel.Caption();
  };
  EXPECT_EQ(told(), "本日はまだレース見てないみたいだぞ。");
  SelectRace(game, {150, 150, 150, 150, 150, 150});
  SelectRace(game, {150, 150, 150, 150, 150, 150});
  for (const auto& [tick, said] : {std::pair{412, "本日のベストタイムは第3レースの412ﾏﾒ秒だな。"},
                                   {412, "本日のベストタイムは第3レースの412ﾏﾒ秒だな。"},  // a tie keeps the record
                                   {411, "本日のベストタイムは第5レースの411ﾏﾒ秒だな。"}}) {
    SelectRace(game, {150, 150, 150, 150, 150, 150});
    StartRace(game);
    ScriptIdleTicks(game, tick - 46);  // speed 150 crosses in 46 ticks
    ScriptFinishOrder(game, {0});
    RunRaceClock(game, tick);
    EXPECT_EQ(told(), said);                     // during the race already
    EXPECT_TRUE(game.Click(game.c().CmdStart));  // a stopped race counts
  }
}

}  // namespace

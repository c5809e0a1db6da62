// Choosing a race (speeds, odds, race number, the mascot's bet); a race on
// its way: the ticks that move one runner each, the arrivals, the runners'
// legs and the best time of the day. (The stakes taken at the start and the
// bet locked, and how a race ends, with the ranks its boxes find, are in
// settlement_test.cpp; the lane buttons' looks there and in the window's
// tests; what every event keeps true, in soak_test.cpp.)
#include <gtest/gtest.h>

#include "game/odds.h"
#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;

// Every press is a new race of eight draws, numbered on, its speeds made odds.
TEST(RaceSelectionTest, EveryPressIsANewRaceOfEightDrawsWhoseSpeedsBecomeOdds) {
  const std::pair<std::array<int, 6>, std::array<const char*, 6>> kRows[] = {
      {{150, 140, 130, 120, 110, 100}, {"1.1倍", "6.7倍", "13.3倍", "20倍", "26.7倍", "33.3倍"}},
      {{125, 130, 112, 148, 101, 139}, {"16.1倍", "12.9倍", "24.5倍", "1.3倍", "31.6倍", "7.1倍"}},
      {{101, 100, 100, 100, 100, 100}, {"4900倍", "5000倍", "5000倍", "5000倍", "5000倍", "5000倍"}},
      // No excess speed anywhere: every lane pays the highest odds.
      {{100, 100, 100, 100, 100, 100}, {"5000倍", "5000倍", "5000倍", "5000倍", "5000倍", "5000倍"}}};
  StartedGame game;
  EXPECT_FALSE(game.c().CmdStart.Enabled());
  int race = 0;
  for (const auto& [speeds, captions] : kRows) {
    SelectRace(game, speeds);
    EXPECT_EQ(game.c().RaceLabel.Caption(), "本日第" + std::to_string(++race) + "ﾚｰｽ");
    for (std::size_t lane = 0; lane < 6; ++lane) {
      EXPECT_EQ(game.s().LaneSpeed[lane], speeds[lane]);
      EXPECT_EQ(game.c().Bairitu[static_cast<int>(lane)].Caption(), captions[lane]) << speeds[0] << " " << lane;
    }
  }
  // One decimal, halves to even: 1.25 and 1.75.
  EXPECT_EQ(std::pair(game::LaneOddsFor(1, 80), game::LaneOddsFor(7, 400)), std::pair(1.2f, 1.8f));
  game.random.Push({0.25f, 0.75f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
  game.Click(game.c().ozzu);
  EXPECT_EQ(std::tuple(game.s().LaneSpeed[0], game.s().LaneSpeed[1], game.c().CmdStart.Enabled()),
            std::tuple(112, 138, true));  // 12.5 and 37.5 go to the even neighbour
  game.mutable_state().MascotMoney = 5;  // all in: the stake draw is still made
  game.Fire([&] { game.c().RaceLabel.SetTag("99"); });  // 94 races later: the number gains a digit
  SelectRace(game, {140, 140, 140, 140, 140, 140}, 0.999f, 0.2f);
  EXPECT_EQ(std::tuple(game.random.draws, game.random.overruns, game.c().RaceLabel.Caption()),
            std::tuple(6 + 8 * 6, 0, "本日第100ﾚｰｽ"));
}

TEST(RaceSelectionTest, TheMascotBetsSitsOutOrGoesAllIn) {
  // The mascot's purse and draws; its lane and stake, what it says and the lane it shows. (The lane of a
  // draw of 0.5, 2.5 going to 2; 11 sitting out; the stake's cap, half of it taken from the top purse: the
  // settlement rows pin.)
  const std::tuple<int, float, float, int, int, const char*, const char*> kRows[] = {
      {100, 0.05f, 0.999f, 0, 100, "このレースは1に100まめだな。", "1"},
      {16, 0.3f, 0.0625f, 2, 1, "このレースは3に1まめだな。", "3"},   // exactly 1 above 10: it bets
      {32, 0.3f, 0.015625f, 6, 0, "今回は見送り。", "－"},            // 0.5 goes to 0: sits out
      {32, 0.3f, 0.046875f, 2, 2, "このレースは3に2まめだな。", "3"},  // 1.5 goes to 2
      {13, 0.3f, 0.5f, 2, 6, "このレースは3に6まめだな。", "3"},      // 6.5 goes to 6
      {10, 0.7f, 0.01f, 3, 10, "このレースは4に10まめだな。", "4"},  // all in; 0.7f lies below 0.7
      {1, 0.95f, 0.0f, 5, 1, "このレースは6に1まめだな。", "6"}};
  for (const auto& [purse, lane_draw, stake_draw, pick, stake, said, lane] : kRows) {
    StartedGame game;
    game.mutable_state().MascotMoney = purse;
    SelectRace(game, {120, 120, 120, 120, 120, 120}, lane_draw, stake_draw);
    const auto& c = game.c();
    EXPECT_EQ(std::tuple(game.s().MascotPick, game.s().MascotBet, c.MsgLabel.Caption(), c.Pkake[1].Caption(),
                         c.kakeban[1].Caption(), game.s().MascotMoney),  // nothing is taken yet
              std::tuple(pick, stake, said, std::to_string(stake), lane, purse));
  }
}

constexpr std::array<int, 6> kSpeeds = {125, 130, 112, 148, 101, 139};  // odds 16.1 12.9 24.5 1.3 31.6 7.1

// A game whose first race has just started, with no bet.
struct Racing : StartedGame {
  Racing() {
    SelectRace(*this, kSpeeds);
    StartRace(*this);
  }
};

TEST(RaceTest, TheFirstDrawOfATickPicksTheLane) {
  // Either side of each bound, and the ends.
  const std::pair<float, int> kPicks[] = {{0.0f, 0},   {0.175f, 0}, {0.176f, 1}, {0.33f, 1}, {0.336f, 2}, {0.49f, 2},
                                          {0.5f, 3},   {0.664f, 3}, {0.67f, 4},  {0.82f, 4}, {0.83f, 5},  {0.9999f, 5}};
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
  // Left + 180 against the goal line's 1080; an arrival slides on 51 × 30 twips within its tick.
  for (const auto& [left, arrived, left_after] : {std::tuple{900.0f, 0, 900.0f}, {899.99f, 1, 899.99f - 1530}}) {
    game.Fire([&] { game.c().ImgChar[0].SetLeft(left); });
    ScriptMoves(game, 0, 1, 0.0f);  // a tick that moves nobody
    game.FireTimer(game.c().TimeChar);
    EXPECT_EQ(std::pair(int{game.s().FinishCount}, game.c().ImgChar[0].Left()), std::pair(arrived, left_after));
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
  RunRaceClock(game);
  SelectRace(game, kSpeeds);
  StartRace(game);
  EXPECT_EQ(tick(5), ui::RunnerPicture(5, 1));  // the last arrival's flag costs the next race one frame
  EXPECT_EQ(tick(5), ui::RunnerPicture(5, 2));
}

TEST(BestTimeTest, TheFastestWinOfTheDayFromItsFirstArrival) {
  StartedGame game;
  auto told = [&] {
    EXPECT_TRUE(game.Click(game.c().BestCmd));
    return game.c().MsgLabel.Caption();
  };
  EXPECT_EQ(told(), "本日はまだレース見てないみたいだぞ。");
  game.Fire([&] { game.c().RaceLabel.SetTag("2"); });  // two races gone by
  for (const auto& [tick, said] : {std::pair{412, "本日のベストタイムは第3レースの412ﾏﾒ秒だな。"},
                                   {412, "本日のベストタイムは第3レースの412ﾏﾒ秒だな。"},  // a tie keeps the record
                                   {411, "本日のベストタイムは第5レースの411ﾏﾒ秒だな。"}}) {
    SelectRace(game, {150, 150, 150, 150, 150, 150});
    StartRace(game);
    ScriptMoves(game, 0, tick - 46, 0.0f);  // ticks that move nobody; speed 150 crosses in 46
    ScriptFinishOrder(game, {0});
    RunRaceClock(game, tick);
    EXPECT_EQ(told(), said);                     // during the race already
    EXPECT_TRUE(game.Click(game.c().CmdStart));  // a stopped race counts
  }
}

}  // namespace

// Choosing a race: speeds, odds, race number and the mascot's bet.
#include <gtest/gtest.h>

#include "game/odds.h"
#include "support/test_game.h"

namespace {

using testing_support::TestGame;

// The draw that gives a lane this speed.
float SpeedDraw(int speed) { return speed == 150 ? 0.999f : static_cast<float>(speed - 100) / 50.0f; }

std::vector<float> SpeedDraws(std::array<int, 6> speeds) {
  std::vector<float> draws;
  for (int speed : speeds) draws.push_back(SpeedDraw(speed));
  return draws;
}

struct SelectionTest : ::testing::Test {
  SelectionTest() { game.Start(); }
  // One press of "レース選択" with these speeds and the mascot's two draws.
  void Select(std::array<int, 6> speeds, float lane_draw = 0.5f, float stake_draw = 0.5f) {
    game.random.Push(SpeedDraws(speeds));
    game.random.Push({lane_draw, stake_draw});
    ASSERT_TRUE(game.Click(game.c().ozzu));
  }
  std::vector<std::string> OddsCaptions() const {
    std::vector<std::string> captions;
    for (int lane = 0; lane < 6; ++lane) captions.push_back(game.c().Bairitu[lane].Caption());
    return captions;
  }
  TestGame game;
};

struct WorkedOdds {
  std::array<int, 6> speeds;
  int total;
  std::vector<std::string> captions;
};

class WorkedOddsTest : public ::testing::TestWithParam<WorkedOdds> {};

TEST_P(WorkedOddsTest, CaptionsFromSpeeds) {
  TestGame game;
  game.Start();
  game.random.Push(SpeedDraws(GetParam().speeds));
  game.random.Push({0.5f, 0.5f});
  game.Click(game.c().ozzu);
  EXPECT_EQ(game.s().LaneSpeed, (std::array<game::Integer, 6>{
                                    static_cast<game::Integer>(GetParam().speeds[0]),
                                    static_cast<game::Integer>(GetParam().speeds[1]),
                                    static_cast<game::Integer>(GetParam().speeds[2]),
                                    static_cast<game::Integer>(GetParam().speeds[3]),
                                    static_cast<game::Integer>(GetParam().speeds[4]),
                                    static_cast<game::Integer>(GetParam().speeds[5])}));
  EXPECT_EQ(game.s().SpeedTotal, GetParam().total);
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_EQ(game.c().Bairitu[lane].Caption(), GetParam().captions[static_cast<std::size_t>(lane)]) << lane;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedOddsTest,
    ::testing::Values(
        WorkedOdds{{150, 140, 130, 120, 110, 100}, 150, {"1.1倍", "6.7倍", "13.3倍", "20倍", "26.7倍", "33.3倍"}},
        WorkedOdds{{125, 130, 112, 148, 101, 139}, 155, {"16.1倍", "12.9倍", "24.5倍", "1.3倍", "31.6倍", "7.1倍"}},
        WorkedOdds{{140, 140, 140, 140, 140, 140}, 240, {"4.2倍", "4.2倍", "4.2倍", "4.2倍", "4.2倍", "4.2倍"}},
        WorkedOdds{{101, 100, 100, 100, 100, 100}, 1, {"4900倍", "5000倍", "5000倍", "5000倍", "5000倍", "5000倍"}},
        WorkedOdds{{150, 150, 150, 150, 150, 150}, 300, {"1.1倍", "1.1倍", "1.1倍", "1.1倍", "1.1倍", "1.1倍"}},
        // No excess speed anywhere: every lane pays the highest odds.
        WorkedOdds{{100, 100, 100, 100, 100, 100}, 0, {"5000倍", "5000倍", "5000倍", "5000倍", "5000倍", "5000倍"}}));

struct OddsCase {
  float shortfall;
  int total;
  float odds;
};

class LaneOddsTest : public ::testing::TestWithParam<OddsCase> {};

TEST_P(LaneOddsTest, FloorFirstThenOneDecimalHalfToEven) {
  EXPECT_EQ(game::LaneOddsFor(GetParam().shortfall, static_cast<game::Integer>(GetParam().total)), GetParam().odds);
}

INSTANTIATE_TEST_SUITE_P(Table, LaneOddsTest,
                         ::testing::Values(OddsCase{0, 150, 1.1f},      // speed 150: below the floor
                                           OddsCase{1, 100, 1.1f},      // 1 % lifts to 1.1
                                           OddsCase{1, 80, 1.2f},       // 1.25 goes to the even 1.2
                                           OddsCase{7, 400, 1.8f},      // 1.75 goes to the even 1.8
                                           OddsCase{11, 1000, 1.1f},    // exactly 1.1 stays
                                           OddsCase{50, 1, 5000.0f}, OddsCase{10, 240, 4.2f},
                                           OddsCase{25, 155, 16.1f}, OddsCase{50, 0, 5000.0f}));

TEST_F(SelectionTest, SpeedsRoundHalfToEven) {
  game.random.Push({0.25f, 0.75f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
  game.Click(game.c().ozzu);
  EXPECT_EQ(game.s().LaneSpeed[0], 112);  // 12.5 goes to 12
  EXPECT_EQ(game.s().LaneSpeed[1], 138);  // 37.5 goes to 38
  EXPECT_EQ(game.s().LaneSpeed[2], 100);
}

TEST_F(SelectionTest, EveryPressDrawsExactlyEightNumbers) {
  int before = game.random.draws();
  Select({120, 120, 120, 120, 120, 120});
  EXPECT_EQ(game.random.draws() - before, 8);
  game.mutable_state().MascotMoney = 5;  // all in: the stake draw is still made
  Select({100, 100, 100, 100, 100, 100});
  EXPECT_EQ(game.random.draws() - before, 16);
  EXPECT_EQ(game.random.overruns(), 0);
}

TEST_F(SelectionTest, TheSelectionEnablesStartAndCountsTheRace) {
  EXPECT_FALSE(game.c().CmdStart.Enabled());
  Select({120, 130, 140, 110, 100, 150});
  EXPECT_TRUE(game.c().CmdStart.Enabled());
  EXPECT_EQ(game.c().RaceLabel.Tag(), "1");
  EXPECT_EQ(game.c().RaceLabel.Caption(), "本日第1ﾚｰｽ");
  Select({120, 130, 140, 110, 100, 150});
  Select({120, 130, 140, 110, 100, 150});
  EXPECT_EQ(game.c().RaceLabel.Caption(), "本日第3ﾚｰｽ");
}

TEST_F(SelectionTest, ASecondPressReplacesTheFirstWithoutTrace) {
  Select({150, 140, 130, 120, 110, 100}, 0.0f, 0.5f);
  Select({140, 140, 140, 140, 140, 140}, 0.999f, 0.2f);
  EXPECT_EQ(game.c().RaceLabel.Caption(), "本日第2ﾚｰｽ");
  EXPECT_EQ(OddsCaptions(), std::vector<std::string>(6, "4.2倍"));
  EXPECT_EQ(game.s().MascotPick, 5);
  EXPECT_EQ(game.s().MascotBet, 20);
}

TEST_F(SelectionTest, TheRaceNumberStopsAtTheLargestLong) {
  game.Fire([&] { game.c().RaceLabel.SetTag("2147483647"); });
  Select({120, 120, 120, 120, 120, 120});
  EXPECT_EQ(game.c().RaceLabel.Caption(), "本日第2147483647ﾚｰｽ");
}

struct MascotCase {
  int purse;
  float lane_draw;
  float stake_draw;
  int pick;
  int stake;
  std::string said;
  std::string lane_label;
};

class MascotDecisionTest : public ::testing::TestWithParam<MascotCase> {};

TEST_P(MascotDecisionTest, BetsSitsOutOrGoesAllIn) {
  TestGame game;
  game.Start();
  game.mutable_state().MascotMoney = GetParam().purse;
  game.random.Push(SpeedDraws({120, 120, 120, 120, 120, 120}));
  game.random.Push({GetParam().lane_draw, GetParam().stake_draw});
  game.Click(game.c().ozzu);
  EXPECT_EQ(game.s().MascotPick, GetParam().pick);
  EXPECT_EQ(game.s().MascotBet, GetParam().stake);
  EXPECT_EQ(game.c().MsgLabel.Caption(), GetParam().said);
  EXPECT_EQ(game.c().Pkake[1].Caption(), std::to_string(GetParam().stake));
  EXPECT_EQ(game.c().kakeban[1].Caption(), GetParam().lane_label);
  EXPECT_EQ(game.s().MascotMoney, GetParam().purse);  // nothing is taken yet
}

INSTANTIATE_TEST_SUITE_P(
    Table, MascotDecisionTest,
    ::testing::Values(
        MascotCase{100, 0.5f, 0.5f, 2, 50, "このレースは3に50まめだな。", "3"},  // 2.5 goes to lane 2
        MascotCase{1000, 0.4f, 0.12f, 2, 120, "このレースは3に120まめだな。", "3"},
        MascotCase{100, 0.05f, 0.999f, 0, 100, "このレースは1に100まめだな。", "1"},
        MascotCase{11, 0.7f, 0.01f, 6, 0, "今回は見送り。", "－"},  // 0.11 rounds to 0: sits out
        MascotCase{10, 0.7f, 0.01f, 3, 10, "このレースは4に10まめだな。", "4"},  // 0.7f lies below 0.7  // all in, never sits out
        MascotCase{1, 0.95f, 0.0f, 5, 1, "このレースは6に1まめだな。", "6"},
        MascotCase{40000, 0.3f, 0.9999999f, 2, 30000, "このレースは3に30000まめだな。", "3"},  // capped
        MascotCase{40000, 0.3f, 0.5f, 2, 15000, "このレースは3に15000まめだな。", "3"}));

}  // namespace

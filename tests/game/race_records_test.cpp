// What the records are told of a settled race, and when: before the first
// box of the settlement, so a crash or a closing いいえ loses nothing.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using namespace testing_support;
using platform::MessageBoxes;
using platform::SettledBet;

constexpr std::array<int, 6> kWorkedSpeeds = {125, 130, 112, 148, 101, 139};  // lane 3 at odds 1.3
const std::vector<int> kLane3First = {3, 0, 5, 1, 2, 4};
constexpr float kMascotOnLane2 = 0.5f, kMascotOnLane3 = 0.6f;
constexpr float kHalfItsPurse = 0.5f, kAllItsPurse = 0.999f;
constexpr int kNoReply = 0;

struct RecordCase {
  const char* situation;
  int pick, stake;
  float mascot_lane, mascot_stake;
  bool stop;
  int continue_reply;
  SettledBet player, mascot;
  std::int32_t mascot_refill;
  std::vector<RecordingRaces::Gift> gifts;
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.situation; }
}  // namespace
namespace platform {
void PrintTo(const SettledBet& bet, std::ostream* os) {
  *os << "lane " << bet.lane << ", stake " << bet.stake << ", payout " << bet.payout << ", purse " << bet.purse_after;
}
}  // namespace platform
namespace {

class RaceRecordsTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RaceRecordsTest, TheSettledRaceIsKeptBeforeAnyBox) {
  const RecordCase& c = GetParam();
  TestGame game;
  std::vector<std::size_t> boxes_when_kept;
  game.records.on_record = [&] { boxes_when_kept.push_back(game.boxes.shown.size()); };
  if (c.continue_reply != kNoReply) game.boxes.Reply({MessageBoxes::kReplyOk, MessageBoxes::kReplyOk, c.continue_reply});
  game.Start();
  SelectRace(game, kWorkedSpeeds, c.mascot_lane, c.mascot_stake);
  if (c.pick < 6) game.Click(game.c().CharKake[c.pick]);
  game.session().MoveScrollBar(game.c().KakeHScroll, c.stake);
  StartRace(game);
  if (c.stop) {
    ScriptMoves(game, 3, 47);
    RunRaceClock(game, 47);
    game.Click(game.c().CmdStart);
  } else {
    ScriptFinishOrder(game, kLane3First);
    RunRaceClock(game);
  }

  ASSERT_EQ(game.records.races.size(), 1u);
  const platform::SettledRace& race = game.records.races[0];
  EXPECT_EQ(std::tuple(race.race_no, race.odds[3], race.stopped, race.arrivals, race.winner(), race.winning_ticks),
            std::tuple(1, 1.3f, c.stop, c.stop ? 1 : 6, 3, 47));
  if (!c.stop) { EXPECT_EQ(race.arrival_order, (std::array<int, 6>{3, 0, 5, 1, 2, 4})); }
  EXPECT_EQ(std::pair(race.player, race.mascot), std::pair(c.player, c.mascot));
  EXPECT_EQ(race.mascot_refill, c.mascot_refill);
  EXPECT_EQ(game.records.gifts, c.gifts);
  // The race before the first box; a gift after the question, before its box.
  ASSERT_FALSE(boxes_when_kept.empty());
  EXPECT_EQ(boxes_when_kept[0], 0u);
  if (!c.gifts.empty()) {
    EXPECT_EQ(boxes_when_kept.at(1), 3u);
  }
  // The purse the record names is the purse the race left.
  if (c.continue_reply == kNoReply) {
    EXPECT_EQ(game.s().PlayerMoney, c.player.purse_after);
  }
  EXPECT_EQ(game.s().MascotMoney, c.mascot.purse_after + c.mascot_refill);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, RaceRecordsTest,
    ::testing::Values(
        RecordCase{"a hit at odds 1.3", 3, 15, kMascotOnLane2, kHalfItsPurse, false, kNoReply,
                   {3, 15, 19, 104}, {2, 50, 0, 50}, 0, {}},
        RecordCase{"a miss; the mascot hits too", 0, 30, kMascotOnLane3, kHalfItsPurse, false, kNoReply,
                   {0, 30, 0, 70}, {3, 50, 65, 115}, 0, {}},
        RecordCase{"a race stopped after the first arrival", 3, 10, kMascotOnLane2, kHalfItsPurse, true, kNoReply,
                   {3, 10, 13, 103}, {2, 50, 0, 50}, 0, {}},
        RecordCase{"no bet; the mascot goes broke and the bank refills it", 6, 40, kMascotOnLane2, kAllItsPurse, false,
                   kNoReply, {6, 0, 0, 100}, {2, 100, 0, 0}, 100, {}},
        RecordCase{"an empty purse, continued with はい", 0, 100, kMascotOnLane2, kHalfItsPurse, false,
                   MessageBoxes::kReplyYes, {0, 100, 0, 0}, {2, 50, 0, 50}, 0, {{1, 10, 10}}},
        RecordCase{"an empty purse, ended with いいえ", 0, 100, kMascotOnLane2, kHalfItsPurse, false,
                   MessageBoxes::kReplyNo, {0, 100, 0, 0}, {2, 50, 0, 50}, 0, {}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace

// A race from its start, both stakes taken and the bet locked, to its end,
// run to its last runner or stopped at its first: both bets settled with
// their boxes and comments, the continue offer, the music stopped first, the
// records told before any box, the window as it was before the race was
// chosen, and the stake bar fitted to the purse (how it fits any purse,
// start-up shows).
#include <gtest/gtest.h>

#include "game/payout.h"
#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;
using Boxes = std::vector<ShownBox>;
using Log = std::vector<std::string>;
using Gifts = std::vector<RecordingRaces::Gift>;
using platform::MessageBoxes;
using platform::SettledBet;

constexpr int kOk = MessageBoxes::kOkOnly;
constexpr int kTop = 2147483647;

TEST(PayoutTest, StakeTimesStoredOddsRoundedHalfToEven) {
  // The stake, the odds and the payout; 1.3f lies below 1.3.
  const std::tuple<game::Integer, float, int> kRows[] = {{10, 2.3f, 23}, {15, 1.3f, 19}, {5, 2.5f, 12},
                                                         {7, 2.5f, 18},  {5, 1.1f, 6},   {30000, 5000.0f, 150000000}};
  for (const auto& [stake, odds, pays] : kRows) EXPECT_EQ(game::Payout(stake, odds), pays) << stake << "@" << odds;
}

// The mascot's side of a race: its purse before, its draws, its bet as the
// records keep it (the purse before any refill), the bank's refill, what it says.
struct Mascot {
  int purse;
  float lane_draw, stake_draw;
  SettledBet kept;
  int refill;
  const char* said;
};
const Mascot kMisses = {100, 0.5f, 0.5f, {2, 50, 0, 50}, 0, "ハズレちまったぜ。"};         // lane 2, stake 50
const Mascot kKeepsOne = {16, 0.5f, 0.9375f, {2, 15, 0, 1}, 0, kMisses.said};           // not the bank: 1 is left
const Mascot kHits = {100, 0.6f, 0.5f, {3, 50, 65, 115}, 0, "当たりや。65まめゲット"};  // lane 3, 50 at 1.3
const Mascot kGoesToTheBank = {7, 0.5f, 0.5f, {2, 7, 0, 0}, 100, "所持金がなくなったから銀行で１００まめ下ろしたぜ（￣ー￣ﾆﾔﾘ"};
const Mascot kSitsOut = {11, 0.5f, 0.01f, {6, 0, 0, 11}, 0, "before the end"};  // a stake of 0: no bet, no comment
const Mascot kMissesAndSellsASlip = {100, 0.5f, 0.5f, {2, 50, 0, 60}, 0, kMisses.said};
// 15000 at 1.3 pays 19500, which would carry the purse past the largest Long: it stops there.
const Mascot kHitsAtTheTop = {kTop, 0.6f, 0.5f, {3, 15000, 19500, kTop}, 0, "当たりや。19500まめゲット"};

// A race that lane 3 (odds 1.3) wins, with the bar at `bar`; `player` is the
// bet as the records keep it (lane 6: none), its purse before any gift.
struct Race {
  int purse, bar;
  SettledBet player;
  Boxes boxes;
  int bet_after;  // the label and the stake once settled: what the next Start takes
  Mascot mascot = kMisses;
  bool stopped = false, music = false;  // Stop pressed at the first arrival; the music on
  std::vector<int> replies = {};
  bool fortune = false;  // a slip bought while the race runs pulls the bar in under the locked bet
};

const ShownBox kMiss = {"残念ハズレ。", kOk, "失敗"};
Boxes Hit(int payout) {
  return {{"見事予感が的中しました。", kOk, "大当たり"},
          {"配当金は" + std::to_string(payout) + "まめです。", kOk, "大当たり"}};
}
Boxes Empty(bool goes_on) {
  return {kMiss,
          {"所持金がなくなりました。", kOk, "のーまねー"},
          {"まだやりますか？", MessageBoxes::kYesNo, "こんてにゅー"},
          goes_on ? ShownBox{"では、10まめあげましょう。", kOk, "10まめ"}
                  : ShownBox{"ご利用ありがとうございました。", kOk, "終了"}};
}

// Whether each control can be used and is shown; the fortune button follows the purse.
std::string Reach(TestGame& game) {
  std::string reach;
  for (const auto& control : game.form().form().controls().all()) {
    if (control.get() == &game.c().omi) continue;
    reach += control->QualifiedName() + (control->Enabled() ? " on" : " off") + (control->Visible() ? " " : " hidden ");
  }
  return reach;
}

TEST(SettlementTest, RacesToTheirEnd) {
  const std::vector<int> kYes = {kOk, kOk, MessageBoxes::kReplyYes}, kNo = {kOk, kOk, MessageBoxes::kReplyNo};
  const Race kRaces[] = {{100, 15, {3, 15, 19, 104}, Hit(19), 15, kMisses, false, true},
                         {100, 30, {0, 30, 0, 70}, {kMiss}, 30, kKeepsOne},
                         {100, 1, {3, 1, 1, 100}, Hit(1), 1},  // the bar untouched: the stake starts at 1
                         {100, 99, {0, 99, 0, 1}, {kMiss}, 1},  // 1 left: no continue offer
                         {100, 100, {0, 100, 0, 0}, Empty(true), 10, kMisses, false, false, kYes},
                         {100, 100, {0, 100, 0, 0}, Empty(false), 100, kMisses, false, false, kNo},
                         {100, 40, {6, 0, 0, 100}, {}, 1},                             // no bet, no box; bar back to 1
                         {kTop - 5, 1000, {3, 1000, 1300, kTop}, Hit(1300), 1000},     // stops at the top
                         {100, 10, {3, 10, 13, 103}, Hit(13), 10, kHits, true},        // both win, each at its stake
                         {100, 1, {6, 0, 0, 100}, {}, 0, kGoesToTheBank},              // all in, and lost
                         {100, 1, {6, 0, 0, 100}, {}, 0, kSitsOut},                    // the bar stays: so does 0
                         {100, 30, {0, 30, 0, 70}, {kMiss}, 30, kHitsAtTheTop},
                         {100, 90, {0, 90, 0, 10}, {kMiss}, 10, kMisses, true, true},  // bar and stake pulled in
                         {100, 50, {0, 50, 0, 40}, {kMiss}, 40, kMissesAndSellsASlip, false, false, {}, true}};
  const Log stop = {"stop bgm", "close bgm"};
  // The executable's directory holds a blank: the path stands in quotes.
  const Log start = {"stop bgm", "close bgm", "open \"/opt/mascot race/bgm.mid\" alias bgm", "play bgm",
                     "wave /opt/mascot race/bgm1.wav"};
  for (const Race& race : kRaces) {
    const int pick = race.player.lane;
    SCOPED_TRACE("purse " + std::to_string(race.purse) + ", pick " + std::to_string(pick) + ", bar " +
                 std::to_string(race.bar) + (race.stopped ? ", stopped" : "") + (race.music ? ", music" : ""));
    StartedGame game(std::to_string(race.purse));
    const auto& c = game.c();
    if ((c.CheckBGM.Value() == 1) != race.music) game.Click(c.CheckBGM);
    game.mutable_state().MascotMoney = race.mascot.purse;
    game.Fire([&] { c.Psyoji[1].SetCaption(std::to_string(race.mascot.purse)); });
    const std::string reach_before = Reach(game);
    SelectRace(game, {125, 130, 112, 148, 101, 139}, race.mascot.lane_draw, race.mascot.stake_draw);
    EXPECT_EQ(game.media.prepared, race.music ? Log{"/opt/mascot race/bgm.mid"} : Log{});  // made ready ahead
    if (pick < 6) game.Click(c.CharKake[pick]);
    game.session().MoveScrollBar(c.KakeHScroll, race.bar);
    game.media.log.clear();
    StartRace(game);
    EXPECT_EQ(game.media.log, race.music ? start : stop);
    // Both stakes taken at once, and the bet locked: an odds label clicked changes nothing (the settlement shows).
    game.Click(c.Bairitu[5 - pick % 6]);
    EXPECT_EQ(std::tuple(c.Money.Caption(), c.KakeLabel.Caption(), c.Psyoji[1].Caption(), c.CharKake[0].Enabled(),
                         c.ozzu.Enabled(), c.KakeHScroll.Visible(), c.CmdStart.Enabled(), c.CharAnime[0].Interval()),
              std::tuple(std::to_string(race.purse - race.player.stake), std::to_string(race.player.stake),
                         std::to_string(race.mascot.purse - race.mascot.kept.stake), false, false, false, false, 50));
    game.Click(c.CheckBGM);  // read at the start only: nothing changes now
    game.media.log.clear();
    if (race.fortune) game.random.Push({0.5f}), game.Click(c.omi);
    game.Fire([&] { game.form().Say(platform::Text::Plain("before the end")); });
    Log at_first_box = {"no box"};
    std::string ranks;  // as the first box finds them
    std::vector<std::size_t> told;  // the races and gifts the records were told of, as each box finds them
    game.boxes.while_open = [&](const ShownBox&) {
      told.push_back(game.records.races.size() + game.records.gifts.size());
      if (at_first_box != Log{"no box"}) return;
      at_first_box = game.media.log;
      for (int lane = 0; lane < 6; ++lane) ranks += c.Jyuni[lane].Caption() + " ";
    };
    game.boxes.Reply(race.replies);
    ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
    RunRaceClock(game, race.stopped ? 47 : 100000);
    if (race.stopped) { EXPECT_TRUE(game.Click(c.CmdStart)); }
    EXPECT_EQ(game.boxes.shown, race.boxes);
    const bool ended = race.replies == kNo, continued = race.replies == kYes;
    if (!race.boxes.empty()) {  // the music stops first, and again at a close
      EXPECT_EQ(at_first_box, stop);
      EXPECT_TRUE(race.stopped || ranks == "2着 4着 5着 1着 6着 3着 ") << ranks;
    }
    EXPECT_EQ(game.media.log, ended ? (Log{"stop bgm", "close bgm", "stop bgm", "close bgm"}) : stop);
    // The records hear of the race before its first box, and of a gift after the question, before its box.
    ASSERT_EQ(game.records.races.size(), 1u);
    const platform::SettledRace& kept = game.records.races[0];
    EXPECT_EQ(std::tuple(kept.race_no, kept.odds[3], kept.stopped, kept.arrivals, kept.winner(), kept.winning_ticks),
              std::tuple(1, 1.3f, race.stopped, race.stopped ? 1 : 6, 3, 47));
    if (!race.stopped) { EXPECT_EQ(kept.arrival_order, (std::array<int, 6>{3, 0, 5, 1, 2, 4})); }
    EXPECT_EQ(std::tuple(kept.player, kept.mascot, kept.mascot_refill),
              std::tuple(race.player, race.mascot.kept, race.mascot.refill));
    EXPECT_EQ(game.records.gifts, continued ? (Gifts{{1, 10, 10}}) : Gifts{});
    EXPECT_EQ(told, continued ? (std::vector<std::size_t>{1, 1, 1, 2})
                              : std::vector<std::size_t>(race.boxes.size(), 1));
    const int purse_after = race.player.purse_after + (continued ? 10 : 0);
    const int mascot_after = race.mascot.kept.purse_after + race.mascot.refill;
    const std::string purse = std::to_string(purse_after), mascot = std::to_string(mascot_after);
    EXPECT_EQ(std::tuple(game.s().PlayerMoney, *game.settings.Purse(), game.s().MascotMoney, c.MsgLabel.Caption()),
              std::tuple(purse_after, purse, mascot_after, std::string(race.mascot.said)));
    EXPECT_EQ(std::pair(game.session().ended(), c.ozzu.Enabled()), std::pair(ended, !ended));  // nothing runs after it
    if (ended) continue;
    EXPECT_EQ(c.Money.Caption() + " " + c.Psyoji[1].Caption() + " " + c.Pkake[1].Caption() + c.kakeban[1].Caption(),
              purse + " " + mascot + " 0－");
    EXPECT_EQ(std::tuple(c.omi.Enabled(), c.TimeChar.Interval(), game.s().PlayerPick, c.KakeLabel.Caption(),
                         game.s().PlayerBet),
              std::tuple(purse_after > 10, 0, 6, std::to_string(race.bet_after), race.bet_after));
    EXPECT_EQ(Reach(game), reach_before);  // Start shut until a race is chosen, the bar shown, the lanes open
    const std::size_t boxes = game.boxes.shown.size();
    game.AdvanceMicros(20000);  // settled once; after a stop the runners are back on the line
    EXPECT_EQ(game.boxes.shown.size(), boxes);
    for (int lane = 0; lane < 6; ++lane) {
      EXPECT_EQ(std::tuple(c.Jyuni[lane].Visible(), c.Bairitu[lane].Caption(), c.CharAnime[lane].Interval(),
                           c.CharKake[lane].Value(), c.ImgChar[lane].Left()), std::tuple(false, "", 0, false, 7750.0f));
      EXPECT_EQ(c.CharKake[lane].BackColor(), lane == pick ? ui::kWhite : ui::SystemColour(14));
      EXPECT_TRUE(lane != pick || c.CharKake[lane].ForeColor() == ui::kBlack);
      if (!race.stopped) { EXPECT_EQ(c.ImgChar[lane].Picture(), ui::RunnerPicture(lane, 1)); }
    }
  }
}

}  // namespace

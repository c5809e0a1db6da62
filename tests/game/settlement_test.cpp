// The end of a race, run to its last runner or stopped at its first: both
// bets settled with their boxes and comments, the continue offer, the music
// stopped first, the lanes ready again, and the stake bar fitted to the purse.
#include <gtest/gtest.h>

#include "game/payout.h"
#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;
using Boxes = std::vector<ShownBox>;
using Log = std::vector<std::string>;
using platform::MessageBoxes;

constexpr int kOk = MessageBoxes::kOkOnly;
constexpr int kTop = 2147483647;

TEST(PayoutTest, StakeTimesStoredOddsRoundedHalfToEven) {
  struct Row { int stake; float odds; int pays; };
  for (const Row& row : {Row{10, 2.3f, 23}, Row{15, 1.3f, 19} /* 1.3f lies below 1.3 */, Row{5, 2.5f, 12},
                         Row{7, 2.5f, 18}, Row{5, 1.1f, 6}, Row{30000, 5000.0f, 150000000}}) {
    EXPECT_EQ(game::Payout(static_cast<game::Integer>(row.stake), row.odds), row.pays) << row.stake << "@" << row.odds;
  }
}

// A race that lane 3 (odds 1.3) wins; the mascot bets on lane 2 unless told otherwise.
struct Race {
  int purse, pick, stake;
  std::vector<int> replies;
  Boxes boxes;
  int purse_after;
  int mascot_after = 50;
  const char* said = "ハズレちまったぜ。";  // the mascot's comment
  int mascot_purse = 100;
  float mascot_lane = 0.5f, mascot_stake = 0.5f;
  bool stopped = false;  // Stop pressed at the first arrival
  bool music = false;
};

const ShownBox kHit = {"見事予感が的中しました。", kOk, "大当たり"};
const ShownBox kMiss = {"残念ハズレ。", kOk, "失敗"};
const Boxes kEmpty = {kMiss, {"所持金がなくなりました。", kOk, "のーまねー"},
                      {"まだやりますか？", MessageBoxes::kYesNo, "こんてにゅー"}};
Boxes With(Boxes boxes, const ShownBox& last) {
  boxes.push_back(last);
  return boxes;
}

TEST(SettlementTest, RacesToTheirEnd) {
  const Race kRaces[] = {
      {100, 3, 15, {}, {kHit, {"配当金は19まめです。", kOk, "大当たり"}}, 85 + 19},
      {100, 0, 30, {}, {kMiss}, 70},
      {100, 0, 100, {kOk, kOk, MessageBoxes::kReplyYes}, With(kEmpty, {"では、10まめあげましょう。", kOk, "10まめ"}), 10},
      {100, 0, 100, {kOk, kOk, MessageBoxes::kReplyNo}, With(kEmpty, {"ご利用ありがとうございました。", kOk, "終了"}), 0},
      {100, 6, 40, {}, {}, 100},  // no bet, no box
      {kTop - 5, 3, 1000, {}, {kHit, {"配当金は1300まめです。", kOk, "大当たり"}}, kTop},  // stops at the top
      {100, 3, 10, {}, {kHit, {"配当金は13まめです。", kOk, "大当たり"}}, 103, 50 + 65, "当たりや。65まめゲット", 100, 0.6f},
      {100, 6, 1, {}, {}, 100, 100, "所持金がなくなったから銀行で１００まめ下ろしたぜ（￣ー￣ﾆﾔﾘ", 7},  // all in, lost
      {100, 6, 1, {}, {}, 100, 11, "before the end", 11, 0.5f, 0.01f},  // the mascot sat out: no comment
      {100, 3, 10, {}, {kHit, {"配当金は13まめです。", kOk, "大当たり"}}, 103, 50, "ハズレちまったぜ。", 100, 0.5f, 0.5f, true},
      {100, 0, 30, {}, {kMiss}, 70, 50, "ハズレちまったぜ。", 100, 0.5f, 0.5f, true, true},
      {100, 0, 30, {}, {kMiss}, 70, 50, "ハズレちまったぜ。", 100, 0.5f, 0.5f, false, true}};
  const Log stop = {"stop bgm", "close bgm"};
  // The executable's directory holds a blank: the path stands in quotes.
  const Log start = {"stop bgm", "close bgm", "open \"/opt/mascot race/bgm.mid\" alias bgm", "play bgm",
                     "wave /opt/mascot race/bgm1.wav"};
  for (const Race& race : kRaces) {
    SCOPED_TRACE("purse " + std::to_string(race.purse) + ", pick " + std::to_string(race.pick) + ", stake " +
                 std::to_string(race.stake) + (race.stopped ? ", stopped" : "") + (race.music ? ", music" : ""));
    TestGame game;
    game.settings.SetPurse(std::to_string(race.purse));
    game.Start();
    const auto& c = game.c();
    if ((c.CheckBGM.Value() == 1) != race.music) game.Click(c.CheckBGM);
    game.mutable_state().MascotMoney = race.mascot_purse;
    game.Fire([&] { c.Psyoji[1].SetCaption(std::to_string(race.mascot_purse)); });
    SelectRace(game, {125, 130, 112, 148, 101, 139}, race.mascot_lane, race.mascot_stake);
    if (race.pick < 6) game.Click(c.CharKake[race.pick]);
    game.session().MoveScrollBar(c.KakeHScroll, race.stake);
    game.media.log.clear();
    StartRace(game);
    EXPECT_EQ(game.media.log, race.music ? start : stop);
    game.Click(c.CheckBGM);  // read at the start only: nothing changes now
    game.media.log.clear();
    game.Fire([&] { game.form().Say("before the end"); });
    Log at_first_box = {"no box"};
    game.boxes.while_open = [&](const ShownBox&) {
      if (at_first_box == Log{"no box"}) at_first_box = game.media.log;
    };
    game.boxes.Reply(race.replies);
    ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
    RunRaceClock(game, race.stopped ? 47 : 100000);
    if (race.stopped) EXPECT_TRUE(game.Click(c.CmdStart));
    EXPECT_EQ(game.boxes.shown, race.boxes);
    const bool ended = race.replies.size() == 3 && race.replies[2] == MessageBoxes::kReplyNo;
    if (!race.boxes.empty()) EXPECT_EQ(at_first_box, stop);  // the music stops first, and again at a close
    EXPECT_EQ(game.media.log, ended ? (Log{"stop bgm", "close bgm", "stop bgm", "close bgm"}) : stop);
    const std::string purse = std::to_string(race.purse_after), mascot = std::to_string(race.mascot_after);
    EXPECT_EQ(std::tuple(game.s().PlayerMoney, *game.settings.Purse(), game.s().MascotMoney, c.MsgLabel.Caption()),
              std::tuple(race.purse_after, purse, race.mascot_after, std::string(race.said)));
    EXPECT_EQ(std::tuple(game.session().ended(), c.ozzu.Enabled()), std::tuple(ended, !ended));  // nothing runs after the end
    if (ended) continue;
    EXPECT_EQ(c.Money.Caption() + " " + c.Psyoji[1].Caption() + " " + c.Pkake[1].Caption() + c.kakeban[1].Caption(),
              purse + " " + mascot + " 0－");
    EXPECT_EQ(std::tuple(c.omi.Enabled(), c.TimeChar.Interval(), game.s().PlayerPick), std::tuple(race.purse_after > 10, 0, 6));
    const std::size_t boxes = game.boxes.shown.size();
    game.AdvanceMicros(20000);  // settled once; after a stop the runners are back on the line
    EXPECT_EQ(game.boxes.shown.size(), boxes);
    for (int lane = 0; lane < 6; ++lane) {
      EXPECT_EQ(std::tuple(c.Jyuni[lane].Visible(), c.Bairitu[lane].Caption(), c.CharAnime[lane].Interval(),
                           c.CharKake[lane].Value(), c.ImgChar[lane].Left()),
                std::tuple(false, "", 0, false, 7750.0f));
      EXPECT_EQ(c.CharKake[lane].BackColor(), lane == race.pick ? ui::kWhite : ui::SystemColour(14));
      if (!race.stopped) EXPECT_EQ(c.ImgChar[lane].Picture(), ui::RunnerPicture(lane, 1));
    }
  }
}

// The stake follows the bar only when the bar's value changes.
TEST(SettlementTest, TheStakeAfterARace) {
  struct Row { int pick, stake, bar; const char* label; };
  for (const Row& row : {Row{6, 40, 1, "1"},       // no bet: the bar goes back to 1
                         Row{6, 1, 1, "0"},        // already at 1: no change, the label keeps 0
                         Row{0, 80, 20, "20"}}) {  // a purse of 20 pulls the bar and the stake in
    TestGame game;
    game.Start();
    SelectRace(game, {125, 130, 112, 148, 101, 139});
    if (row.pick < 6) game.Click(game.c().CharKake[row.pick]);
    game.session().MoveScrollBar(game.c().KakeHScroll, row.stake);
    StartRace(game);
    ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
    RunRaceClock(game);
    EXPECT_EQ(game.c().KakeHScroll.Value(), row.bar);
    EXPECT_EQ(game.c().KakeLabel.Caption(), row.label);
    EXPECT_EQ(game.s().PlayerBet, std::stoi(row.label));
  }
}

enum When { kStartUp, kAfterARace, kAfterAFortune };

// The bar's maximum is the purse, at most 30000; its large step a tenth of it, halves to even.
TEST(StakeBarTest, TheBarFitsThePurse) {
  struct Row { When when; int purse, max, large_change; };
  for (const Row& row :
       {Row{kStartUp, 100, 100, 10}, {kStartUp, 25, 25, 2}, {kStartUp, 35, 35, 4}, {kStartUp, 15, 15, 2},
        {kStartUp, 3, 3, 1000} /* a step of 0 is refused: the bar keeps its own */, {kStartUp, 30000, 30000, 3000},
        {kStartUp, 30001, 30000, 3000}, {kAfterARace, 25, 25, 2}, {kAfterARace, 35, 35, 4}, {kAfterARace, 5, 5, 1}, {kAfterARace, 7, 7, 1},
        {kAfterARace, 10, 10, 1}, {kAfterARace, 95, 95, 10}, {kAfterARace, 30000, 30000, 3000},
        {kAfterARace, 40000, 30000, 3000}, {kAfterAFortune, 1, 1, 1} /* the maximum only */,
        {kAfterAFortune, 30000, 30000, 3000}, {kAfterAFortune, 49990, 30000, 3000}}) {
    TestGame game;
    game.settings.SetPurse(std::to_string(row.when == kAfterAFortune ? row.purse + 10 : row.purse));
    game.Start();
    if (row.when == kAfterAFortune) game.Click(game.c().omi);
    if (row.when == kAfterARace) {
      SelectRace(game, {125, 130, 112, 148, 101, 139});
      StartRace(game);
      game.mutable_state().PlayerMoney = row.purse;
      ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
      RunRaceClock(game);
    }
    EXPECT_EQ(game.s().PlayerMoney, row.purse) << row.when;
    EXPECT_EQ(game.c().KakeHScroll.Max(), row.max) << row.when << ": " << row.purse;
    EXPECT_EQ(game.c().KakeHScroll.LargeChange(), row.large_change) << row.when << ": " << row.purse;
    EXPECT_EQ(game.c().KakeHScroll.SmallChange(), 1);
  }
}

}  // namespace

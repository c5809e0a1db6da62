// A long random-play soak with a ledger. Thousands of random events: clicks
// on every control, enabled or not, during races and between them; the stake
// bar; menus; time passing; events that arrive while a message box is open;
// random answers; closes and restarts, some near the top of the purse range.
// The soak keeps its own books of every stake, payout, fortune, continue gift
// and bank refill, and after every event each purse must equal its start
// plus its ledger. A failure names the seed and the events that led to it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <sstream>

#include "support/test_game.h"

namespace {

using game::Long;
using platform::MessageBoxes;
using testing_support::ShownBox;
using testing_support::TestGame;

constexpr Long kTop = 2147483647;

// What a hit pays, worked out here: the stake as a single times the odds as
// stored, rounded to the nearest whole number, halves to even.
Long PayoutOf(int stake, float odds) {
  return static_cast<Long>(std::nearbyint(static_cast<double>(static_cast<float>(stake)) * static_cast<double>(odds)));
}

// The purse a start-up makes of a saved text: 100 for no number, 10 for less than 1.
Long StartFrom(const std::string& saved) {
  try {
    const Long purse = platform::TextToLong(saved);
    return purse < 1 ? 10 : purse;
  } catch (const platform::GameError&) {
    return 100;
  }
}

struct Bets {  // as the rules hold them
  Long purse, mascot;
  int pick, stake, mascot_pick, mascot_stake;
  std::array<float, 6> odds;
  bool running;
  bool operator==(const Bets&) const = default;
};

class Soak {
 public:
  Soak(std::uint32_t seed, Long purse) : seed_(seed), pick_(seed), random_(seed & 0xFFFFFF) {
    NewGame(std::to_string(purse));
  }

  // Plays `count` random events, then lets the last race run to its end (waiting is Act's roll 0).
  bool Play(int count) {
    for (int i = 0; i < count + 200 && (i < count || game_->s().RaceRunning); ++i)
      if (!Step(i < count ? Between(0, 999) : 0)) return false;
    return !game_->s().RaceRunning || Fail("the last race never ended");
  }

  std::map<std::string, int> counts;

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(pick_) < p; }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(pick_); }
  ui::Control& AnyControl() {
    const auto& all = game_->session().form().form().controls().all();
    return *all[static_cast<std::size_t>(Between(0, static_cast<int>(all.size()) - 1))];
  }

  void NewGame(const std::string& saved) {
    game_ = std::make_unique<TestGame>(TestGame::Options{.random = &random_});
    game_->settings.SetPurse(saved);
    game_->session().dispatcher().SetErrorLog(
        [this](const std::string& line) { broken_ = "a handler failed: " + line; });
    game_->boxes.answer = [this](const ShownBox& box) {
      const int reply = box.style != MessageBoxes::kYesNo ? MessageBoxes::kReplyOk
                        : Chance(0.8)                     ? MessageBoxes::kReplyYes
                                                          : MessageBoxes::kReplyNo;
      if (box.title == "こんてにゅー") continue_reply_ = reply;
      return reply;
    };
    game_->boxes.while_open = [this](const ShownBox&) { WhileBoxOpen(); };
    game_->Start();
    purse_ = StartFrom(saved);
    mascot_ = 100;
    ++counts["games"];
  }

  // The purse a start-up would find saved: a kill now must lose nothing a close would keep.
  Long Saved() const { return StartFrom(game_->settings.Purse().value_or("")); }

  Bets Take() const {
    const auto& s = game_->s();
    return {s.PlayerMoney, s.MascotMoney, s.PlayerPick, s.PlayerBet,
            s.MascotPick,  s.MascotBet,   s.LaneOdds,   s.RaceRunning};
  }

  void Book(Long& purse, Long amount, const std::string& why) {
    counts["credits stopped at the top"] += std::int64_t{purse} + amount > kTop;
    purse = static_cast<Long>(std::min<std::int64_t>(kTop, std::int64_t{purse} + amount));
    log_.push_back("  ledger: " + why + " " + std::to_string(amount));
    ++counts[why];
  }

  // One random event; true when it bought a fortune.
  bool Act(int roll) {
    TestGame& g = *game_;
    const auto& c = g.c();
    if (roll < 300) {
      const int micros = Chance(0.5) ? Between(1, 100) * 1000 : Between(100, 3000) * 1000;
      log_.push_back("wait " + std::to_string(micros) + "us");
      g.AdvanceMicros(micros);
    } else if (roll < 400) {
      const int value = Chance(0.3) ? Between(0, c.KakeHScroll.Max() + 2) : Between(-5, 30005);
      log_.push_back("move or drag the bar to " + std::to_string(value));
      if (Chance(0.5)) g.session().MoveScrollBar(c.KakeHScroll, value);
      if (g.session().DragScrollBar(c.KakeHScroll, value) && Chance(0.7)) g.session().EndScrollBarDrag(c.KakeHScroll);
    } else if (roll < 404) {
      log_.push_back("close the window");
      g.session().CloseMainWindow();
    } else {  // the controls a player uses most, else anything, labels and disabled controls too
      const std::array<ui::Control*, 17> often = {
          &c.ozzu, &c.ozzu,  &c.CmdStart, &c.CmdStart, &c.CmdStart, &c.omi, &c.CharKake[Between(0, 5)],
          &c.Bairitu[Between(0, 5)], &c.RndMsg, &c.CmdT, &c.CmdRnd, &c.BestCmd, &c.ColorCmd, &c.h1, &c.komame,
          &c.CheckBGM, &c.version};
      ui::Control& control = roll < 900 ? *often[static_cast<std::size_t>(Between(0, 16))] : AnyControl();
      log_.push_back("click " + control.QualifiedName());
      return g.Click(control) && &control == &c.omi;
    }
    return false;
  }

  // Events that arrive while a box is open must all be refused, and no
  // timer may fire; a kill now must lose nothing a close would keep.
  void WhileBoxOpen() {
    TestGame& g = *game_;
    if (Saved() != StartFrom(platform::DecimalText(g.s().PlayerMoney))) broken_ = "the saved purse lags in a box";
    if (!Chance(0.3)) return;
    ++counts["events while a box was open"];
    const Bets before = Take();
    const std::string clock = g.c().TimeChar.Tag();
    bool ran = g.Click(AnyControl());
    ran = g.session().MoveScrollBar(g.c().KakeHScroll, Between(1, 30000)) || ran;
    ran = g.session().CloseMainWindow() || ran;
    g.AdvanceMicros(Between(1, 2000) * 1000);
    if (ran || !(Take() == before) || g.c().TimeChar.Tag() != clock) broken_ = "something ran while a box was open";
  }

  bool Step(int roll) {
    ++events_;
    const Bets before = Take();
    continue_reply_ = 0;
    const bool fortune = Act(roll);
    if (log_.size() > 80) log_.erase(log_.begin(), log_.begin() + 20);
    if (!broken_.empty()) return Fail(broken_);
    const auto& s = game_->s();
    if (fortune) Book(purse_, -10, "fortune"), Book(mascot_, 10, "fortune paid to the mascot");
    if (!before.running && s.RaceRunning) {  // a start: both stakes are taken, and the bets fixed
      bets_ = before;
      bets_.stake = before.pick == game::kNoLane ? 0 : std::clamp<int>(before.stake, 0, static_cast<int>(before.purse));
      bets_.mascot_stake = before.mascot_pick == game::kNoLane ? 0 : before.mascot_stake;
      Book(purse_, -bets_.stake, "stake");
      Book(mascot_, -bets_.mascot_stake, "mascot's stake");
    }
    if (before.running && !s.RaceRunning) Settle(s.WinnerLane);
    if (s.RaceRunning && std::tie(s.PlayerPick, s.PlayerBet, s.LaneOdds, s.MascotPick, s.MascotBet) !=
                             std::tie(bets_.pick, bets_.stake, bets_.odds, bets_.mascot_pick, bets_.mascot_stake))
      return Fail("a bet moved while its race runs");
    if (s.PlayerMoney != purse_ || s.MascotMoney != mascot_) return Fail("a purse is not its start plus its ledger");
    if (Saved() != StartFrom(platform::DecimalText(purse_))) return Fail("the saved purse lags behind");
    if (!game_->session().ended()) return CheckButtons();
    NewGame(game_->settings.Purse().value_or(""));  // the next run picks up the purse where this one left it
    return game_->s().PlayerMoney == purse_ || Fail("the purse did not survive a restart");
  }

  // Only the winning lane is paid, at the stake and odds fixed at the start.
  void Settle(int winner) {
    ++counts["races"];
    const float odds = bets_.odds[static_cast<std::size_t>(winner)];
    if (bets_.mascot_pick == winner) Book(mascot_, PayoutOf(bets_.mascot_stake, odds), "mascot's payout");
    if (bets_.mascot_pick != winner && bets_.mascot_pick != game::kNoLane && mascot_ == 0)
      Book(mascot_, 100, "bank refill");
    if (bets_.pick == winner) Book(purse_, PayoutOf(bets_.stake, odds), "payout");
    if (bets_.pick != winner && bets_.pick != game::kNoLane && purse_ == 0 &&
        continue_reply_ == MessageBoxes::kReplyYes)
      Book(purse_, 10, "continue gift");
  }

  bool CheckButtons() {
    const auto& s = game_->s();
    const auto& c = game_->c();
    const bool stoppable = s.RaceRunning && s.FinishCount > 0;
    bool lanes_wrong = false;
    for (int lane = 0; lane < 6; ++lane) lanes_wrong |= c.CharKake[lane].Enabled() == s.RaceRunning;
    if (lanes_wrong || c.ozzu.Enabled() == s.RaceRunning || c.KakeHScroll.Visible() == s.RaceRunning)
      return Fail("race selection, a lane button or the stake bar is open during a race, or shut between");
    if (c.CmdStart.Caption() != (stoppable ? "ストップ" : "スタート") ||
        (s.RaceRunning && c.CmdStart.Enabled() != stoppable)) {
      return Fail("the start button left its states");
    }
    return true;
  }

  bool Fail(const std::string& why) {
    std::ostringstream report;
    report << "seed " << seed_ << ", event " << events_ << " (game " << counts["games"] << "): " << why << "\npurse "
           << game_->s().PlayerMoney << " (ledger " << purse_ << "), mascot " << game_->s().MascotMoney << " (ledger "
           << mascot_ << ")\nlast events:";
    for (const auto& line : log_) report << "\n  " << line;
    ADD_FAILURE() << report.str();
    return false;
  }

  std::uint32_t seed_;
  std::mt19937 pick_;
  platform::ClassicGenerator random_;
  std::unique_ptr<TestGame> game_;
  Long purse_ = 0, mascot_ = 0;  // each purse's start plus its ledger
  Bets bets_{};                  // fixed at the start of the running race
  int continue_reply_ = 0, events_ = 0;
  std::string broken_;
  std::vector<std::string> log_;
};

// Seeds, and the purses their first runs start from.
class SoakTest : public ::testing::TestWithParam<std::pair<std::uint32_t, Long>> {};

TEST_P(SoakTest, TwentyFiveThousandRandomEventsKeepTheBooks) {
  Soak soak(GetParam().first, GetParam().second);
  EXPECT_TRUE(soak.Play(25000));
  // Enough of each kind of event to say something.
  EXPECT_GE(soak.counts["races"], 125);
  EXPECT_GE(soak.counts["events while a box was open"], 50);
  EXPECT_EQ(soak.counts["credits stopped at the top"] > 0, GetParam().second > kTop - 1000000);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest,
                         ::testing::Values(std::pair{1u, 100}, std::pair{20261206u, 15}, std::pair{424242u, 2147483000},
                                           std::pair{0xC0FFEEu, 30005}, std::pair{7u, 2147483000}, std::pair{99u, 11}));

}  // namespace

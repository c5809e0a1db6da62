// A long random-play soak: thousands of random events (clicks on every
// control, enabled or not, during races and between them; the scroll bar;
// menus; time passing; random answers to message boxes) with the game's
// invariants checked after every one. A failure names the seed and the
// events that led to it.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <random>
#include <sstream>

#include "game/payout.h"
#include "support/test_game.h"

namespace {

using testing_support::ShownBox;
using testing_support::TestGame;
using platform::MessageBoxes;

struct Snapshot {
  game::Long money;
  game::Long mascot;
  game::Integer pick;
  game::Integer bet;
  game::Integer mascot_pick;
  game::Integer mascot_bet;
  std::array<game::Single, 6> odds;
  bool running;
};

class Soak {
 public:
  explicit Soak(std::uint32_t seed) : seed_(seed), pick_(seed), random_(seed & 0xFFFFFF) { NewGame(); }

  int races() const { return races_; }
  int events() const { return events_; }

  // Plays `count` random events; false (with a report) at the first broken rule.
  bool Play(int count) {
    for (int i = 0; i < count; ++i) {
      if (!Step()) return false;
    }
    return FinishTheRace();
  }

 private:
  void NewGame() {
    testing_support::MemorySettings settings;
    if (game_) {
      settings = game_->settings;
    } else {
      // Start from a purse saved by an earlier run, small or large.
      settings.SetPurse(std::to_string(std::array<int, 4>{100, 15, 11, 30005}[static_cast<std::size_t>(Between(0, 3))]));
    }
    game_ = std::make_unique<TestGame>(TestGame::Options{.random = &random_});
    game_->settings = settings;
    game_->session().dispatcher().SetErrorLog([this](const std::string& line) { failures_.push_back(line); });
    game_->boxes.answer = [this](const ShownBox& box) {
      if (box.style != MessageBoxes::kYesNo) return MessageBoxes::kReplyOk;
      return Chance(0.8) ? MessageBoxes::kReplyYes : MessageBoxes::kReplyNo;
    };
    game_->Start();
    ++games_;
  }

  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(pick_) < p; }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(pick_); }

  Snapshot Take() const {
    const auto& s = game_->s();
    return {s.PlayerMoney, s.MascotMoney, s.PlayerPick, s.PlayerBet, s.MascotPick, s.MascotBet, s.LaneOdds,
            s.RaceRunning};
  }

  enum class Kind { Other, Fortune, Start, Stop, Time, Close };

  // One random event; returns what kind of purse change it may make.
  Kind Act(std::string& what) {
    TestGame& g = *game_;
    const auto& c = g.c();
    int roll = Between(0, 999);
    if (roll < 300) {
      std::int64_t micros = Chance(0.5) ? Between(1, 100) * 1000 : Between(100, 3000) * 1000;
      what = "wait " + std::to_string(micros) + "us";
      g.AdvanceMicros(micros);
      return Kind::Time;
    }
    if (roll < 380) {
      what = "click ozzu";
      g.Click(c.ozzu);
      return Kind::Other;
    }
    if (roll < 460) {
      bool stopping = c.CmdStart.Caption() == "ストップ";
      what = stopping ? "click CmdStart (stop)" : "click CmdStart";
      g.Click(c.CmdStart);
      return stopping ? Kind::Stop : Kind::Start;
    }
    if (roll < 560) {
      int lane = Between(0, 5);
      bool odds = Chance(0.5);
      what = (odds ? "click Bairitu" : "click CharKake") + std::to_string(lane);
      g.Click(odds ? static_cast<ui::Control&>(c.Bairitu[lane]) : c.CharKake[lane]);
      return Kind::Other;
    }
    if (roll < 660) {
      ui::ScrollBar& bar = c.KakeHScroll;
      int value = Between(-5, 30005);
      if (Chance(0.3)) value = Between(0, bar.Max() + 2);
      if (Chance(0.5)) {
        what = "move bar to " + std::to_string(value);
        g.session().MoveScrollBar(bar, value);
      } else {
        what = "drag bar to " + std::to_string(value);
        g.session().DragScrollBar(bar, value);
        if (Chance(0.7)) g.session().EndScrollBarDrag(bar);
      }
      return Kind::Other;
    }
    if (roll < 710) {
      what = "click omi";
      return g.Click(c.omi) ? Kind::Fortune : Kind::Other;
    }
    if (roll < 740) {
      what = "click CmdRnd";
      g.Click(c.CmdRnd);
      return Kind::Other;
    }
    if (roll < 900) {
      std::array<ui::Control*, 11> talk = {&c.RndMsg, &c.TimeCmd, &c.ColorCmd, &c.BestCmd, &c.CmdIP, &c.CmdT,
                                           &c.h1,     &c.MsgLabel, &c.komame, &c.CheckBGM, &c.version};
      ui::Control* control = talk[static_cast<std::size_t>(Between(0, 10))];
      what = "click " + control->QualifiedName();
      g.Click(*control);
      return Kind::Other;
    }
    if (roll < 960) {
      // Anything at all, including labels and disabled controls.
      const auto& all = g.session().form().form().controls().all();
      ui::Control& control = *all[static_cast<std::size_t>(Between(0, static_cast<int>(all.size()) - 1))];
      if (control.name() == "f3") return Kind::Other;  // leaving is its own event
      what = "click " + control.QualifiedName();
      bool stopping = c.CmdStart.Caption() == "ストップ";
      bool clicked = g.Click(control);
      if (&control == &c.CmdStart) return stopping ? Kind::Stop : Kind::Start;
      if (&control == &c.omi && clicked) return Kind::Fortune;
      return Kind::Other;
    }
    if (roll < 990) {
      auto& about = g.session().form().about();
      what = "about: OK or close";
      if (about.loaded()) {
        if (Chance(0.5)) {
          g.Click(about.controls().Get<ui::CommandButton>("OK"));
        } else {
          g.session().CloseAbout();
        }
      }
      return Kind::Other;
    }
    if (roll < 996) return Kind::Other;
    what = Chance(0.5) ? "menu 終了" : "close box";
    if (what == "menu 終了") {
      g.Click(c.f3);
    } else {
      g.session().CloseMainWindow();
    }
    return Kind::Close;
  }

  bool Step() {
    ++events_;
    Snapshot before = Take();
    std::string what;
    Kind kind = Act(what);
    log_.push_back(what);
    if (log_.size() > 60) log_.pop_front();
    if (!Check(before, kind)) return false;
    if (before.running && !game_->s().RaceRunning) ++races_;
    if (game_->session().ended()) {
      // The next run picks up the purse where this one left it.
      game::Long saved = game_->s().PlayerMoney;
      NewGame();
      if (game_->s().PlayerMoney != NextStartFrom(platform::DecimalText(saved))) {
        return Fail("the purse did not survive a restart");
      }
    }
    return true;
  }

  bool Fail(const std::string& why) {
    std::ostringstream report;
    const auto& s = game_->s();
    report << "seed " << seed_ << ", event " << events_ << " (game " << games_ << "): " << why
           << "\nnow: purse " << s.PlayerMoney << ", mascot " << s.MascotMoney << ", pick " << s.PlayerPick << ", bet "
           << s.PlayerBet << ", running " << s.RaceRunning << ", ended " << game_->session().ended()
           << "\nbefore: purse " << before_.money << ", mascot " << before_.mascot << ", pick " << before_.pick
           << ", bet " << before_.bet << ", running " << before_.running
           << "\nlast events:";
    for (const auto& line : log_) report << "\n  " << line;
    ADD_FAILURE() << report.str();
    return false;
  }

  // The purse a start-up makes of a saved text.
  static game::Long NextStartFrom(const std::string& saved) {
    try {
      game::Long purse = platform::TextToLong(saved);
      return purse < 1 ? 10 : purse;
    } catch (const platform::GameError&) {
      return 100;
    }
  }

  static bool OneOf(game::Long delta, std::initializer_list<game::Long> allowed) {
    for (game::Long value : allowed) {
      if (delta == value) return true;
    }
    return false;
  }

  bool Check(const Snapshot& before, Kind kind) {
    before_ = before;
    TestGame& g = *game_;
    const auto& s = g.s();
    const auto& c = g.c();
    if (!failures_.empty()) return Fail("a handler failed: " + failures_.front());
    if (g.session().dispatcher().busy()) return Fail("a handler is still running");
    if (s.PlayerMoney < 0) return Fail("negative purse");
    if (s.MascotMoney < 0) return Fail("negative mascot purse");

    // Where the purses may go, and why.
    game::Long delta = s.PlayerMoney - before.money;
    game::Long mascot_delta = s.MascotMoney - before.mascot;
    bool settles = before.running && !s.RaceRunning;
    auto saturating = [](game::Long purse, game::Long payout) {
      return platform::AddLongSaturating(purse, payout) - purse;
    };
    if (kind == Kind::Fortune) {
      if (delta != -10 || mascot_delta != saturating(before.mascot, 10)) return Fail("a fortune moved the wrong sum");
    } else if (kind == Kind::Start && s.RaceRunning && !before.running) {
      game::Long stake = before.pick == game::kNoLane ? 0 : std::clamp<game::Long>(before.bet, 0, before.money);
      if (delta != -stake) return Fail("the stake taken was not the stake shown");
      game::Long mascot_stake = before.mascot_pick == game::kNoLane ? 0 : before.mascot_bet;
      if (mascot_delta != -mascot_stake) return Fail("the mascot's stake was wrong");
    } else if (settles) {
      game::Long payout = before.pick == game::kNoLane
                              ? 0
                              : saturating(before.money, game::Payout(before.bet, before.odds[static_cast<std::size_t>(before.pick)]));
      if (!OneOf(delta, {0, payout, before.money == 0 ? 10 : 0})) return Fail("a settlement paid the wrong sum");
      game::Long mascot_payout =
          before.mascot_pick == game::kNoLane
              ? 0
              : saturating(before.mascot,
                           game::Payout(before.mascot_bet, before.odds[static_cast<std::size_t>(before.mascot_pick)]));
      if (!OneOf(mascot_delta, {0, mascot_payout, before.mascot == 0 ? 100 : 0})) return Fail("the mascot was paid wrong");
      if (s.PlayerPick != game::kNoLane && !g.session().ended()) return Fail("a settled bet kept its lane");
    } else if (delta != 0 || mascot_delta != 0) {
      return Fail("a purse moved without a stake, a payout, a gift or a fortune");
    }

    // A kill now loses nothing that a normal close now would have kept.
    if (NextStartFrom(g.settings.Purse().value_or("")) != NextStartFrom(platform::DecimalText(s.PlayerMoney))) {
      return Fail("the saved purse lags behind");
    }
    if (g.session().ended()) return true;

    // The buttons follow the race.
    if (c.ozzu.Enabled() == s.RaceRunning) return Fail("race selection is enabled exactly when no race runs: broken");
    if (s.RaceRunning) {
      bool stoppable = s.FinishCount > 0;
      if (c.CmdStart.Caption() != (stoppable ? "ストップ" : "スタート") || c.CmdStart.Enabled() != stoppable) {
        return Fail("the start button left its states during a race");
      }
      if (c.KakeHScroll.Visible()) return Fail("the stake bar shows during a race");
    } else {
      if (c.CmdStart.Caption() != "スタート") return Fail("a stop button without a race");
      if (!c.KakeHScroll.Visible()) return Fail("the stake bar is hidden between races");
      for (int lane = 0; lane < 6; ++lane) {
        if (!c.CharKake[lane].Enabled()) return Fail("a lane button stayed locked after a race");
      }
    }
    return true;
  }

  // Every stake taken is settled: the last race runs to its end.
  bool FinishTheRace() {
    for (int i = 0; i < 200 && game_->s().RaceRunning && !game_->session().ended(); ++i) {
      Snapshot before = Take();
      game_->AdvanceMicros(1'000'000);
      log_.push_back("wait to the end");
      if (!Check(before, Kind::Time)) return false;
      if (before.running && !game_->s().RaceRunning) ++races_;
    }
    if (game_->s().RaceRunning) return Fail("the last race never ended");
    return true;
  }

  std::uint32_t seed_;
  std::mt19937 pick_;
  platform::ClassicGenerator random_;
  std::unique_ptr<TestGame> game_;
  std::deque<std::string> log_;
  Snapshot before_{};
  std::vector<std::string> failures_;
  int events_ = 0;
  int races_ = 0;
  int games_ = 0;
};

class SoakTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(SoakTest, TwentyFiveThousandRandomEventsKeepEveryRule) {
  Soak soak(GetParam());
  EXPECT_TRUE(soak.Play(25000));
  RecordProperty("races", soak.races());
  RecordProperty("events", soak.events());
  EXPECT_GE(soak.races(), 125) << "too few races to say much";
  std::printf("seed %u: %d events, %d races\n", GetParam(), soak.events(), soak.races());
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Values(1u, 20261206u, 424242u, 0xC0FFEEu));

}  // namespace

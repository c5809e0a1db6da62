#include "simulation/simulated_game.h"

#include <stdexcept>

namespace simulation {

// Answers every box (OK, or Yes to carry on), keeps nothing, plays nothing.
class SimulatedGame::Services final : public platform::MessageBoxes,
                                      public platform::Clock,
                                      public platform::LocalAddress,
                                      public platform::SettingsStore,
                                      public platform::Media,
                                      public platform::ProgramEnd,
                                      public platform::RaceRecords {
 public:
  explicit Services(std::uint32_t jump) { random.Skip(jump); }

  int Show(const platform::Text&, int style, const platform::Text&) override {
    return style == kYesNo ? kReplyYes : kReplyOk;
  }
  platform::TimeOfDay Now() override { return {12, 0, 0}; }
  std::string DottedIPv4() override { return "127.0.0.1"; }
  std::string Read(std::string_view, std::string_view, std::string_view, std::string_view) override {
    return kPlayerPurse;
  }
  bool Write(std::string_view, std::string_view, std::string_view, std::string_view) override { return true; }
  int SendCommand(std::string_view) override { return 0; }
  bool PlayWave(std::string_view) override { return true; }
  void End() override {}
  void RaceSettled(const platform::SettledRace& race) override {
    settled = race;
    ++races_settled;
  }
  void ContinueGiven(std::int32_t, std::int32_t, std::int32_t) override {}

  platform::ClassicGenerator random;
  platform::SettledRace settled;
  std::uint64_t races_settled = 0;
};

SimulatedGame::SimulatedGame(std::uint32_t jump, std::mt19937_64 pauses)
    : services_(std::make_unique<Services>(jump)), pauses_(std::move(pauses)) {
  Services& s = *services_;
  game::Services services{s.random, s, s, s, s, s, s, "", s};
  session_ = std::make_unique<game::GameSession>(services, clock_);
  session_->Start();
}

SimulatedGame::~SimulatedGame() = default;

void SimulatedGame::Pause() {
  // A plain remainder: the stream is the standard's own, so every library
  // gives the same pauses (the bias of 257 out of 2^64 is nil).
  auto ticks = static_cast<std::int64_t>(kShortestPause + pauses_() % (kLongestPause - kShortestPause + 1));
  clock_.Advance(ticks * platform::Scheduler::kTickMicros);
}

RaceOutcome SimulatedGame::PlayRace() {
  SelectAndStart();
  return RunRaceClock();
}

void SimulatedGame::SelectAndStart() {
  game::GameSession& session = *session_;
  const ui::MainFormControls& c = session.controls();
  settled_before_ = services_->races_settled;

  Pause();
  session.Click(c.ozzu);
  session.Click(c.CharKake[FavouriteLane(session.state().LaneOdds)]);
  session.MoveScrollBar(c.KakeHScroll, kStake);
  Pause();
  session.Click(c.CmdStart);
}

RaceOutcome SimulatedGame::RunRaceClock() {
  RaceOutcome outcome;
  outcome.ticks = static_cast<int>(session_->RunRaceClock(clock_));
  outcome.race = services_->settled;
  // Counted only when the race ran and the bet stood as placed.
  if (services_->races_settled != settled_before_ + 1 || outcome.race.player.lane != FavouriteLane(outcome.race.odds) ||
      outcome.race.player.stake != kStake) {
    throw std::logic_error("a simulated race was not played as planned");
  }
  return outcome;
}

}  // namespace simulation

// A whole game wired to test doubles: scripted random values and message-box
// replies, a fixed clock, an in-memory settings store and virtual time.
#pragma once

#include <memory>
#include <optional>

#include "game/game_session.h"
#include "platform/scheduler.h"
#include "support/fakes.h"

namespace testing_support {

class TestGame {
 public:
  using Timer1Mode = game::GameSession::Timer1Mode;
  // Real services (or others) in place of the doubles.
  struct Options {
    Timer1Mode timer1 = Timer1Mode::CatchUp;
    platform::RandomSource* random = nullptr;
    platform::SettingsStore* settings = nullptr;
    platform::MessageBoxes* boxes = nullptr;
    platform::RaceRecords* records = nullptr;
    platform::ProgramEnd* program_end = nullptr;
    platform::MonotonicClock* time = nullptr;  // for the timers
  };
  TestGame() : TestGame(Options{}) {}
  explicit TestGame(Options options)
      : session_(std::make_unique<game::GameSession>(
            game::Services{Or(options.random, random), Or(options.boxes, boxes), clock, address,
                           Or(options.settings, settings), media, Or(options.program_end, program_end),
                           "/opt/mascot race", Or(options.records, records)},
            Or(options.time, time), options.timer1)) {}

  // Start-up; the first six draws (the first speeds) come from `speeds`.
  void Start(const std::vector<float>& speeds = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}) {
    random.Push(speeds);
    session_->Start();
  }

  game::GameSession& session() { return *session_; }
  game::MainForm& form() { return session_->form(); }
  const ui::MainFormControls& c() const { return session_->controls(); }
  const game::GameState& s() const { return session_->state(); }
  game::GameState& mutable_state() { return session_->form().mutable_state(); }

  // The player clicks; false when the click did not reach a handler.
  bool Click(ui::Control& control) { return session_->Click(control); }
  // Runs a handler as the event loop would, without moving time.
  platform::Dispatcher::Outcome Fire(const std::function<void()>& handler) {
    return session_->dispatcher().Run(handler);
  }
  platform::Dispatcher::Outcome FireTimer(ui::Timer& timer) { return Fire(timer.on_timer); }
  // Lets virtual time pass, firing every timer that falls due.
  void AdvanceMicros(std::int64_t micros) {
    platform::AdvanceVirtualTime(session_->scheduler(), time, time.NowMicros() + micros);
  }

  ScriptedRandom random;
  ScriptedMessageBoxes boxes;
  FixedClock clock;
  FixedAddress address;
  MemorySettings settings;
  RecordingMedia media;
  NotedProgramEnd program_end;
  RecordingRaces records;
  platform::VirtualClock time;

 private:
  template <typename Service, typename Double>
  static Service& Or(Service* given, Double& own) {
    return given ? *given : own;
  }
  std::unique_ptr<game::GameSession> session_;
};

// A game started from this saved purse (none: nothing saved), every start-up draw 0.5.
struct StartedGame : TestGame {
  explicit StartedGame(const std::optional<std::string>& purse = std::nullopt) {
    if (purse) settings.SetPurse(*purse);
    Start();
  }
};

}  // namespace testing_support

// One run of the game: the main window with its rules, the dispatcher every
// event enters through and the scheduler that owns the timers. The view and
// the tests both play through this.
#pragma once

#include <utility>
#include <vector>

#include "game/main_form.h"
#include "platform/dispatcher.h"
#include "platform/scheduler.h"
#include "ui/player_input.h"

namespace game {

class GameSession final : public ui::PlayerInput {
 public:
  enum class Timer1Mode {
    CatchUp,  // Timer1 never wakes the process; its draws are caught up
    Ticking,  // Timer1 fires like any timer (to check the catch-up against)
  };

  GameSession(Services services, platform::MonotonicClock& clock, Timer1Mode timer1 = Timer1Mode::CatchUp);
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  MainForm& form() { return form_; }
  const ui::MainFormControls& controls() const { return form_.controls(); }
  const GameState& state() const { return form_.state(); }
  platform::Dispatcher& dispatcher() { return dispatcher_; }
  platform::Scheduler& scheduler() { return scheduler_; }
  bool ended() const { return dispatcher_.ended(); }

  // Runs start-up and shows the window.
  void Start();

  // The player. Each returns false when nothing ran: the control cannot be
  // reached (disabled or hidden), or another handler is running.
  bool Click(ui::Control& control) override;
  bool MoveScrollBar(ui::ScrollBar& bar, int value) override;
  bool DragScrollBar(ui::ScrollBar& bar, int value) override;
  bool EndScrollBarDrag(ui::ScrollBar& bar) override;
  bool CloseMainWindow() override;
  bool CloseAbout() override;

  // Runs the race clock alone to the end of the race, as one event on the
  // session's own virtual clock: for headless runs, which need the race but
  // not the runners' legs (they only animate). The background draws are
  // caught up before every tick, as ever. Gives the ticks run.
  std::uint64_t RunRaceClock(platform::VirtualClock& clock) {
    return form_.RunRaceClockAlone(scheduler_, race_clock_, background_, clock);
  }

 private:
  bool PlayerEvent(const ui::Control& control, const std::function<void()>& handler);
  platform::Scheduler::TimerId AddTimer(ui::Timer& timer);

  // The scheduler's timer for each timer of the window.
  std::vector<std::pair<platform::Scheduler::TimerId, ui::Timer*>> timers_;
  platform::Dispatcher dispatcher_;
  platform::Scheduler scheduler_;
  MainForm form_;
  platform::Scheduler::TimerId race_clock_ = 0;
  // Timer1's catch-up timer; -1 when it ticks like the others.
  platform::Scheduler::TimerId background_ = -1;
};

}  // namespace game

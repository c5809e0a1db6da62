#include "game/game_session.h"

namespace game {

GameSession::GameSession(Services services, platform::MonotonicClock& clock, Timer1Mode timer1)
    : scheduler_(clock, dispatcher_), form_(std::move(services)) {
  // The fixed order in which timers due at one moment fire.
  const ui::MainFormControls& c = form_.controls();
  race_clock_ = AddTimer(c.TimeChar);
  AddTimer(c.LineTimer);
  if (timer1 == Timer1Mode::CatchUp) {
    auto id = background_ = scheduler_.AddCatchUpTimer<&MainForm::Timer1_CatchUp>(form_);
    c.Timer1.AddObserver(ui::Property::Interval, [this, id](ui::Control& control, ui::Property) {
      scheduler_.SetInterval(id, static_cast<ui::Timer&>(control).Interval());
    });
    timers_.push_back({id, &c.Timer1});
  } else {
    AddTimer(c.Timer1);
  }
  for (int lane = 0; lane < kLanes; ++lane) AddTimer(c.CharAnime[lane]);
}

platform::Scheduler::TimerId GameSession::AddTimer(ui::Timer& timer) {
  auto id = scheduler_.AddTimer([&timer] {
    if (timer.on_timer) timer.on_timer();
  });
  timer.AddObserver(ui::Property::Interval, [this, id](ui::Control& control, ui::Property) {
    scheduler_.SetInterval(id, static_cast<ui::Timer&>(control).Interval());
  });
  timers_.push_back({id, &timer});
  return id;
}

void GameSession::Start() {
  dispatcher_.Run([this] {
    form_.MainForm_Load();
    form_.form().Show();
  });
  // Timers run from the moment the window is loaded and shown, not from
  // when this object was built: no tick may come before the start-up draws.
  for (const auto& [id, timer] : timers_) scheduler_.SetInterval(id, timer->Interval());
}

bool GameSession::PlayerEvent(const ui::Control& control, const std::function<void()>& handler) {
  if (!control.Reachable()) return false;
  return dispatcher_.Run(handler) != platform::Dispatcher::Outcome::Refused;
}

bool GameSession::Click(ui::Control& control) {
  return PlayerEvent(control, [&control] {
    switch (control.kind()) {
      case ui::ControlKind::OptionButton: static_cast<ui::OptionButton&>(control).ClickByPlayer(); break;
      case ui::ControlKind::CheckBox: static_cast<ui::CheckBox&>(control).ClickByPlayer(); break;
      default: control.RaiseClick();
    }
  });
}

bool GameSession::MoveScrollBar(ui::ScrollBar& bar, int value) {
  return PlayerEvent(bar, [&bar, value] { bar.MoveByPlayer(value); });
}

bool GameSession::DragScrollBar(ui::ScrollBar& bar, int value) {
  return PlayerEvent(bar, [&bar, value] { bar.DragByPlayer(value); });
}

bool GameSession::EndScrollBarDrag(ui::ScrollBar& bar) {
  return PlayerEvent(bar, [&bar] { bar.EndDragByPlayer(); });
}

bool GameSession::CloseMainWindow() {
  return dispatcher_.Run([this] { form_.CloseWindow(); }) != platform::Dispatcher::Outcome::Refused;
}

bool GameSession::CloseAbout() {
  return dispatcher_.Run([this] { form_.OK_Click(); }) != platform::Dispatcher::Outcome::Refused;
}

}  // namespace game

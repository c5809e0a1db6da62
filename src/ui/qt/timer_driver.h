// Wakes the event loop when the scheduler's next timer falls due, and only
// then: an idle game arms nothing.
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/dispatcher.h"
#include "platform/scheduler.h"
#include "platform/system_clocks.h"

namespace ui::qt {

class TimerDriver final : public QObject {
  Q_OBJECT
 public:
  TimerDriver(platform::Scheduler& scheduler, platform::Dispatcher& dispatcher, platform::TickClock& clock);

 private:
  void Rearm();

  platform::Scheduler& scheduler_;
  platform::Dispatcher& dispatcher_;
  platform::TickClock& clock_;
  QTimer timer_;
};

}  // namespace ui::qt

#include "app/qt_front_end.h"

namespace app {

QtFrontEnd::QtFrontEnd(game::GameSession& session, ui::qt::QtMessageBoxes& boxes, records::RecordsView& records,
                       std::vector<std::string> statistics_modules, platform::TickClock& timer_clock)
    : window_(session.form().form(), session),
      about_(session.form().about(), session),
      statistics_(std::move(statistics_modules), "statistics", "the records cannot be shown",
                  [&records, &boxes](ui::qt::StatisticsPlugin& plugin) {
                    return plugin.CreateStatisticsWindow(records, boxes);
                  }),
      timers_(session.scheduler(), session.dispatcher(), timer_clock),
      shutdown_([&session] { return session.ended() || session.CloseMainWindow(); },
                [&boxes] { boxes.AnswerForShutdown(); }) {
  boxes.SetParent(&window_);
  // Shows the window, or brings the open one to the front.
  session.controls().seiseki.on_click = [this] {
    if (QWidget* window = statistics_.get()) {
      window->show();
      window->raise();
      window->activateWindow();
    }
  };
}

}  // namespace app

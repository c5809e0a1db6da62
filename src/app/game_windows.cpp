#include "app/game_windows.h"

namespace app {

GameWindows::GameWindows(game::GameSession& session, ui::qt::QtMessageBoxes& boxes, records::RecordsView& records,
                         std::vector<std::string> statistics_modules, platform::TickClock& timer_clock)
    : window_(session.form().form(), session),
      about_(session.form().about(), session),
      statistics_(std::move(statistics_modules), records, boxes),
      timers_(session.scheduler(), session.dispatcher(), timer_clock),
      shutdown_([&session] { return session.ended() || session.CloseMainWindow(); },
                [&boxes] { boxes.AnswerForShutdown(); }) {
  boxes.SetParent(&window_);
  session.controls().seiseki.on_click = [this] { statistics_.Open(); };
}

}  // namespace app

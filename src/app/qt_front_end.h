// The Qt front end of a game session, wired as the game runs it: the main
// window and the About dialog, the statistics window behind 成績, Qt's timers
// driving the session's scheduler, and a shutdown signal closing the game
// the normal way, answering any box that waits.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "app/shutdown_on_signal.h"
#include "game/game_session.h"
#include "platform/qt/plugin_loader.h"
#include "platform/system_clocks.h"
#include "records/records_store.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_message_boxes.h"
#include "ui/qt/statistics_plugin.h"
#include "ui/qt/timer_driver.h"

namespace app {

class QtFrontEnd {
 public:
  // `boxes` are the session's; the session's scheduler runs on `timer_clock`.
  // The statistics window comes from the first of `statistics_modules` that
  // loads, when the records are first looked at.
  QtFrontEnd(game::GameSession& session, ui::qt::QtMessageBoxes& boxes, records::RecordsView& records,
             std::vector<std::string> statistics_modules, platform::TickClock& timer_clock);
  QtFrontEnd(const QtFrontEnd&) = delete;
  QtFrontEnd& operator=(const QtFrontEnd&) = delete;

  ui::qt::MainWindow& main_window() { return window_; }

 private:
  ui::qt::MainWindow window_;
  ui::qt::AboutView about_;
  platform::PluginPart<ui::qt::StatisticsPlugin, QWidget> statistics_;
  ui::qt::TimerDriver timers_;
  ShutdownOnSignal shutdown_;
};

}  // namespace app

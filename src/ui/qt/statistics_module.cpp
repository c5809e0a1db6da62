// The statistics module's entry point: the game opens the module when the
// records are first looked at, so a game whose records are never looked at
// loads neither Qt Charts nor the OpenGL parts of Qt it needs.
#include "ui/qt/statistics_window.h"

QWidget* MascotRaceCreateStatisticsWindow(records::RecordsView& records, platform::MessageBoxes& boxes) {
  return new ui::qt::StatisticsWindow(records, boxes);
}

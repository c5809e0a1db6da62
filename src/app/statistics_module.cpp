#include "app/statistics_module.h"

#include "app/plugins.h"

namespace app {

bool StatisticsModule::Open() {
  if (!tried_) {
    tried_ = true;
    if (auto* plugin = LoadPlugin<StatisticsPlugin>(files_, "statistics", "the records cannot be shown")) {
      window_ = plugin->CreateStatisticsWindow(records_, boxes_);
    }
  }
  if (!window_) return false;
  window_->show();
  window_->raise();
  window_->activateWindow();
  return true;
}

}  // namespace app

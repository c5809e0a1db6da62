// The statistics window from the statistics plugin, loaded when the records
// are first looked at: a game whose records are never looked at loads no
// Qt Charts. Without a plugin that loads, the window does not open and the
// game says so on standard error.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/services.h"
#include "records/records_store.h"

namespace app {

class StatisticsModule {
 public:
  // The plugin files to try, in order (StatisticsModuleFiles).
  StatisticsModule(std::vector<std::string> files, records::RecordsView& records, platform::MessageBoxes& boxes)
      : files_(std::move(files)), records_(records), boxes_(boxes) {}

  // Shows the window, or brings the open one to the front; false when there
  // is none to show.
  bool Open();

 private:
  std::vector<std::string> files_;
  records::RecordsView& records_;
  platform::MessageBoxes& boxes_;
  bool tried_ = false;
  std::unique_ptr<QWidget> window_;
};

}  // namespace app

#include "app/statistics_module.h"

#include <dlfcn.h>

#include <cstdio>

namespace app {

bool StatisticsModule::Open() {
  if (!tried_) {
    tried_ = true;
    for (const std::string& file : files_) {
      // Kept open for the program's life: the window runs its code.
      void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (!module) continue;
      using Create = QWidget* (*)(records::RecordsView&, platform::MessageBoxes&);
      if (const auto create = reinterpret_cast<Create>(dlsym(module, "MascotRaceCreateStatisticsWindow"))) {
        window_.reset(create(records_, boxes_));
        if (window_) break;
      }
    }
    if (!window_) {
      std::string tried;
      for (const std::string& file : files_) tried += (tried.empty() ? "" : ", ") + file;
      std::fprintf(stderr, "mascot-race: no statistics module would load (%s); the records cannot be shown\n",
                   tried.c_str());
    }
  }
  if (!window_) return false;
  window_->show();
  window_->raise();
  window_->activateWindow();
  return true;
}

}  // namespace app

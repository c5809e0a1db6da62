// Cuts fonts with the font module, opened for the cut and closed again: the
// subsetter's library is not in memory while the game plays.
#pragma once

#include <string>
#include <vector>

#include "ui/qt/cut_fonts.h"

namespace app {

// Tries the module files in order (ModuleFiles); cuts nothing when none loads.
decltype(ui::qt::FontCutter::cut) FontModuleCutter(std::vector<std::string> files);

}  // namespace app

// The statistics plugin's interface: the game loads the plugin when the
// records are first looked at, so a game whose records are never looked at
// loads neither Qt Charts nor the OpenGL parts of Qt it needs. The id carries
// the game's version, since the plugin shares the game's types (the records,
// the message boxes); rename the id when the interface itself changes.
#pragma once

#include <QtPlugin>
#include <memory>

#include "platform/version.h"

class QWidget;
namespace platform {
class MessageBoxes;
}
namespace records {
class RecordsView;
}

namespace ui::qt {

class StatisticsPlugin {
 public:
  virtual ~StatisticsPlugin() = default;
  virtual std::unique_ptr<QWidget> CreateStatisticsWindow(records::RecordsView& records,
                                                          platform::MessageBoxes& boxes) = 0;
};

}  // namespace ui::qt

#define MASCOT_STATISTICS_PLUGIN_IID "io.github.komamedo.MascotRace.StatisticsPlugin/" MASCOT_VERSION
Q_DECLARE_INTERFACE(ui::qt::StatisticsPlugin, MASCOT_STATISTICS_PLUGIN_IID)

// The statistics plugin: the statistics window over the game's records.
#include "ui/qt/statistics_plugin.h"

#include "ui/qt/statistics_window.h"

namespace ui::qt {

class StatisticsWindowPlugin final : public QObject, public StatisticsPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MASCOT_STATISTICS_PLUGIN_IID)
  Q_INTERFACES(ui::qt::StatisticsPlugin)

 public:
  std::unique_ptr<QWidget> CreateStatisticsWindow(records::RecordsView& records, platform::MessageBoxes& boxes) override {
    return std::make_unique<StatisticsWindow>(records, boxes);
  }
};

}  // namespace ui::qt

#include "statistics_plugin.moc"

// The statistics plugin: the game loads it when the records are first looked
// at, so a game whose records are never looked at loads neither Qt Charts nor
// the OpenGL parts of Qt it needs.
#include "app/plugins.h"
#include "ui/qt/statistics_window.h"

namespace ui::qt {

class StatisticsWindowPlugin final : public QObject, public app::StatisticsPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MASCOT_STATISTICS_PLUGIN_IID)
  Q_INTERFACES(app::StatisticsPlugin)

 public:
  std::unique_ptr<QWidget> CreateStatisticsWindow(records::RecordsView& records, platform::MessageBoxes& boxes) override {
    return std::make_unique<StatisticsWindow>(records, boxes);
  }
};

}  // namespace ui::qt

#include "statistics_plugin.moc"

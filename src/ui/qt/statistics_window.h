// The statistics window: totals for the player and the mascot, a chart of
// both purses race by race, and the last hundred races. Not modal, one at a
// time; it follows the records as races are settled while it is open.
#pragma once

#include <QWidget>
#include <array>

#include "platform/service_interfaces.h"
#include "records/records_store.h"

class QLabel;
class QLineSeries;
class QPushButton;
class QTableWidget;
class QValueAxis;

namespace ui::qt {

class StatisticsWindow final : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLastRaces = 100;

  // The clear question is asked through the game's own message boxes.
  StatisticsWindow(records::RecordsView& store, platform::MessageBoxes& boxes);
  ~StatisticsWindow() override;

  // Shows the window, or brings the open one to the front.
  void Open();
  // Reads the records again.
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void AskToClear();

  records::RecordsView& store_;
  platform::MessageBoxes& boxes_;
  // totals_[bettor][row], bettor 0 the player, 1 the mascot.
  std::array<std::array<QLabel*, 9>, 2> totals_{};
  QLabel* status_;
  QLineSeries* player_purse_;
  QLineSeries* mascot_purse_;
  QValueAxis* races_axis_;
  QValueAxis* purse_axis_;
  QTableWidget* table_;
  QPushButton* clear_;
};

}  // namespace ui::qt

// The game's window: built from the main form's definition, mirrors its
// control model, forwards the player's input.
#pragma once

#include <QMainWindow>
#include <memory>

#include "ui/form_model.h"
#include "ui/player_input.h"
#include "ui/qt/control_widgets.h"

namespace ui::qt {

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  // Pictures are shown in frames paced on frame_clock.
  MainWindow(FormModel& form, PlayerInput& input, platform::MonotonicClock& frame_clock = MachineTime());

  QWidget* WidgetFor(const Control& control) const { return widgets_->WidgetFor(control); }
  QWidget* ClientArea() const { return client_area_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenuBar();

  FormModel& form_;
  PlayerInput& input_;
  QWidget* client_area_;
  std::unique_ptr<ControlWidgets> widgets_;
};

}  // namespace ui::qt

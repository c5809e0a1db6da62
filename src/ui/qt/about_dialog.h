// The About dialog: not modal, without an owner, at most one at a time.
// It follows the "ver" form model: shown, it appears (built afresh after an
// unload); unloaded, it goes.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/form_model.h"
#include "ui/player_input.h"
#include "ui/qt/control_widgets.h"

namespace ui::qt {

class AboutDialog final : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(FormModel& form, PlayerInput& input);
  QWidget* WidgetFor(const Control& control) const { return widgets_->WidgetFor(control); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape closes the dialog the way its close box does: through the rules.
  void reject() override;

 private:
  FormModel& form_;
  PlayerInput& input_;
  std::unique_ptr<ControlWidgets> widgets_;
};

class AboutView {
 public:
  AboutView(FormModel& form, PlayerInput& input);
  ~AboutView();
  AboutDialog* dialog() const { return dialog_.get(); }

 private:
  FormModel& form_;
  PlayerInput& input_;
  std::unique_ptr<AboutDialog> dialog_;
};

}  // namespace ui::qt

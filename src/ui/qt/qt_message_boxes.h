// Message boxes as application-modal QMessageBoxes, in the player's language.
#pragma once

#include <QWidget>
#include <QMessageBox>
#include <QPointer>
#include <memory>

#include "platform/service_interfaces.h"

namespace ui::qt {

class QtMessageBoxes final : public platform::MessageBoxes {
 public:
  // Boxes are centred on this window when it is set.
  void SetParent(QWidget* parent) { parent_ = parent; }
  int Show(const platform::Text& prompt, int style, const platform::Text& title) override;

  // The program is asked to end: the box open now, and any that follows,
  // takes its safe answer (OK; Yes, or No where Yes would lose something).
  void AnswerForShutdown();

 private:
  QPointer<QWidget> parent_;
  QPointer<QMessageBox> open_box_;
  bool shutting_down_ = false;
};

}  // namespace ui::qt

// Message boxes as application-modal QMessageBoxes with Japanese buttons.
#pragma once

#include <QWidget>
#include <QPointer>

#include "platform/services.h"

namespace ui::qt {

class QtMessageBoxes final : public platform::MessageBoxes {
 public:
  // Boxes are centred on this window when it is set.
  void SetParent(QWidget* parent) { parent_ = parent; }
  int Show(std::string_view prompt, int style, std::string_view title) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace ui::qt

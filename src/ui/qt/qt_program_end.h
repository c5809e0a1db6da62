// The end of the program: the event loop stops as soon as the running
// handler has unwound.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/service_interfaces.h"

namespace ui::qt {

class QtProgramEnd final : public platform::ProgramEnd {
 public:
  void End() override {
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  }
};

}  // namespace ui::qt

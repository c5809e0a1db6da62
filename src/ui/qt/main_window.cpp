#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "ui/qt/fonts.h"
#include "ui/qt/translated.h"

namespace ui::qt {

MainWindow::MainWindow(FormModel& form, PlayerInput& input, platform::MonotonicClock& frame_clock)
    : form_(form), input_(input), client_area_(new QWidget(this)) {
  const FormDefinition& definition = form.definition();
  setObjectName(QString::fromStdString(definition.name));
  setWindowTitle(Translated(definition.caption));
  setWindowIcon(QIcon(QPixmap::fromImage(PictureImage(definition.icon))));

  client_area_->setObjectName("ClientArea");
  client_area_->setFixedSize(ToPixels(definition.client_width), ToPixels(definition.client_height));
  QPalette palette = client_area_->palette();
  palette.setColor(QPalette::Window, ColourFor(definition.back_colour));
  client_area_->setPalette(palette);
  client_area_->setAutoFillBackground(true);
  // The menu bar too speaks in the window's font, not the desktop's.
  setFont(FontFor(definition.font));
  setCentralWidget(client_area_);

  BuildMenuBar();
  widgets_ = std::make_unique<ControlWidgets>(form.controls(), client_area_, input, frame_clock);

  // The layout is fixed: no resizing, no maximising.
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFixedSize(sizeHint());

  form.AddObserver([this](FormModel::Event event) {
    if (event == FormModel::Event::Shown) {
      show();
    } else {
      hide();
    }
  });
}

void MainWindow::BuildMenuBar() {
  for (const auto& control : form_.controls().all()) {
    if (control->kind() != ControlKind::MenuItem) continue;
    // Top-level items that act when chosen; "&" marks the access key.
    QAction* action = menuBar()->addAction(Translated(control->CaptionText()));
    action->setObjectName(QString::fromStdString(control->QualifiedName()));
    Control* item = control.get();
    connect(action, &QAction::triggered, this, [this, item] { input_.Click(*item); });
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!form_.loaded()) {
    event->accept();
    return;
  }
  // The rules close the window: the unload saves the purse, then the
  // program ends. While another handler runs, the close waits.
  event->ignore();
  input_.CloseMainWindow();
}

}  // namespace ui::qt

#include "ui/qt/about_dialog.h"

#include <QCloseEvent>

#include "ui/qt/fonts.h"
#include "ui/qt/translated.h"

namespace ui::qt {

AboutDialog::AboutDialog(FormModel& form, PlayerInput& input) : QDialog(nullptr), form_(form), input_(input) {
  const FormDefinition& definition = form.definition();
  setObjectName(QString::fromStdString(definition.name));
  setWindowTitle(Translated(definition.caption));
  setWindowIcon(QIcon(QPixmap::fromImage(PictureImage(definition.icon))));
  setModal(false);
  setFixedSize(ToPixels(definition.client_width), ToPixels(definition.client_height));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColourFor(definition.back_colour));
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(FontFor(definition.font));
  widgets_ = std::make_unique<ControlWidgets>(form.controls(), this, input);
}

void AboutDialog::closeEvent(QCloseEvent* event) {
  if (!form_.loaded()) {
    event->accept();
    return;
  }
  event->ignore();
  input_.CloseAbout();
}

void AboutDialog::reject() {
  if (form_.loaded()) input_.CloseAbout();
}

AboutView::AboutView(FormModel& form, PlayerInput& input) : form_(form), input_(input) {
  form.AddObserver([this](FormModel::Event event) {
    if (event == FormModel::Event::Shown) {
      if (!dialog_) dialog_ = std::make_unique<AboutDialog>(form_, input_);
      dialog_->show();
      dialog_->raise();
      dialog_->activateWindow();
    } else if (dialog_) {
      // Not deleted here: the dialog may be inside its own close event.
      dialog_->hide();
      dialog_.release()->deleteLater();
    }
  });
}

AboutView::~AboutView() = default;

}  // namespace ui::qt

#include "ui/qt/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace ui::qt {

namespace {
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

void QtMessageBoxes::AnswerForShutdown() {
  shutting_down_ = true;
  if (open_box_) open_box_->done(0);
}

int QtMessageBoxes::Show(std::string_view prompt, int style, std::string_view title) {
  using platform::MessageBoxes;
  if (shutting_down_) return style == kYesNo ? kReplyYes : kReplyOk;
  QMessageBox box(parent_.data());
  open_box_ = &box;
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowTitle(FromUtf8(title));
  box.setText(FromUtf8(prompt));
  box.setTextFormat(Qt::PlainText);
  box.setObjectName("MessageBox");
  if (style == kYesNo) {
    QPushButton* yes = box.addButton("はい", QMessageBox::YesRole);
    QPushButton* no = box.addButton("いいえ", QMessageBox::NoRole);
    yes->setObjectName("Yes");
    no->setObjectName("No");
    box.setDefaultButton(yes);
    // No escape: the question has to be answered.
    for (;;) {
      box.exec();
      if (box.clickedButton() == yes || shutting_down_) return kReplyYes;
      if (box.clickedButton() == no) return kReplyNo;
    }
  }
  box.setIcon(style == kExclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
  QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
  ok->setObjectName("OK");
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return kReplyOk;
}

}  // namespace ui::qt

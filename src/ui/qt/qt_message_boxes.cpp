#include "ui/qt/qt_message_boxes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/qt/translated.h"
#include "ui/qt/view_texts.h"

namespace ui::qt {

namespace {

// A question whose No is not safe must be answered: Escape and the close box
// do nothing. (Qt's own box takes Escape for "No" and would end a game the
// player meant to go on.)
class QuestionBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Cancel)) {
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

void QtMessageBoxes::AnswerForShutdown() {
  shutting_down_ = true;
  if (open_box_) open_box_->done(0);
}

int QtMessageBoxes::Show(const platform::Text& prompt, int style, const platform::Text& title) {
  using platform::MessageBoxes;
  const bool question = (style & ~kNoIsSafe) == kYesNo;
  const bool no_is_safe = (style & kNoIsSafe) != 0;
  // Nobody answers at a shutdown, or when the program ends under the box.
  const int safe = SafeReply(style);
  if (shutting_down_) return safe;
  std::unique_ptr<QMessageBox> box = question && !no_is_safe ? std::make_unique<QuestionBox>(parent_.data())
                                                             : std::make_unique<QMessageBox>(parent_.data());
  open_box_ = box.get();
  box->setWindowModality(Qt::ApplicationModal);
  box->setWindowTitle(Translated(title));
  box->setText(Translated(prompt));
  box->setTextFormat(Qt::PlainText);
  box->setObjectName("MessageBox");
  if (question) {
    QPushButton* yes = box->addButton(Translated(view_texts::kYes), QMessageBox::YesRole);
    QPushButton* no = box->addButton(Translated(view_texts::kNo), QMessageBox::NoRole);
    yes->setObjectName("Yes");
    no->setObjectName("No");
    box->setDefaultButton(no_is_safe ? no : yes);
    // Escape and the close box take the safe No; a plain question has no escape.
    if (no_is_safe) box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes ? kReplyYes : box->clickedButton() == no ? kReplyNo : safe;
  }
  box->setIcon(style == kExclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
  QPushButton* ok = box->addButton(Translated(view_texts::kOk), QMessageBox::AcceptRole);
  ok->setObjectName("OK");
  box->setDefaultButton(ok);
  // OK is the only answer: Escape and the close box mean it too.
  box->setEscapeButton(ok);
  box->exec();
  return kReplyOk;
}

}  // namespace ui::qt

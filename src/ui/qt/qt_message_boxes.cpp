#include "ui/qt/qt_message_boxes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace ui::qt {

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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

int QtMessageBoxes::Show(std::string_view prompt, int style, std::string_view title) {
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
  box->setWindowTitle(FromUtf8(title));
  box->setText(FromUtf8(prompt));
  box->setTextFormat(Qt::PlainText);
  box->setObjectName("MessageBox");
  if (question) {
    QPushButton* yes = box->addButton("はい", QMessageBox::YesRole);
    QPushButton* no = box->addButton("いいえ", QMessageBox::NoRole);
    yes->setObjectName("Yes");
    no->setObjectName("No");
    box->setDefaultButton(no_is_safe ? no : yes);
    // Escape and the close box take the safe No; a plain question has no escape.
    if (no_is_safe) box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes ? kReplyYes : box->clickedButton() == no ? kReplyNo : safe;
  }
  box->setIcon(style == kExclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
  QPushButton* ok = box->addButton("OK", QMessageBox::AcceptRole);
  ok->setObjectName("OK");
  box->setDefaultButton(ok);
  // OK is the only answer: Escape and the close box mean it too.
  box->setEscapeButton(ok);
  box->exec();
  return kReplyOk;
}

}  // namespace ui::qt

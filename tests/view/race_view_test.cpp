// One whole race in the real window, offscreen, with real message boxes that
// the test answers.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/test_game.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_message_boxes.h"

namespace {

using testing_support::TestGame;

// Answers every message box that opens: OK, or "はい" to a question.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible()) continue;
        QStringList buttons;
        for (QAbstractButton* button : box->buttons()) buttons << button->text();
        answered << box->windowTitle() + "|" + box->text() + "|" + buttons.join(",");
        QAbstractButton* answer = box->buttons().front();
        for (QAbstractButton* button : box->buttons()) {
          if (button->text() == "はい" || button->text() == "OK") answer = button;
        }
        answer->click();
      }
    });
    timer_.start(10);
  }
  QStringList answered;

 private:
  QTimer timer_;
};

TEST(RaceViewTest, AWholeRaceFromSelectionToTheSettlementBoxes) {
  platform::ClassicGenerator random;
  ui::qt::QtMessageBoxes boxes;
  TestGame game(TestGame::Options{.random = &random, .message_boxes = &boxes});
  game.Start();
  ui::qt::MainWindow window(game.session().form().form(), game.session());
  boxes.SetParent(&window);
  BoxAnswerer answerer;

  window.findChild<QPushButton*>("ozzu")->click();
  window.findChild<QRadioButton*>("CharKake0")->click();
  window.findChild<QPushButton*>("CmdStart")->click();
  EXPECT_FALSE(window.findChild<QPushButton*>("ozzu")->isEnabled());

  // The first arrival turns Start into Stop; then the race runs to its end.
  bool saw_stop = false;
  for (int step = 0; step < 60 * 64 && game.c().TimeChar.Interval() > 0; ++step) {
    game.AdvanceMicros(15625);
    saw_stop = saw_stop || window.findChild<QPushButton*>("CmdStart")->text() == "ストップ";
  }
  EXPECT_TRUE(saw_stop);
  ASSERT_FALSE(answerer.answered.isEmpty());
  const QString& first = answerer.answered.front();
  EXPECT_TRUE(first == "大当たり|見事予感が的中しました。|OK" || first == "失敗|残念ハズレ。|OK") << first.toStdString();

  auto* start = window.findChild<QPushButton*>("CmdStart");
  EXPECT_EQ(start->text(), "スタート");
  EXPECT_FALSE(start->isEnabled());
  EXPECT_TRUE(window.findChild<QPushButton*>("ozzu")->isEnabled());
  for (int lane = 0; lane < 6; ++lane) {
    EXPECT_FALSE(window.findChild<QLabel*>(QString("Jyuni%1").arg(lane))->isVisible());
    EXPECT_EQ(window.findChild<QWidget*>(QString("ImgChar%1").arg(lane))->x(), 517);
  }
  EXPECT_EQ(window.findChild<QLabel*>("Money")->text().toStdString(), std::to_string(game.s().PlayerMoney));
}

TEST(RaceViewTest, AQuestionHasJapaneseYesAndNo) {
  ui::qt::QtMessageBoxes boxes;
  BoxAnswerer answerer;
  EXPECT_EQ(boxes.Show("まだやりますか？", platform::MessageBoxes::kYesNo, "こんてにゅー"),
            platform::MessageBoxes::kReplyYes);
  EXPECT_EQ(answerer.answered, QStringList{"こんてにゅー|まだやりますか？|はい,いいえ"});
}

}  // namespace

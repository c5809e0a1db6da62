// The start-up benchmark's baseline: a plain Qt 6 window of the game's size
// with about as many widgets as the game's window (37 labels, 10 push
// buttons, 6 radio buttons, a check box, a scroll bar, 8 small pictures, 2
// lines, 2 panels, a menu bar of 3 items), Japanese captions in the desktop's
// default font, and none of the game's own code or libraries.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setStyle("Fusion");
  QMainWindow window;
  window.setWindowTitle("プレーンなウィンドウ");
  for (const char* item : {"終了(&X)", "ヘルプ(&H)", "ﾊﾞｰｼﾞｮﾝ(&A)"}) window.menuBar()->addAction(QString::fromUtf8(item));

  auto* area = new QWidget(&window);
  area->setFixedSize(676, 611);
  window.setCentralWidget(area);
  auto place = [](QWidget* widget, int x, int y, int w, int h) {
    widget->setGeometry(x, y, w, h);
    return widget;
  };

  for (int row = 0; row < 6; ++row) {
    const int y = 60 + row * 56;
    QPixmap picture(32, 32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(4, 4, 24, 24, QColor::fromHsv(row * 60, 200, 200));
    place(new QLabel(area), 520, y, 32, 32)->setProperty("pixmap", picture);
    place(new QLabel(QString("%1番").arg(row + 1), area), 560, y, 33, 33);
    place(new QRadioButton(QString("%1でGO！").arg(row + 1), area), 600, y - 8, 73, 17);
    place(new QLabel("2.5倍", area), 608, y + 16, 33, 17);
    place(new QLabel("１着", area), 0, y, 49, 25);
  }
  for (int x : {520, 72}) {  // the start and the goal line
    auto* line = new QFrame(area);
    line->setFrameShape(QFrame::VLine);
    place(line, x, 56, 2, 336);
  }

  auto* bet = place(new QFrame(area), 360, 400, 305, 209);
  static_cast<QFrame*>(bet)->setFrameShape(QFrame::Box);
  const char* bet_labels[] = {"賭け金", "1", "まめ", "所持金：", "100", "まめ"};
  for (int i = 0; i < 6; ++i) place(new QLabel(QString::fromUtf8(bet_labels[i]), bet), 16 + (i % 3) * 90, 24 + (i / 3) * 80, 90, 25);
  place(new QCheckBox("BGM・サウンドの有無", bet), 144, 56, 153, 17);
  auto* bar = new QScrollBar(Qt::Horizontal, bet);
  bar->setRange(1, 30000);
  place(bar, 16, 80, 281, 17);
  place(new QPushButton("レース選択", bet), 16, 136, 137, 25);
  place(new QPushButton("謎ボタン", bet), 160, 136, 137, 25);
  place(new QPushButton("スタート", bet), 16, 166, 281, 35);

  auto* chat = place(new QFrame(area), 8, 488, 345, 121);
  static_cast<QFrame*>(chat)->setFrameShape(QFrame::Box);
  const char* talk[] = {"謎セリフ", "時刻表示", "色変え", "ﾍﾞｽﾄﾀｲﾑ", "IPｱﾄﾞﾚｽ", "ツッコミ", "おみくじ　１回１０まめ"};
  for (int i = 0; i < 7; ++i) place(new QPushButton(QString::fromUtf8(talk[i]), chat), 200 + (i % 2) * 65, 16 + (i / 2) * 16, 65, 17);
  const char* chat_labels[] = {"賭け番", "－", "番", "賭け金", "0", "まめ", "所持金：", "100", "まめ"};
  for (int i = 0; i < 9; ++i) place(new QLabel(QString::fromUtf8(chat_labels[i]), chat), 8 + (i % 3) * 60, 24 + (i / 3) * 30, 60, 25);

  for (int i = 0; i < 2; ++i) {
    QPixmap picture(64, 64);
    picture.fill(QColor(255, 230, 200));
    place(new QLabel(area), 8 + i * 80, 416, 64, 64)->setProperty("pixmap", picture);
  }
  place(new QLabel("こまめ堂マスコットレース", area), 104, 8, 409, 33);
  place(new QLabel("本日第1ﾚｰｽ", area), 504, 24, 169, 25);
  place(new QLabel("人工無能こまめ", area), 0, 400, 97, 17);
  place(new QLabel("ようこそ『こまめ堂マスコットレース』へ", area), 128, 416, 217, 57);

  window.setFixedSize(window.sizeHint());
  window.show();
  return QApplication::exec();
}

// The game as the program wires it, offscreen, with its real message boxes,
// settings file, records database and end of the program; only the draws
// are scripted. A shutdown signal while a box or a window is open ends the
// game with the purse the rules say saved and every settled race kept; and
// two races run on Qt's timers by the real clock.
#include "app/game_windows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "platform/qt/qt_settings_store.h"
#include "support/race_script.h"
#include "ui/qt/qt_program_end.h"

namespace {

using namespace testing_support;

// Hands every message box to `shown` as it shows.
class BoxWatch final : public QObject {
 public:
  explicit BoxWatch(std::function<void(QMessageBox&)> shown) : shown_(std::move(shown)) {
    qApp->installEventFilter(this);
  }
  bool eventFilter(QObject* object, QEvent* event) override {
    if (auto* box = qobject_cast<QMessageBox*>(object); box && event->type() == QEvent::Show) shown_(*box);
    return false;
  }

 private:
  std::function<void(QMessageBox&)> shown_;
};

// The player presses the box's button ("OK", "Yes", "No") once the box waits.
void Answer(QMessageBox& box, const char* button) {
  QMetaObject::invokeMethod(box.findChild<QAbstractButton*>(button), &QAbstractButton::click, Qt::QueuedConnection);
}

// The game wired as the program wires it, its timers on `clock`.
struct WiredGame {
  explicit WiredGame(platform::MonotonicClock& clock) : ticks(clock) {}

  QTemporaryDir dir;
  platform::QtSettingsStore settings{dir.path()};
  records::RecordsStore records{dir.filePath("records.sqlite"), [](const std::string& news) { ADD_FAILURE() << news; }};
  ui::qt::QtMessageBoxes boxes;
  ui::qt::QtProgramEnd end;
  platform::TickClock ticks;
  TestGame game{{.settings = &settings, .boxes = &boxes, .records = &records, .program_end = &end, .time = &ticks}};
  app::GameWindows windows{game.session(), boxes, records, {MASCOT_STATISTICS_MODULE}, ticks};
};

// Lane 3 (odds 1.3) wins, the others follow; the player bets `stake` on `lane`.
void SelectAndStart(TestGame& game, int lane, int stake) {
  SelectRace(game, {125, 130, 112, 148, 101, 139});
  game.Click(game.c().CharKake[lane]);
  game.session().MoveScrollBar(game.c().KakeHScroll, stake);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
}

TEST(GameWindowsTest, AShutdownSignalWhileABoxOrAWindowIsOpenLosesNothing) {
  constexpr const char* kErase = "これまでの記録をすべて消しますか？";
  // The box open when the signal comes (none: the window is), the window
  // opened after the race (a menu item), the player's lane and stake, the
  // answer to "まだやりますか？", the signal, and the purse saved.
  struct Row {
    const char* box;
    const char* window;
    int lane, stake;
    const char* go_on;
    int signal;
    const char* purse;
  };
  const Row kRows[] = {{"見事予感が的中しました。", nullptr, 3, 15, "", SIGTERM, "104"},  // paid 19 all the same
                       {"配当金は19まめです。", nullptr, 3, 15, "", SIGTERM, "104"},
                       {"残念ハズレ。", nullptr, 0, 30, "", SIGTERM, "70"},
                       {"所持金がなくなりました。", nullptr, 0, 100, "", SIGTERM, "10"},  // the continue taken
                       {"まだやりますか？", nullptr, 0, 100, "", SIGTERM, "10"},
                       {"まだやりますか？", nullptr, 0, 100, "", SIGINT, "10"},
                       {"では、10まめあげましょう。", nullptr, 0, 100, "Yes", SIGTERM, "10"},
                       {"ご利用ありがとうございました。", nullptr, 0, 100, "No", SIGTERM, "0"},
                       {nullptr, "version", 3, 15, "", SIGTERM, "104"},  // the About dialog
                       {nullptr, "seiseki", 3, 15, "", SIGTERM, "104"},  // the statistics window
                       {kErase, "seiseki", 3, 15, "", SIGTERM, "104"},
                       {kErase, "seiseki", 3, 15, "", SIGHUP, "104"}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << (row.box ? row.box : row.window) << ", signal " << row.signal);
    platform::VirtualClock clock;
    WiredGame wired(clock);
    TestGame& game = wired.game;
    BoxWatch watch([&](QMessageBox& box) {
      if (row.box && box.text() == row.box) return void(std::raise(row.signal));
      Answer(box, box.text() == "まだやりますか？" ? row.go_on : "OK");
    });
    game.Start();
    QTimer::singleShot(0, [&] {
      SelectAndStart(game, row.lane, row.stake);
      RunRaceClock(game);
      if (!row.window) return;
      const auto shown = [] { return std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible); };
      const auto before = shown();
      wired.windows.main_window().menuBar()->findChild<QAction*>(row.window)->trigger();
      EXPECT_EQ(shown(), before + 1);  // the window opened and shows
      if (!row.box) return void(std::raise(row.signal));
      for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* clear = window->findChild<QPushButton*>("clear")) clear->click();
    });
    QTimer::singleShot(30000, &watch, [] { QCoreApplication::exit(1); });  // only if the game never ends
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(game.session().ended());
    EXPECT_EQ(wired.settings.Read("MainForm", "2", "pass", ""), row.purse);
    EXPECT_EQ(wired.records.Races().size(), 1u);
  }
}

// Qt's timers drive the scheduler on the real clock: a race runs and settles
// with its boxes answered, and once they are closed the timers wake for the
// next race, which runs and settles too. Timer1 is stopped, or its draws,
// paced by the real clock, would shift the script.
TEST(GameWindowsTest, TwoRacesRunOnQtsTimersByTheRealClock) {
  platform::SteadyClock clock;
  WiredGame wired(clock);
  TestGame& game = wired.game;
  QStringList shown;
  BoxWatch watch([&](QMessageBox& box) {
    shown << box.text();
    Answer(box, "OK");
  });
  game.Fire([&] { game.c().Timer1.SetInterval(0); });
  game.Start();
  for (const auto& [lane, stake] : {std::pair{3, 15}, {0, 30}}) {
    SelectAndStart(game, lane, stake);
    // Generous: a race takes some 4.5 seconds.
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.c().ozzu.Enabled(); }, 50000));
  }
  EXPECT_EQ(shown, QStringList({"見事予感が的中しました。", "配当金は19まめです。", "残念ハズレ。"}));
  EXPECT_EQ(std::pair(game.s().PlayerMoney, wired.records.Races().size()), std::pair(100 - 15 + 19 - 30, std::size_t{2}));
}

}  // namespace

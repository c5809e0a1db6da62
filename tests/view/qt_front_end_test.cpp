// The game as the program wires it, offscreen, with its real message boxes,
// settings file, records database and end of the program; only the draws
// are scripted. A shutdown signal while a box or a window is open ends the
// game with the purse the rules say saved and every settled race kept; two
// races run on Qt's timers by the real clock; and every text shown comes from
// the catalogue, in English when English is asked for.
#include "app/qt_front_end.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include "platform/qt/qt_settings_store.h"
#include "support/file_bytes.h"
#include "support/race_script.h"
#include "ui/qt/qt_program_end.h"

// Readable failures: texts as text.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

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
  app::QtFrontEnd front_end{game.session(), boxes, records, {MASCOT_STATISTICS_MODULE}, ticks};
};

// Lane 3 (odds 1.3) wins, the others follow; the player bets `stake` on `lane`.
void SelectAndStart(TestGame& game, int lane, int stake) {
  SelectRace(game, {125, 130, 112, 148, 101, 139});
  game.Click(game.c().CharKake[lane]);
  game.session().MoveScrollBar(game.c().KakeHScroll, stake);
  StartRace(game);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
}

TEST(QtFrontEndTest, AShutdownSignalWhileABoxOrAWindowIsOpenLosesNothing) {
  constexpr const char* kErase = "これまでの記録をすべて消しますか？";
  // The box open when the signal comes (none: the window is), the window
  // opened after the race (a menu item), the player's lane and stake, the
  // answer to "まだやりますか？", the signal, and the purse saved.
  using Row = std::tuple<const char*, const char*, int, int, const char*, int, const char*>;
  // One row for each way a box or a window is open (a box before the question, so that the question
  // is answered unshown); each signal the game takes once.
  const Row kRows[] = {{"見事予感が的中しました。", nullptr, 3, 15, "", SIGTERM, "104"},  // paid 19 all the same
                       {"所持金がなくなりました。", nullptr, 0, 100, "", SIGTERM, "10"},  // the continue taken
                       {"まだやりますか？", nullptr, 0, 100, "", SIGINT, "10"},
                       {"では、10まめあげましょう。", nullptr, 0, 100, "Yes", SIGTERM, "10"},
                       {"ご利用ありがとうございました。", nullptr, 0, 100, "No", SIGTERM, "0"},
                       {nullptr, "version", 3, 15, "", SIGTERM, "104"},  // the About dialog
                       {nullptr, "seiseki", 3, 15, "", SIGTERM, "104"},  // the statistics window
                       {kErase, "seiseki", 3, 15, "", SIGHUP, "104"}};   // its question: No, the records kept
  for (const auto& [box, window, lane, stake, go_on, signal, purse] : kRows) {
    SCOPED_TRACE(testing::Message() << (box ? box : window) << ", signal " << signal);
    platform::VirtualClock clock;
    WiredGame wired(clock);
    TestGame& game = wired.game;
    BoxWatch watch([&](QMessageBox& shown) {
      if (box && shown.text() == box) return void(std::raise(signal));
      Answer(shown, shown.text() == "まだやりますか？" ? go_on : "OK");
    });
    game.Start();
    QTimer::singleShot(0, [&] {
      SelectAndStart(game, lane, stake);
      RunRaceClock(game);
      if (!window) return;
      const auto visible = [] { return std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible); };
      const auto before = visible();
      wired.front_end.main_window().menuBar()->findChild<QAction*>(window)->trigger();
      EXPECT_EQ(visible(), before + 1);  // the window opened and shows
      if (!box) return void(std::raise(signal));
      for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* clear = top->findChild<QPushButton*>("clear")) clear->click();
    });
    QTimer::singleShot(30000, &watch, [] { QCoreApplication::exit(1); });  // only if the game never ends
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(game.session().ended());
    EXPECT_EQ(wired.settings.Read("MainForm", "2", "pass", ""), purse);
    EXPECT_EQ(wired.records.Races().races.size(), 1u);
  }
}

// The purse file as hand edits and other programs leave it: a purse that
// can be read is read, a save changes its line alone (a file with lines it
// cannot read is first copied aside, once), and anything but a regular file
// is left alone with one line on stderr. An earlier game's file is read
// while the game's own is missing, and never written.
TEST(QtFrontEndTest, APurseIsReadWhateverElseItsFileHoldsAndOnlyARegularFileIsTouched) {
  namespace fs = std::filesystem;
  const std::string kDir = "<dir>", kPipe = "<pipe>", kSocket = "<socket>", kNowhere = "<link to nowhere>";
  // The game's file (none: null), the earlier game's, the purse read, the
  // game's file once 104 is saved ("" unchanged), and what stderr says.
  using Row = std::tuple<const char*, const char*, const char*, std::string, const char*>;
  const Row kRows[] = {
      {"[Window\n[2]\npass=5000\n", nullptr, "5000", "[2]\npass=104\n", "kept in"},
      {"\xEF\xBB\xBF[2]\npass=5000\n", nullptr, "5000", "\xEF\xBB\xBF[2]\npass=104\n", ""},
      {"[2]\r\npass=5000\r\n", nullptr, "5000", "[2]\r\npass=104\r\n", ""},
      {"[2]\npass=1\npass=5000\n", nullptr, "5000", "[2]\npass=1\npass=104\n", ""},
      {"[2]\npass = 5000 ; saved\n[3]\npass=9", nullptr, "5000", "[2]\npass=104\n[3]\npass=9", ""},
      {"[2]\npass=\" 5000\"\n; kept\n", nullptr, " 5000", "[2]\npass=104\n; kept\n", ""},
      {"; kept\n[2]\npass=50 00\n", nullptr, "50 00", "; kept\n[2]\npass=104\n", ""},
      {"; mine\n[Paths]\ntemp=C:\\Temp\\x\nlist=a;b\n[2]\npass=5000\n", nullptr, "5000",
       "; mine\n[Paths]\ntemp=C:\\Temp\\x\nlist=a;b\n[2]\npass=104\n", ""},
      {"", "[2]\npass=5000\n", "", "[2]\npass=104\n", ""},
      {kDir.c_str(), "[2]\npass=5000\n", "", "", "is not a regular file"},
      {kPipe.c_str(), nullptr, "", "", "is not a regular file"},
      {kSocket.c_str(), nullptr, "", "", "is not a regular file"},
      {kNowhere.c_str(), nullptr, "", "", "is not a regular file"},
      {"[2]\npass=7\n", "[2]\npass=5000\n", "7", "[2]\npass=104\n", ""},
      {nullptr, "[2]\npass=5000\n", "5000", "[2]\npass=104\n", ""},
      {nullptr, kPipe.c_str(), "", "[2]\npass=104\n", "is not a regular file"}};
  for (const auto& [file_text, legacy_text, purse, saved, says] : kRows) {
    SCOPED_TRACE(testing::Message() << (file_text ? file_text : "(none)") << " / "
                                    << (legacy_text ? legacy_text : "(none)"));
    QTemporaryDir dir;
    const fs::path legacy = dir.filePath("MainForm.ini").toStdString(), file = dir.filePath("game/MainForm.ini").toStdString();
    fs::create_directory(file.parent_path());
    for (const auto& [path, contents] : {std::pair(file, file_text), std::pair(legacy, legacy_text)}) {
      if (!contents) continue;
      if (contents == kDir) fs::create_directory(path);
      if (contents == kPipe) mkfifo(path.c_str(), 0600);
      if (contents == kNowhere) fs::create_symlink("nowhere", path);
      sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
      path.string().copy(address.sun_path, sizeof address.sun_path - 1);
      if (contents == kSocket) bind(socket(AF_UNIX, SOCK_STREAM, 0), reinterpret_cast<sockaddr*>(&address), sizeof address);
      if (contents[0] != '<') std::ofstream(path, std::ios::binary) << contents;
    }
    const auto kind = [](const fs::path& path) { return fs::symlink_status(path).type(); };
    const auto read = [](const fs::path& path) { return fs::is_regular_file(path) ? FileBytes(path) : ""; };
    const fs::file_type file_kind = kind(file), legacy_kind = kind(legacy);
    const std::string legacy_before = read(legacy);
    platform::QtSettingsStore store(dir.filePath("game"), dir.path());
    testing::internal::CaptureStderr();
    EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), purse);
    EXPECT_EQ(store.Write("MainForm", "2", "pass", "104"), saved != "");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::ranges::count(said, '\n'), *says ? 1 : 0) << said;
    EXPECT_NE(said.find(says), std::string::npos) << said;
    if (saved.empty()) EXPECT_EQ(kind(file), file_kind);
    else EXPECT_EQ(read(file), saved);
    EXPECT_EQ(std::tuple(kind(legacy), read(legacy)), std::tuple(legacy_kind, legacy_before));
    EXPECT_EQ(read(file.string() + ".damaged"), *says == 'k' ? file_text : "");
  }
}

// Qt's timers drive the scheduler on the real clock: a race runs and settles
// with its boxes answered, and once they are closed the timers wake for the
// next race, which runs and settles too. Timer1 is stopped, or its draws,
// paced by the real clock, would shift the script.
TEST(QtFrontEndTest, TwoRacesRunOnQtsTimersByTheRealClock) {
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
  EXPECT_EQ(std::pair(game.s().PlayerMoney, wired.records.Races().races.size()), std::pair(100 - 15 + 19 - 30, std::size_t{2}));
}

// Marks every text of the catalogue: ⟦…⟧ around it.
class MarkingTranslator final : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char*, const char* source, const char*, int) const override {
    return "⟦" + QString::fromUtf8(source) + "⟧";
  }
};

// The tour's first two steps, a race won and a race that empties the purse,
// with the continue offer taken, then a retort; the About dialog and the
// statistics window opened. Every text shown on the way: all the bubble
// says, every box as "title | prompt | buttons", and in the windows their
// titles, menus, tooltips, accessible names and descriptions.
QStringList TextsShown(WiredGame&& wired) {
  TestGame& game = wired.game;
  QMainWindow& window = wired.front_end.main_window();
  auto* bubble = window.findChild<QLabel*>("MsgLabel");
  QStringList shown;
  // Heard after the window's own listener: the bubble shows the text by then.
  game.c().MsgLabel.AddObserver(ui::Property::Caption, [&](ui::Control&, ui::Property) { shown << bubble->text(); });
  BoxWatch watch([&](QMessageBox& box) {
    QStringList buttons;
    for (QAbstractButton* button : box.buttons()) buttons << button->text();
    shown << box.windowTitle() + " | " + box.text() + " | " + buttons.join(", ");
    Answer(box, box.findChild<QAbstractButton*>("Yes") ? "Yes" : "OK");
  });
  game.Start();
  window.menuBar()->findChild<QAction*>("h1")->trigger();
  game.Click(game.c().MsgLabel);
  SelectAndStart(game, 3, 15);  // the mascot's bet, a tip; lane 4 wins: the player's
  RunRaceClock(game);
  SelectAndStart(game, 0, 104);  // the whole purse
  RunRaceClock(game);
  game.random.Push({0.3f});  // the retort that asks
  game.Click(game.c().CmdT);
  for (const char* item : {"version", "seiseki"}) window.menuBar()->findChild<QAction*>(item)->trigger();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    shown << top->windowTitle();
    for (QAction* action : top->findChildren<QAction*>()) shown << action->text();
    const QWidgetList widgets = top->findChildren<QWidget*>() << top;
    for (QWidget* widget : widgets) {
      if (auto* label = qobject_cast<QLabel*>(widget)) shown << label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown << button->text();
      shown << widget->toolTip() << widget->accessibleName() << widget->accessibleDescription();
      if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget))
        shown << accessible->text(QAccessible::Name) << accessible->text(QAccessible::Description);
      if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        for (int column = 0; column < table->columnCount(); ++column) {
          shown << table->horizontalHeaderItem(column)->text();
          for (int row = 0; row < table->rowCount(); ++row) shown << table->item(row, column)->text();
        }
      }
      if (auto* chart = qobject_cast<QChartView*>(widget)) {
        shown << chart->chart()->title();
        for (QAbstractAxis* axis : chart->chart()->axes()) shown << axis->titleText();
        for (QAbstractSeries* series : chart->chart()->series()) shown << series->name();
      }
    }
  }
  return shown;
}

// Every text shown comes through the catalogue: each is marked, or a plain
// number (a purse, a date, a lane). With the English catalogue none of it is
// Japanese: every text is found under the context the game asks for.
TEST(QtFrontEndTest, EveryTextShownComesThroughTheCatalogueAndSpeaksEnglishFromIt) {
  MarkingTranslator marking;
  QTranslator english;
  ASSERT_TRUE(english.load(MASCOT_ENGLISH_CATALOGUE));
  const QRegularExpression marked("^(⟦.*⟧|[-+0-9０-９.,:%/ ]*)( \\| (⟦.*⟧|[-+0-9.,:%/ ]*))*$");
  const QRegularExpression japanese("[\\p{Hiragana}\\p{Katakana}\\p{Han}]");
  for (QTranslator* translator : {static_cast<QTranslator*>(&marking), &english}) {
    QCoreApplication::installTranslator(translator);
    platform::VirtualClock clock;
    const QStringList shown = TextsShown(WiredGame(clock));  // the game is gone before its translator
    QCoreApplication::removeTranslator(translator);
    QStringList wrong;
    for (const QString& text : shown) {
      for (const QString& part : text.split(", ")) {  // a box's buttons
        if (translator == &marking ? !marked.match(part).hasMatch() : japanese.match(part).hasMatch()) wrong << part;
      }
    }
    EXPECT_EQ(wrong, QStringList()) << (translator == &marking ? "unmarked" : "Japanese in English");
    EXPECT_GT(shown.size(), 200);
  }
}

}  // namespace

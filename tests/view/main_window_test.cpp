// The real window, offscreen: built from the window's definition and
// mirroring the model, drawn as under C whatever the locale, every text
// fitting its control in Japanese and in English and locked lanes looking
// locked; every way in reaching the rules (the mouse, keys, shortcuts,
// message boxes and what assistive tools do through Qt's accessibility
// interfaces); and a second launch asking the running copy to show its
// window. (Which language the desktop asks for, the process tests' help rows
// show.)
#include "ui/qt/main_window.h"

#include <gtest/gtest.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QRawFont>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTranslator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <future>
#include <map>
#include <optional>
#include <set>

#include "app/language.h"
#include "app/single_instance.h"
#include "chat/chat_texts.h"
#include "chat/tour_texts.h"
#include "game/game_texts.h"
#include "game/odds.h"
#include "platform/numbers.h"
#include "support/race_script.h"
#include "ui/main_form_texts.h"
#include "ui/picture_names.h"
#include "ui/pictures.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/qt_message_boxes.h"
#include "ui/qt/translated.h"

// Readable failures: texts and names as text.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using namespace testing_support;
using namespace std::chrono_literals;

struct WindowTest : ::testing::Test {
  WindowTest() {
    game.Start();
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  template <typename T = QWidget>
  T* Find(const QString& name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  QAccessibleInterface* Accessible(const QString& name) { return QAccessible::queryAccessibleInterface(Find(name)); }
  void DoAction(const QString& name, const QString& action) {
    QAccessibleInterface* accessible = Accessible(name);
    ASSERT_TRUE(accessible->actionInterface()->actionNames().contains(action)) << name.toStdString();
    accessible->actionInterface()->doAction(action);
  }
  // The lane buttons checked on screen: "....x." for the fifth alone.
  std::string Checked() {
    std::string lanes;
    for (int lane = 0; lane < 6; ++lane)
      lanes += Find<QRadioButton>(QString("CharKake%1").arg(lane))->isChecked() ? 'x' : '.';
    return lanes;
  }

  TestGame game;  // every draw 0.5: speeds of 125, the mascot on lane 3 with 50
  platform::VirtualClock frames;  // what the window paces its pictures on
  ui::qt::MainWindow window{game.session().form().form(), game.session(), frames};
  ui::qt::AboutView about{game.session().form().about(), game.session()};
};

// Fifteen twips make a pixel; the window cannot be resized. The model's
// changes reach the widgets: a control hidden at once (its caption and
// state, every other test reads from the widgets); a picture moved, frame
// by frame. A race moves a picture on nearly every tick: a change a frame
// after the last one shown shows at once, one that follows within a frame
// waits for the next, and the last shows even when nothing follows it.
TEST_F(WindowTest, TheWindowIsTheDefinitionAndMirrorsTheModel) {
  EXPECT_EQ(std::tuple(window.windowTitle(), window.ClientArea()->size(), window.minimumSize() == window.maximumSize()),
            std::tuple("こまめ堂マスコットレース", QSize(10140 / 15, 9165 / 15), true));
  game.Fire([&] { game.c().KakeHScroll.SetVisible(false); });
  EXPECT_FALSE(Find("KakeHScroll")->isVisible());

  constexpr std::int64_t kFrame = ui::qt::ControlWidgets::kFrameMilliseconds * 1000;
  QWidget* runner = Find("ImgChar2");
  // The time since the last change; the place it goes to, and where the runner stands at once.
  const std::tuple<std::int64_t, float, int> kChanges[] = {
      {kFrame + 1, 3000, 200}, {kFrame + 1, 1500, 100}, {kFrame - 1, 3000, 100},  // waits
      {2, 4500, 300},                                                             // a frame since 1500
      {0, 1500, 300}};
  for (const auto& [after, left, x] : kChanges) {
    frames.Advance(after);
    game.Fire([&] { game.c().ImgChar[2].SetLeft(left); });
    EXPECT_EQ(runner->x(), x) << left;
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return runner->x() == 100; }, 5000));

  const QImage icon = window.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
  const ui::Bitmap& first = *ui::FindPicture(ui::RunnerPicture(0, 1));  // the first runner, pixel for pixel
  EXPECT_TRUE(icon == QImage(reinterpret_cast<const uchar*>(first.pixels.data()), 32, 32, QImage::Format_ARGB32));

  // The About dialog opens once; Escape closes it as its close box does,
  // through the rules, and so does the window's, which saves first.
  for (int times = 0; times < 2; ++times) window.menuBar()->findChild<QAction*>("version")->trigger();
  const QWidgetList top = QApplication::topLevelWidgets();
  const auto shown = [](const QWidget* widget) { return widget->objectName() == "ver" && widget->isVisible(); };
  EXPECT_EQ(std::count_if(top.begin(), top.end(), shown), 1);
  QTest::keyClick(about.dialog(), Qt::Key_Escape);
  EXPECT_EQ(std::pair(game.session().form().about().loaded(), about.dialog() == nullptr), std::pair(false, true));
  window.close();
  EXPECT_EQ(game.program_end.ends, 1);
}

// Screen readers hear radio buttons, names and changes; what assistive tools
// do reaches the rules, or is put back when the rules refuse it.
TEST_F(WindowTest, AssistiveToolsHearTheWindowAndReachTheRules) {
  EXPECT_EQ(Accessible("CharKake0")->role(), QAccessible::RadioButton);
  // No odds before a race is selected.
  for (const auto& [name, said] : {std::pair{"CharKake0", "１でGO！"}, {"Bairitu0", ""}, {"KakeHScroll", "賭け金"},
                                   {"komame", "こまめ"}})
    EXPECT_EQ(Accessible(name)->text(QAccessible::Name), said) << name;

  static QList<QObject*> renamed;
  renamed.clear();
  // As when a screen reader listens: Qt tells assistive tools nothing otherwise.
  QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
  ASSERT_NE(platform, nullptr);
  platform->setActive(true);
  QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
    if (event->type() == QAccessible::NameChanged) renamed << event->object();
  });
  game.Fire([this] { game.form().Say(platform::Text()); });
  EXPECT_EQ(Accessible("MsgLabel")->text(QAccessible::Name), "");
  game.Click(game.c().omi);
  QAccessible::installUpdateHandler(nullptr);
  platform->setActive(false);
  for (const char* name : {"MsgLabel", "Money", "Psyoji1"}) EXPECT_TRUE(renamed.contains(Find(name))) << name;

  const QString toggle = QAccessibleActionInterface::toggleAction();
  game.Click(game.c().ozzu);

  DoAction("CharKake2", toggle);
  EXPECT_EQ(game.s().PlayerPick, 2);
  QTest::mouseClick(Find("Bairitu4"), Qt::LeftButton);
  EXPECT_EQ(std::tuple(game.s().PlayerPick, Checked()), std::tuple(4, "....x."));
  // The chosen lane's text inverted (its background, and the one left white, the locked lanes' test shows).
  EXPECT_EQ(Find("CharKake4")->palette().color(QPalette::WindowText), QColor(Qt::white));

  DoAction("CharKake4", toggle);  // toggling the chosen lane clicks it again: it stays chosen
  EXPECT_EQ(std::tuple(game.s().PlayerPick, Checked()), std::tuple(4, "....x."));

  DoAction("CheckBGM", toggle);
  EXPECT_EQ(std::pair(game.c().CheckBGM.Value(), Find<QAbstractButton>("CheckBGM")->isChecked()), std::pair(0, false));

  auto* bar = Find<QScrollBar>("KakeHScroll");
  bar->setSliderDown(true);
  bar->setSliderPosition(45);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "45");  // live, during a drag
  bar->setSliderDown(false);
  Accessible("KakeHScroll")->valueInterface()->setCurrentValue(37);
  EXPECT_EQ(std::pair(game.c().KakeLabel.Caption(), int{game.s().PlayerBet}), std::pair(std::string("37"), 37));

  // While the race runs the lanes are locked and the bar is hidden: the
  // rules refuse, and the widgets go back to what the rules hold.
  StartRace(game);
  Find<QRadioButton>("CharKake1")->toggle();
  Accessible("KakeHScroll")->valueInterface()->setCurrentValue(60);
  EXPECT_EQ(std::tuple(game.s().PlayerPick, Checked(), game.s().PlayerBet, bar->value()),
            std::tuple(4, "....x.", 37, 37));
}

// Whether the widget shows all of its text, and if not what it shows: a
// label on the lines its height holds, or on one whose baseline it holds (as
// the layout's big labels, whose letters hang a little below them), Qt's
// indent of half an "x" kept from a frame; a button within what the style
// leaves for its text.
std::optional<QString> Overflow(QWidget* widget) {
  const QFontMetrics metrics = widget->fontMetrics();
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    QRect room = label->contentsRect();
    const int indent = label->frameWidth() > 0 ? metrics.horizontalAdvance('x') / 2 : 0;
    if (label->alignment() & Qt::AlignLeft) room.setLeft(room.left() + indent);
    if (label->alignment() & Qt::AlignRight) room.setRight(room.right() - indent);
    if (label->alignment() & Qt::AlignTop) room.setTop(room.top() + indent);
    const auto height_of = [&metrics](int lines) {
      return metrics.boundingRect(QRect(0, 0, 10000, 10000), 0, QString("X\n").repeated(lines - 1) + "X").height();
    };
    int lines = 1;
    while (height_of(lines + 1) <= room.height()) ++lines;
    const QRect needed = metrics.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
    if (needed.width() <= room.width() && needed.height() <= height_of(lines) && metrics.ascent() <= room.height())
      return std::nullopt;
    return label->text();
  }
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (!button) return std::nullopt;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const QStyle::SubElement contents = qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                      : qobject_cast<QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                                          : QStyle::SE_PushButtonContents;
  const QRect room = button->style()->subElementRect(contents, &option, button);
  if (metrics.horizontalAdvance(button->text()) <= room.width()) return std::nullopt;
  return button->text();
}

// Every text a control can show fits it, in Japanese and in English, in its
// own font: its caption from the window's definition, and what the rules
// write into it with the widest numbers it can take (the largest purse a
// 32-bit number holds, race 9999, the odds up to 5000); the bubble holds
// every text the mascot says, and all 1296 phrases.
TEST(TextFitTest, EveryTextFitsItsControlInJapaneseAndInEnglish) {
  using platform::Text;
  std::set<std::string> odds;  // every odds a race can show: shortfalls from 150 over the field's excess
  for (int shortfall = 0; shortfall <= 50; ++shortfall) {
    for (int excess = 50 - shortfall; excess <= 300 - shortfall; ++excess)
      odds.insert(platform::SingleText(game::LaneOddsFor(static_cast<float>(shortfall), static_cast<game::Integer>(excess))));
  }
  std::vector<Text> said = {Text(chat::kTourOpening),
                            Text(game::texts::kMascotBets).Arg(6).Arg(30000),
                            Text(game::texts::kMascotHit).Arg(30000 * 5000),
                            Text(game::texts::kMascotSitsOut), Text(game::texts::kMascotMiss), Text(game::texts::kMascotBank),
                            Text(game::texts::kBestTime).Arg(9999).Arg(9998), Text(game::texts::kNoBestTime),
                            Text(chat::kTellTheTime).Arg("12:59:59 (PM)"), Text(chat::kTellTheAddress).Arg("255.255.255.255"),
                            Text(chat::kNewColour)};
  for (const chat::TourStep& step : chat::kTour) {
    for (const auto& text : {step.bubble, step.mascot}) if (text) said.emplace_back(*text);
  }
  said.insert(said.end(), chat::kTipTable.begin(), chat::kTipTable.end());
  said.insert(said.end(), chat::kFortuneTable.begin(), chat::kFortuneTable.end());
  for (int phrase = 0; phrase < 6 * 6 * 6 * 6; ++phrase) {
    Text text(chat::kPhrase);
    for (int piece = 0, rows = phrase; piece < 4; ++piece, rows /= 6) text.Arg(chat::kPhrasePieceTable[piece][rows % 6]);
    said.push_back(text);
  }
  const Text widest_purse = Text::Plain("2147483647"), widest_stake = Text::Plain("30000");
  std::vector<Text> mascot_lanes = {ui::kNoLaneMark};
  for (int lane = 1; lane <= 6; ++lane) mascot_lanes.push_back(Text::Plain(std::to_string(lane)));
  // What the rules write into a control (by its name, or with its index), besides its first caption.
  const std::map<std::string, std::vector<Text>> written = {
      {"MsgLabel", said}, {"RaceLabel", {Text(ui::kRaceNumberCaption).Arg(9999)}},
      {"Jyuni", {ui::kRankCaptions.begin(), ui::kRankCaptions.end()}}, {"CmdStart", {ui::kStopCaption}},
      {"Money", {widest_purse}}, {"Psyoji1", {widest_purse}}, {"KakeLabel", {widest_stake}}, {"Pkake1", {widest_stake}},
      {"kakeban1", mascot_lanes}};

  for (const char* language : {"ja", "en"}) {
    QTranslator english;
    if (language == std::string("en")) {
      ASSERT_TRUE(english.load(MASCOT_ENGLISH_CATALOGUE));
      QCoreApplication::installTranslator(&english);
    }
    TestGame game;
    game.Start();
    ui::qt::MainWindow window{game.session().form().form(), game.session()};
    ui::qt::AboutDialog about{game.session().form().about(), game.session()};
    if (qEnvironmentVariableIsSet("MASCOT_ONLY_FONT")) {  // the run with one font: in that one
      ASSERT_EQ(QFontInfo(window.font()).family(), qEnvironmentVariable("MASCOT_ONLY_FONT"));
    }
    const auto check = [&](ui::Control& control, QWidget* widget, const Text& text) {
      game.Fire([&] { control.SetCaption(text); });
      if (std::optional<QString> shown = Overflow(widget))
        ADD_FAILURE() << language << ": " << control.QualifiedName() << " does not hold " << shown->toStdString();
    };
    for (const auto* form : {&game.session().form().form(), &game.session().form().about()}) {
      for (const auto& control : form->controls().all()) {
        QWidget* widget = form == &game.session().form().form() ? window.WidgetFor(*control) : about.WidgetFor(*control);
        if (!widget) continue;
        std::vector<Text> texts = {control->CaptionText()};
        for (const std::string& key : {control->name(), control->QualifiedName()}) {
          if (auto found = written.find(key); found != written.end())
            texts.insert(texts.end(), found->second.begin(), found->second.end());
        }
        if (control->name() == "Bairitu") {  // only the widest of the odds, as this language writes them
          const auto width = [&](const std::string& number) {
            return widget->fontMetrics().horizontalAdvance(ui::qt::Translated(Text(ui::kOddsCaption).Arg(number)));
          };
          texts.push_back(Text(ui::kOddsCaption).Arg(*std::max_element(
              odds.begin(), odds.end(), [&](const auto& a, const auto& b) { return width(a) < width(b); })));
        }
        for (const Text& text : texts) check(*control, widget, text);
      }
    }
    QCoreApplication::removeTranslator(&english);
  }
}

// How the start window looks: each control's font (known by its own name
// table, whatever name the locale gives it), size and weight and its
// caption's measures; and the window's pixels.
std::pair<std::string, QImage> StartWindowLook(bool english) {
  QTranslator catalogue;
  if (english && catalogue.load(MASCOT_ENGLISH_CATALOGUE)) QCoreApplication::installTranslator(&catalogue);
  TestGame game;
  game.Start();
  ui::qt::MainWindow window{game.session().form().form(), game.session()};
  ui::qt::AboutDialog about{game.session().form().about(), game.session()};
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  std::string fonts;
  for (const QWidget* widget : window.findChildren<QWidget*>() + about.findChildren<QWidget*>()) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    if (!label && !button) continue;
    const QSizeF measures = QFontMetricsF(widget->font()).size(0, label ? label->text() : button->text());
    fonts += QString("%1: font %2, %3 px, weight %4; %5 x %6\n")
                 .arg(widget->objectName(), QString::number(qHash(QRawFont::fromFont(widget->font()).fontTable("name")), 16))
                 .arg(widget->font().pixelSize()).arg(widget->font().weight())
                 .arg(measures.width()).arg(measures.height()).toStdString();
  }
  return {fonts, window.grab().toImage().convertToFormat(QImage::Format_ARGB32)};
}

// The window is drawn the same on every desktop: fontconfig names font
// families in the desktop's language, and the game finds its fonts by any of
// their names. Compared with C in the language this locale speaks.
TEST(LocaleTest, TheStartWindowIsDrawnAsUnderC) {
  const bool english = app::ChooseLanguage(QLocale::system().uiLanguages()) == app::Language::English;
  auto [fonts, pixels] = StartWindowLook(english);
  if (const QString out = qEnvironmentVariable("MASCOT_LOOK_UNDER_C"); !out.isEmpty()) {  // the run below, under C
    pixels.setText("fonts", QString::fromStdString(fonts));
    EXPECT_TRUE(pixels.save(out));
    return;
  }
  QTemporaryDir dir;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "FC_LANG"}) environment.remove(name);
  environment.insert("LANG", "C.UTF-8");
  environment.insert("LANGUAGE", english ? "en" : "ja");
  environment.insert("MASCOT_LOOK_UNDER_C", dir.filePath("c.png"));
  QProcess c;
  c.setProcessEnvironment(environment);
  c.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=LocaleTest.TheStartWindowIsDrawnAsUnderC"});
  ASSERT_TRUE(c.waitForFinished(60000) && c.exitStatus() == QProcess::NormalExit && c.exitCode() == 0)
      << c.readAllStandardOutput().toStdString();
  const QImage under_c(dir.filePath("c.png"));
  EXPECT_EQ(fonts, under_c.text("fonts").toStdString());
  EXPECT_TRUE(pixels == under_c.convertToFormat(QImage::Format_ARGB32));
}

// In a race every lane button looks locked: its caption in the toolkit's
// disabled text, whatever colours the rules gave it (as a race leaves the
// lane it was chosen: black on white). The chosen lane keeps its black
// background.
TEST_F(WindowTest, LockedLaneButtonsDrawDisabledTextWhateverTheirColours) {
  game.Fire([&] { game.c().CharKake[1].SetBackColor(ui::kWhite); });
  game.Click(game.c().ozzu);
  game.Click(game.c().CharKake[3]);  // white on black
  StartRace(game);
  const int disabled = qGray(QApplication::palette().color(QPalette::Disabled, QPalette::WindowText).rgb());
  // The lane and its background. The caption's pixels lie between the
  // background and the disabled text, and reach at least half-way to it.
  for (const auto& [lane, background] : {std::pair{1, 255}, {3, 0}, {5, 255}}) {
    QWidget* button = Find(QString("CharKake%1").arg(lane));
    const QImage image = button->grab().toImage();
    const int reach = std::abs(disabled - background);
    int farthest = 0;  // from the background, right of the round indicator
    for (int y = 0; y < image.height(); ++y) {
      for (int x = button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) * image.devicePixelRatio();
           x < image.width(); ++x)
        farthest = std::max(farthest, std::abs(qGray(image.pixel(x, y)) - background));
    }
    EXPECT_EQ(std::tuple(button->isEnabled(), qGray(image.pixel(image.width() - 1, 0))), std::tuple(false, background));
    EXPECT_TRUE(farthest <= reach + 2 && farthest >= reach / 2) << "lane " << lane + 1 << ": " << farthest;
  }
}

// Tab goes from the track to the bet panel to the mascot; the stake bar's
// keys run like a slider's; keys and shortcuts do what a click does, and
// nothing on a disabled control.
TEST_F(WindowTest, TheKeyboardDoesWhatTheMouseDoes) {
  const QStringList expected = {"CharKake0", "CharKake1", "CharKake2", "CharKake3", "CharKake4", "CharKake5",
                                "CheckBGM",  "KakeHScroll", "ozzu",    "CmdRnd",    "komame",    "MsgLabel",
                                "RndMsg",    "TimeCmd",   "ColorCmd",  "BestCmd",   "CmdIP",     "CmdT",
                                "omi"};  // スタート is disabled until a race is selected: Tab skips it
  Find("CharKake0")->setFocus();
  QStringList visited;
  for (int i = 0; i < expected.size(); ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, expected);

  // The stake from 50, with a purse of 90 once a slip is bought: steps of 1 and 9.
  game.Click(game.c().omi);
  const std::pair<Qt::Key, int> cases[] = {{Qt::Key_Right, 51},   {Qt::Key_Left, 49}, {Qt::Key_PageUp, 59},
                                           {Qt::Key_PageDown, 41}, {Qt::Key_Home, 1},  {Qt::Key_End, 90}};
  auto* bar = Find<QScrollBar>("KakeHScroll");
  for (const auto& [key, stake] : cases) {
    game.session().MoveScrollBar(game.c().KakeHScroll, 50);
    QTest::keyClick(bar, key);
    EXPECT_EQ(std::pair(int{game.s().PlayerBet}, bar->value()), std::pair(stake, stake)) << QTest::toString(key);
  }

  // What it does, the widget with the focus (none: the key goes to the window, as a shortcut), the key, and done.
  // A shortcut is a click on its control, which the rules refuse while it is disabled.
  using Step = std::tuple<const char*, QString, Qt::Key, std::function<bool()>>;
  const auto race_no = [this] { return game.c().RaceLabel.Tag(); };
  const Step steps[] = {
      {"R selects a race", "", Qt::Key_R, [&] { return race_no() == "1"; }},
      {"3 chooses lane 3", "", Qt::Key_3, [&] { return game.s().PlayerPick == 2; }},
      {"Right steps to lane 4", "CharKake2", Qt::Key_Right, [&] { return game.s().PlayerPick == 3; }},
      {"Up steps back to lane 3", "CharKake3", Qt::Key_Up, [&] { return game.s().PlayerPick == 2; }},
      {"Left from lane 1 wraps to lane 6, and the focus with it", "CharKake0", Qt::Key_Left,
       [&] { return game.s().PlayerPick == 5 && Find("CharKake5")->hasFocus(); }},
      {"Enter on レース選択", "ozzu", Qt::Key_Return, [&] { return race_no() == "2"; }},
      {"S starts the race", "", Qt::Key_S, [&] { return game.s().RaceRunning; }},
      {"2 in a race changes nothing", "", Qt::Key_2, [&] { return game.s().PlayerPick == 5; }},
  };
  for (const auto& [what, widget, key, done] : steps) {
    if (!widget.isEmpty()) Find(widget)->setFocus();
    QTest::keyClick(widget.isEmpty() ? static_cast<QWidget*>(&window) : Find(widget), key);
    EXPECT_TRUE(done()) << what;
  }

  // The menu's access keys work (Alt+H starts the tour), and the tour walks
  // on from the keyboard, from the mascot and from the bubble.
  QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(game.s().TourStep, 1);
  QTest::keyClick(Find("komame"), Qt::Key_Space);
  QTest::keyClick(Find("MsgLabel"), Qt::Key_Return);
  EXPECT_EQ(game.s().TourStep, 3);
}

// A question has to be answered, unless its No is safe: that one, like a box
// with only OK, takes Escape and its close box as its safe answer. (A box open
// when the program is asked to end gives its safe answer too: the game
// windows' shutdown table shows it.)
TEST(MessageBoxViewTest, EscapeAndTheCloseBoxGiveTheSafeAnswerOrNothing) {
  using platform::MessageBoxes;
  constexpr int kYesNo = MessageBoxes::kYesNo, kSafeNo = kYesNo | MessageBoxes::kNoIsSafe, kNo = MessageBoxes::kReplyNo;
  constexpr int kOk = MessageBoxes::kReplyOk;
  // The box's style, left by Escape (else its close box), whether it stays
  // open (No is then clicked), the reply, the default button.
  using Row = std::tuple<int, bool, bool, int, QString>;
  for (const auto& [style, escape, stays_open, reply, default_button] :
       {Row{kYesNo, true, true, kNo, "Yes"}, Row{kYesNo, false, true, kNo, "Yes"}, Row{kSafeNo, true, false, kNo, "No"},
        Row{MessageBoxes::kOkOnly, true, false, kOk, "OK"}, Row{MessageBoxes::kExclamation, false, false, kOk, "OK"}}) {
    const bool question = style != MessageBoxes::kOkOnly && style != MessageBoxes::kExclamation;
    ui::qt::QtMessageBoxes boxes;
    bool stayed_open = false;
    QStringList seen;  // the title, the prompt, the buttons and the default one
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen << box->windowTitle() << box->text();
      for (QAbstractButton* button : box->buttons()) seen << button->text();
      seen << box->defaultButton()->objectName();
      if (escape) QTest::keyClick(box, Qt::Key_Escape);
      else box->close();
      QApplication::processEvents();
      stayed_open = box->isVisible();
      if (stayed_open) box->findChild<QAbstractButton*>("No")->click();
    });
    SCOPED_TRACE(testing::Message() << "style " << style << (escape ? ", Escape" : ", its close box"));
    EXPECT_EQ(boxes.Show(game::texts::kGoOn, style, game::texts::kGoOnTitle), reply);
    EXPECT_EQ(stayed_open, stays_open);
    EXPECT_EQ(seen, QStringList({"こんてにゅー", "まだやりますか？"}) +
                        (question ? QStringList{"はい", "いいえ"} : QStringList{"OK"}) + QStringList{default_button});
  }
}

// A launch during start-up waits for the window and brings it back; a copy
// that holds the lock but opens no channel is reported as not answering.
TEST(SingleInstanceTest, ALaunchDuringStartUpWaitsForTheWindowAndBringsItBack) {
  QTemporaryDir settings;
  {
    app::SingleInstance no_channel(settings.path(), "");
    app::SingleInstance later(settings.path(), settings.path());
    EXPECT_EQ(std::pair(later.acquired(), later.AskRunningCopyToRaise(300)), std::pair(false, false));
  }
  app::SingleInstance running(settings.path(), settings.path());
  app::SingleInstance later(settings.path(), settings.path());
  ASSERT_TRUE(running.acquired());
  ASSERT_FALSE(later.acquired());

  std::future<bool> asked = std::async(std::launch::async, [&later] { return later.AskRunningCopyToRaise(20000); });
  QWidget window;  // the window is still being built when the later launch asks
  window.showMinimized();
  ASSERT_TRUE(QTest::qWaitFor([&running] { return running.LaunchWaiting(); }, 25000));
  running.OnLaunchedAgain([&window] { app::BringToFront(window); });
  EXPECT_TRUE(QTest::qWaitFor([&asked] { return asked.wait_for(0s) == std::future_status::ready; }, 25000));
  EXPECT_TRUE(asked.get());
  EXPECT_EQ(std::pair(window.isMinimized(), window.isVisible()), std::pair(false, true));
}

}  // namespace

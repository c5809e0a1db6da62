// The real window, offscreen: built from the window's definition, mirroring
// the model, taking the player's mouse, showing the pictures, and asking in
// real message boxes in the middle of a race; and the machine's address.
#include "ui/qt/main_window.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <QAction>
#include <QElapsedTimer>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include "platform/system_local_address.h"
#include "support/test_game.h"
#include "ui/picture_names.h"
#include "ui/pictures.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/control_widgets.h"

namespace {

using testing_support::TestGame;

struct MainWindowTest : ::testing::Test {
  MainWindowTest() {
    game.Start();
    QApplication::processEvents();
  }
  template <typename T = QWidget>
  T* Find(const QString& name) {
    return window.findChild<T*>(name);
  }
  TestGame game;  // every draw 0.5: speeds of 125, the mascot on lane 3 with 50
  ui::qt::MainWindow window{game.session().form().form(), game.session()};
  ui::qt::AboutView about{game.session().form().about(), game.session()};
};

// Fifteen twips make a pixel; the window cannot be resized. The model's changes reach the widgets.
TEST_F(MainWindowTest, TheWindowIsTheDefinitionAndMirrorsTheModel) {
  EXPECT_EQ(window.windowTitle(), "こまめ堂マスコットレース");
  EXPECT_EQ(window.ClientArea()->size(), QSize(10140 / 15, 9165 / 15));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  game.Fire([&] {
    game.c().Money.SetCaption("250");
    game.c().ImgChar[2].SetLeft(1500);
    game.c().CmdStart.SetEnabled(true);
    game.c().Jyuni[0].SetVisible(true);
  });
  EXPECT_EQ(Find<QLabel>("Money")->text(), "250");
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find("ImgChar2")->x() == 100; }, 5000));  // with the next frame
  EXPECT_TRUE(Find("CmdStart")->isEnabled());
  EXPECT_TRUE(Find("Jyuni0")->isVisible());
  const QImage icon = window.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
  const ui::Bitmap& runner = *ui::FindPicture(ui::RunnerPicture(0, 1));  // the first runner, pixel for pixel
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(icon.pixel(x, y), runner.At(x, y)) << x << "," << y;
}

// A race moves a picture on nearly every tick: a change after a quiet spell
// shows at once, one that follows within a frame waits for the next, and the
// last shows even when nothing follows it.
TEST_F(MainWindowTest, PicturesChangingFasterThanFramesAreShownTogether) {
  constexpr int kFrame = ui::qt::ControlWidgets::kFrameMilliseconds;
  QWidget* runner = Find("ImgChar2");
  const auto shown = [runner](int x) { return QTest::qWaitFor([&] { return runner->x() == x; }, 5000); };
  game.Fire([&] { game.c().ImgChar[2].SetLeft(3000); });
  ASSERT_TRUE(shown(200));
  QTest::qWait(kFrame + 10);  // the quiet spell
  QElapsedTimer since_shown;
  since_shown.start();
  game.Fire([&] { game.c().ImgChar[2].SetLeft(1500); });
  EXPECT_EQ(runner->x(), 100);
  game.Fire([&] { game.c().ImgChar[2].SetLeft(3000); });
  if (!since_shown.hasExpired(kFrame)) {
    EXPECT_EQ(runner->x(), 100);  // it waits
  }
  EXPECT_TRUE(shown(200));
}

TEST_F(MainWindowTest, TheAboutDialogOpensOnceAndTheCloseBoxSavesAndEnds) {
  for (int times = 0; times < 2; ++times) window.menuBar()->findChild<QAction*>("version")->trigger();
  int dialogs = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    dialogs += widget->objectName() == "ver" && widget->isVisible();
  EXPECT_EQ(dialogs, 1);
  QTest::keyClick(about.dialog(), Qt::Key_Escape);  // Escape closes it as its close box does: through the rules
  EXPECT_FALSE(game.session().form().about().loaded());
  EXPECT_EQ(about.dialog(), nullptr);
  game.settings.SetPurse("stale");
  window.close();
  EXPECT_EQ(game.settings.Purse(), "100");
  EXPECT_EQ(game.program_end.ends, 1);
}

// One of this machine's own IPv4 addresses on an interface that is up and not
// the loopback, found here without Qt; with none, 127.0.0.1.
TEST(LocalAddressTest, OneOfTheMachinesOwnAddresses) {
  std::set<std::string> own;
  ifaddrs* interfaces = nullptr;
  ASSERT_EQ(getifaddrs(&interfaces), 0);
  for (const ifaddrs* at = interfaces; at; at = at->ifa_next) {
    if (!at->ifa_addr || at->ifa_addr->sa_family != AF_INET || !(at->ifa_flags & IFF_UP) ||
        (at->ifa_flags & IFF_LOOPBACK)) {
      continue;
    }
    char text[INET_ADDRSTRLEN];
    own.insert(inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(at->ifa_addr)->sin_addr, text, sizeof text));
  }
  freeifaddrs(interfaces);
  const std::string address = platform::SystemLocalAddress().DottedIPv4();
  EXPECT_TRUE(own.empty() ? address == "127.0.0.1" : own.count(address) == 1) << address;
}

}  // namespace

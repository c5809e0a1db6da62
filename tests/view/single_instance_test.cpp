// A second launch asks the running copy to show its window.
#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <future>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(SingleInstanceTest, ALaunchDuringStartUpWaitsForTheWindowAndBringsItBack) {
  QTemporaryDir settings;
  app::SingleInstance running(settings.path());
  app::SingleInstance later(settings.path());
  ASSERT_TRUE(running.acquired());
  ASSERT_FALSE(later.acquired());

  std::future<bool> asked = std::async(std::launch::async, [&later] { return later.AskRunningCopyToRaise(20000); });
  QWidget window;  // the window is still being built when the later launch asks
  window.showMinimized();
  QTest::qWait(100);
  running.OnLaunchedAgain([&window] { app::BringToFront(window); });
  EXPECT_TRUE(QTest::qWaitFor([&asked] { return asked.wait_for(0s) == std::future_status::ready; }, 25000));
  EXPECT_TRUE(asked.get());
  EXPECT_EQ(std::pair(window.isMinimized(), window.isVisible()), std::pair(false, true));
}

TEST(SingleInstanceTest, ACopyThatDoesNotAnswerIsReportedAsSuch) {
  QTemporaryDir settings;
  // Another copy holds the lock but opens no channel.
  const int other_copy = open(QFile::encodeName(settings.path() + "/mascot-race.lock").constData(), O_RDWR | O_CREAT, 0600);
  ASSERT_EQ(flock(other_copy, LOCK_EX | LOCK_NB), 0);
  app::SingleInstance later(settings.path());
  ASSERT_FALSE(later.acquired());
  EXPECT_FALSE(later.AskRunningCopyToRaise(300));
  close(other_copy);
}

}  // namespace

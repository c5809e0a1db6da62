// A second launch asks the running copy to show its window.
#include "app/single_instance.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <future>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(SingleInstanceTest, ALaterLaunchBringsTheRunningWindowBackOnceItCanBeAsked) {
  QTemporaryDir settings;
  app::SingleInstance running(settings.path());
  app::SingleInstance later(settings.path());
  ASSERT_TRUE(running.acquired());
  ASSERT_FALSE(later.acquired());
  // Before the running copy listens, nobody answers: the later launch says so in a box.
  EXPECT_FALSE(later.AskRunningCopyToRaise(200));

  QWidget window;
  window.showMinimized();
  running.OnLaunchedAgain([&window] { app::BringToFront(window); });
  std::future<bool> asked = std::async(std::launch::async, [&later] { return later.AskRunningCopyToRaise(10000); });
  EXPECT_TRUE(QTest::qWaitFor([&asked] { return asked.wait_for(0s) == std::future_status::ready; }, 15000));
  EXPECT_TRUE(asked.get());
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isVisible());
}

}  // namespace

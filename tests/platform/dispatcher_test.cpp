#include "platform/dispatcher.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/services.h"

namespace {

using Outcome = platform::Dispatcher::Outcome;

TEST(DispatcherTest, RefusesAHandlerInsideAnother) {
  platform::Dispatcher dispatcher;
  Outcome inner = Outcome::Ran;
  EXPECT_EQ(dispatcher.Run([&] { inner = dispatcher.Run([] {}); }), Outcome::Ran);
  EXPECT_EQ(inner, Outcome::Refused);
  EXPECT_FALSE(dispatcher.busy());
}

TEST(DispatcherTest, AFailureIsLoggedAndTheProgramGoesOn) {
  platform::Dispatcher dispatcher;
  std::string logged;
  dispatcher.SetErrorLog([&](const std::string& line) { logged = line; });
  EXPECT_EQ(dispatcher.Run([] { throw std::runtime_error("broken lane"); }), Outcome::Failed);
  EXPECT_NE(logged.find("broken lane"), std::string::npos);
  bool ran = false;
  EXPECT_EQ(dispatcher.Run([&] { ran = true; }), Outcome::Ran);
  EXPECT_TRUE(ran);
}

TEST(DispatcherTest, AfterTheEndNoHandlerRuns) {
  platform::Dispatcher dispatcher;
  EXPECT_EQ(dispatcher.Run([] { throw platform::ProgramEnded{}; }), Outcome::Ended);
  EXPECT_TRUE(dispatcher.ended());
  bool ran = false;
  EXPECT_EQ(dispatcher.Run([&] { ran = true; }), Outcome::Refused);
  EXPECT_FALSE(ran);
}

}  // namespace

// The machine's address from Qt's interface list.
#include "platform/qt_local_address.h"

#include <gtest/gtest.h>

#include <regex>

TEST(LocalAddressTest, ADottedIPv4AddressAlways) {
  std::string address = platform::QtLocalAddress().DottedIPv4();
  EXPECT_TRUE(std::regex_match(address, std::regex(R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})"))) << address;
}

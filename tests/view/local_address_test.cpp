// The machine's address from Qt's interface list. (The real settings store is
// tested with the game as a process, in process_test.cpp.)
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <set>

#include "platform/qt_local_address.h"

namespace {

// One of this machine's own IPv4 addresses on an interface that is up and not
// the loopback, found here without Qt; with none, 127.0.0.1.
TEST(LocalAddressTest, OneOfTheMachinesOwnAddresses) {
  std::set<std::string> own;
  ifaddrs* interfaces = nullptr;
  ASSERT_EQ(getifaddrs(&interfaces), 0);
  for (const ifaddrs* at = interfaces; at; at = at->ifa_next) {
    if (!at->ifa_addr || at->ifa_addr->sa_family != AF_INET || !(at->ifa_flags & IFF_UP) || (at->ifa_flags & IFF_LOOPBACK)) {
      continue;
    }
    char text[INET_ADDRSTRLEN];
    own.insert(inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(at->ifa_addr)->sin_addr, text, sizeof text));
  }
  freeifaddrs(interfaces);
  const std::string address = platform::QtLocalAddress().DottedIPv4();
  EXPECT_TRUE(own.empty() ? address == "127.0.0.1" : own.count(address) == 1) << address;
}

}  // namespace

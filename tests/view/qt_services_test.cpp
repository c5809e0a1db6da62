// The real settings store (an INI file per application) and the machine's
// address from Qt's interface list.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <set>

#include "platform/qt_local_address.h"
#include "platform/qt_settings_store.h"

namespace {

TEST(SettingsStoreTest, ThePurseGoesToMainFormIniInSectionTwo) {
  QTemporaryDir directory;
  platform::QtSettingsStore store(directory.path());
  EXPECT_EQ(store.Read("MainForm", "2", "pass", "none"), "none");
  EXPECT_TRUE(store.Write("MainForm", "2", "pass", "1234"));
  QFile file(directory.path() + "/MainForm.ini");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "[2]\npass=1234\n");
  EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), "1234");
}

// Whatever a damaged file gives, the next save puts a readable purse there.
TEST(SettingsStoreTest, ADamagedFileIsSavedOver) {
  QTemporaryDir directory;
  platform::QtSettingsStore store(directory.path());
  QFile file(directory.path() + "/MainForm.ini");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const char kDamaged[] = "\xff\xfe[[[\x00\x01 pass==\n=\n[2\n[2]\npass=\x00" "77\n";
  file.write(kDamaged, sizeof kDamaged - 1);
  file.close();
  store.Read("MainForm", "2", "pass", "");
  EXPECT_TRUE(store.Write("MainForm", "2", "pass", "55"));
  EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), "55");
}

TEST(SettingsStoreTest, AnUnusablePlaceIsReportedNotFatal) {
  QTemporaryDir directory;
  ASSERT_TRUE(QDir(directory.path()).mkdir("MainForm.ini"));
  for (const QString& place : {directory.path(), QString("/proc/no-such-directory")}) {
    platform::QtSettingsStore store(place);
    EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), "");
    EXPECT_FALSE(store.Write("MainForm", "2", "pass", "5"));
  }
}

// The address is one of this machine's own IPv4 addresses on an interface
// that is up and not the loopback, found here without Qt; with none, 127.0.0.1.
TEST(LocalAddressTest, OneOfTheMachinesOwnAddresses) {
  std::set<std::string> own;
  ifaddrs* interfaces = nullptr;
  ASSERT_EQ(getifaddrs(&interfaces), 0);
  for (const ifaddrs* at = interfaces; at; at = at->ifa_next) {
    if (!at->ifa_addr || at->ifa_addr->sa_family != AF_INET) continue;
    if (!(at->ifa_flags & IFF_UP) || (at->ifa_flags & IFF_LOOPBACK)) continue;
    char text[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(at->ifa_addr)->sin_addr, text, sizeof text);
    own.insert(text);
  }
  freeifaddrs(interfaces);
  const std::string address = platform::QtLocalAddress().DottedIPv4();
  if (own.empty()) EXPECT_EQ(address, "127.0.0.1");
  if (!own.empty()) EXPECT_TRUE(own.count(address)) << address;
}

}  // namespace

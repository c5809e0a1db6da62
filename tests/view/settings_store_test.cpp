// The real settings store on disk: an INI file per application.
#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct SettingsStoreTest : ::testing::Test {
  QTemporaryDir directory;
  platform::QtSettingsStore store{directory.path()};
  QString path() const { return directory.path() + "/MainForm.ini"; }
};

TEST_F(SettingsStoreTest, ThePurseGoesToMainFormIniInSectionTwo) {
  EXPECT_TRUE(store.Write("MainForm", "2", "pass", "1234"));
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.contains("[2]")) << text.toStdString();
  EXPECT_TRUE(text.contains("pass=1234")) << text.toStdString();
  EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), "1234");
}

TEST_F(SettingsStoreTest, NothingStoredGivesTheDefault) {
  EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), "");
  EXPECT_EQ(store.Read("MainForm", "2", "pass", "dflt"), "dflt");
}

TEST_F(SettingsStoreTest, AGarbledFileGivesTheDefaultOrItsText) {
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xff\xfe[[[\x00\x01 pass==\n=\n[2\n");
  file.close();
  std::string read = store.Read("MainForm", "2", "pass", "");
  SUCCEED() << read;  // any text: the rules decide whether it is a purse
}

TEST_F(SettingsStoreTest, ADirectoryInThePlaceOfTheFileIsNeitherReadNorWritten) {
  ASSERT_TRUE(QDir(directory.path()).mkdir("MainForm.ini"));
  EXPECT_EQ(store.Read("MainForm", "2", "pass", ""), "");
  EXPECT_FALSE(store.Write("MainForm", "2", "pass", "5"));
}

TEST_F(SettingsStoreTest, AnUnwritablePlaceIsReportedNotFatal) {
  platform::QtSettingsStore nowhere("/proc/no-such-directory");
  EXPECT_FALSE(nowhere.Write("MainForm", "2", "pass", "5"));
  EXPECT_EQ(nowhere.Read("MainForm", "2", "pass", ""), "");
}

}  // namespace

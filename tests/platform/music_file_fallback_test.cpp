#include "platform/music_file_fallback.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Players that, like the real ones, fail on a file that is not there, and
// write down every path they are handed.
class FilePlayers final : public platform::MusicPlayer, public platform::WavePlayer {
 public:
  class OpenedSong final : public platform::Song {
   public:
    bool Play() override { return true; }
    void Stop() override {}
  };

  std::unique_ptr<platform::Song> Open(const std::string& path) override {
    asked.push_back(path);
    if (!fs::is_regular_file(path)) return nullptr;
    return std::make_unique<OpenedSong>();
  }
  bool PlayWave(const std::string& path) override {
    asked.push_back(path);
    return fs::is_regular_file(path);
  }

  std::vector<std::string> asked;
};

class MusicFileFallbackTest : public ::testing::Test {
 protected:
  MusicFileFallbackTest() {
    fs::create_directories(beside);
    fs::create_directories(data);
  }
  ~MusicFileFallbackTest() override { fs::remove_all(root); }

  static fs::path ScratchDirectory() {
    char pattern[] = "/tmp/mascot-fallback-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("no scratch directory");
    return made;
  }
  static void Put(const fs::path& file) { std::ofstream(file) << "music"; }
  std::string Beside(const char* name) const { return (beside / name).string(); }
  std::string Data(const char* name) const { return (data / name).string(); }

  fs::path root = ScratchDirectory();
  fs::path beside = root / "games";
  fs::path data = root / "share" / "mascot-race";
  FilePlayers players;
  platform::MusicFileFallback music{players, players, {data.string()}};
};

TEST_F(MusicFileFallbackTest, ThePlayersOwnTuneBesideTheGameWinsOverTheInstalledOne) {
  Put(Beside("bgm.mid"));
  Put(Data("bgm.mid"));
  EXPECT_NE(music.Open(Beside("bgm.mid")), nullptr);
  EXPECT_EQ(players.asked, std::vector<std::string>{Beside("bgm.mid")});
}

TEST_F(MusicFileFallbackTest, ThePlayersOwnStartSignalBesideTheGameWinsOverTheInstalledOne) {
  Put(Beside("bgm1.wav"));
  Put(Data("bgm1.wav"));
  EXPECT_TRUE(music.PlayWave(Beside("bgm1.wav")));
  EXPECT_EQ(players.asked, std::vector<std::string>{Beside("bgm1.wav")});
}

TEST_F(MusicFileFallbackTest, AnInstalledGamePlaysTheTuneFromItsDataDirectory) {
  Put(Data("bgm.mid"));
  EXPECT_NE(music.Open(Beside("bgm.mid")), nullptr);
  EXPECT_EQ(players.asked, std::vector<std::string>{Data("bgm.mid")});
}

TEST_F(MusicFileFallbackTest, AnInstalledGamePlaysTheStartSignalFromItsDataDirectory) {
  Put(Data("bgm1.wav"));
  EXPECT_TRUE(music.PlayWave(Beside("bgm1.wav")));
  EXPECT_EQ(players.asked, std::vector<std::string>{Data("bgm1.wav")});
}

TEST_F(MusicFileFallbackTest, EachFileIsLookedUpOnItsOwn) {
  Put(Beside("bgm1.wav"));
  Put(Data("bgm.mid"));
  Put(Data("bgm1.wav"));
  EXPECT_NE(music.Open(Beside("bgm.mid")), nullptr);
  EXPECT_TRUE(music.PlayWave(Beside("bgm1.wav")));
  EXPECT_EQ(players.asked, (std::vector<std::string>{Data("bgm.mid"), Beside("bgm1.wav")}));
}

TEST_F(MusicFileFallbackTest, MusicFoundNowhereIsSilenceAsBefore) {
  EXPECT_EQ(music.Open(Beside("bgm.mid")), nullptr);
  EXPECT_FALSE(music.PlayWave(Beside("bgm1.wav")));
  EXPECT_EQ(players.asked, (std::vector<std::string>{Beside("bgm.mid"), Beside("bgm1.wav")}));
  EXPECT_EQ(music.Find(Beside("bgm.mid")), std::nullopt);
}

TEST_F(MusicFileFallbackTest, OnlyTheSameFileNameStandsIn) {
  Put(Data("other.mid"));
  EXPECT_EQ(music.Open(Beside("bgm.mid")), nullptr);
  EXPECT_EQ(players.asked, std::vector<std::string>{Beside("bgm.mid")});
}

TEST_F(MusicFileFallbackTest, ADirectoryNamedLikeTheTuneIsNoTune) {
  fs::create_directories(Beside("bgm.mid"));
  Put(Data("bgm.mid"));
  EXPECT_EQ(music.Find(Beside("bgm.mid")), Data("bgm.mid"));
}

TEST_F(MusicFileFallbackTest, TheFallbackDirectoriesAreTriedInOrder) {
  fs::path second = root / "usr" / "share" / "mascot-race";
  fs::create_directories(second);
  Put(second / "bgm.mid");
  platform::MusicFileFallback two_places{players, players, {data.string(), second.string()}};
  EXPECT_EQ(two_places.Find(Beside("bgm.mid")), (second / "bgm.mid").string());
  Put(Data("bgm.mid"));
  EXPECT_EQ(two_places.Find(Beside("bgm.mid")), Data("bgm.mid"));
}

TEST_F(MusicFileFallbackTest, APathWithSpacesKeepsItsName) {
  fs::path spaced = root / "my games";
  fs::create_directories(spaced);
  Put(Data("bgm.mid"));
  EXPECT_EQ(music.Find((spaced / "bgm.mid").string()), Data("bgm.mid"));
}

}  // namespace

// The real music and sound on SDL's dummy driver, and on no device at all:
// neither this machine nor CI has a sound card.
#include "platform/sdl_sound_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

#include "platform/media_commands.h"
#include "sound_checks.h"

namespace {

using Output = platform::SdlSoundSystem::Output;
namespace error = platform::media_error;

std::string OpenCommand(const std::string& path) { return "open \"" + path + "\" alias bgm"; }

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Counts what the device takes: every buffer, and those with sound in them.
class Listener {
 public:
  std::function<void(const float*, int)> Tap() {
    return [this](const float* frames, int count) {
      float peak = 0;
      for (int i = 0; i < count * 2; ++i) peak = std::max(peak, std::abs(frames[i]));
      std::lock_guard lock(mutex_);
      ++buffers_;
      if (peak > 0.01f) ++loud_;
      changed_.notify_all();
    };
  }

  // Waits for that many more buffers (of any kind, or loud ones); false if the
  // device stops taking them. The deadline only guards against a hang.
  bool WaitForBuffers(int more, bool loud = false) {
    std::unique_lock lock(mutex_);
    const int target = (loud ? loud_ : buffers_) + more;
    return changed_.wait_for(lock, std::chrono::seconds(30),
                             [&] { return (loud ? loud_ : buffers_) >= target; });
  }
  int loud() {
    std::lock_guard lock(mutex_);
    return loud_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int buffers_ = 0;
  int loud_ = 0;
};

platform::SdlSoundSystem::Options DummyDevice(Listener& listener) {
  platform::SdlSoundSystem::Options options;
  options.audio_driver = "dummy";
  options.tap = listener.Tap();
  return options;
}

TEST(SoundSystemTest, TheMusicSoundsThroughTheDeviceUntilTheNextPress) {
  Listener listener;
  platform::SdlSoundSystem sound(DummyDevice(listener));
  sound.StartInBackground();
  sound.WaitUntilStarted();
  EXPECT_EQ(sound.output(), Output::Dummy);
  EXPECT_TRUE(sound.music_ready());

  platform::MediaCommands media(sound, sound);
  EXPECT_NE(media.SendCommand("stop bgm"), error::kNone);
  EXPECT_NE(media.SendCommand("close bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand(OpenCommand(sound_checks::kMusicFile)), error::kNone);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  EXPECT_TRUE(listener.WaitForBuffers(3, /*loud=*/true));

  EXPECT_EQ(media.SendCommand("stop bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("close bgm"), error::kNone);
  // A buffer rendered just before the stop may still be on its way.
  ASSERT_TRUE(listener.WaitForBuffers(2));
  const int loud = listener.loud();
  ASSERT_TRUE(listener.WaitForBuffers(5));
  EXPECT_EQ(listener.loud(), loud);
}

TEST(SoundSystemTest, TheStartSignalSoundsThroughTheDevice) {
  Listener listener;
  platform::SdlSoundSystem sound(DummyDevice(listener));
  sound.StartInBackground();
  sound.WaitUntilStarted();
  platform::MediaCommands media(sound, sound);
  ASSERT_TRUE(listener.WaitForBuffers(3));
  EXPECT_EQ(listener.loud(), 0);
  EXPECT_TRUE(media.PlayWave(sound_checks::kSoundFile));
  EXPECT_TRUE(listener.WaitForBuffers(3, /*loud=*/true));
}

TEST(SoundSystemTest, TheMusicStopsAndTheNextRaceOpensItAgain) {
  Listener listener;
  platform::SdlSoundSystem sound(DummyDevice(listener));
  sound.StartInBackground();
  sound.WaitUntilStarted();
  platform::MediaCommands media(sound, sound);
  for (int race = 0; race < 3; ++race) {
    media.SendCommand("stop bgm");
    media.SendCommand("close bgm");
    ASSERT_EQ(media.SendCommand(OpenCommand(sound_checks::kMusicFile)), error::kNone) << race;
    ASSERT_EQ(media.SendCommand("play bgm"), error::kNone) << race;
    EXPECT_TRUE(sound.mixer().SongPlaying()) << race;
  }
  media.SendCommand("stop bgm");
  EXPECT_FALSE(sound.mixer().SongPlaying());
}

TEST(SoundSystemTest, WithNoDeviceTheDummyDriverTakesTheSound) {
  Listener listener;
  platform::SdlSoundSystem::Options options = DummyDevice(listener);
  options.audio_driver = "no-such-driver";
  platform::SdlSoundSystem sound(options);
  sound.StartInBackground();
  sound.WaitUntilStarted();
  EXPECT_EQ(sound.output(), Output::Dummy);
  EXPECT_TRUE(listener.WaitForBuffers(2));
}

TEST(SoundSystemTest, WithoutAnyOutputEverythingStillAnswers) {
  platform::SdlSoundSystem::Options options;
  options.audio_driver = "no-such-driver";
  options.dummy_fallback = false;
  platform::SdlSoundSystem sound(options);
  sound.StartInBackground();
  sound.WaitUntilStarted();
  EXPECT_EQ(sound.output(), Output::None);

  platform::MediaCommands media(sound, sound);
  EXPECT_EQ(media.SendCommand(OpenCommand(sound_checks::kMusicFile)), error::kNone);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  EXPECT_TRUE(media.PlayWave(sound_checks::kSoundFile));
  EXPECT_EQ(media.SendCommand("stop bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("close bgm"), error::kNone);
}

TEST(SoundSystemTest, WithoutASoundFontTheMusicIsSilentAndTheSignalStillSounds) {
  Listener listener;
  platform::SdlSoundSystem::Options options = DummyDevice(listener);
  options.soundfonts = {"/nonexistent/none.sf2"};
  platform::SdlSoundSystem sound(options);
  sound.StartInBackground();
  sound.WaitUntilStarted();
  EXPECT_FALSE(sound.music_ready());

  platform::MediaCommands media(sound, sound);
  EXPECT_EQ(media.SendCommand(OpenCommand(sound_checks::kMusicFile)), error::kNone);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  ASSERT_TRUE(listener.WaitForBuffers(10));
  EXPECT_EQ(listener.loud(), 0);
  EXPECT_TRUE(media.PlayWave(sound_checks::kSoundFile));
  EXPECT_TRUE(listener.WaitForBuffers(1, /*loud=*/true));
}

TEST(SoundSystemTest, EndingWhileTheMusicPlaysIsClean) {
  for (int run = 0; run < 3; ++run) {
    Listener listener;
    platform::SdlSoundSystem sound(DummyDevice(listener));
    sound.StartInBackground();
    platform::MediaCommands media(sound, sound);
    media.SendCommand(OpenCommand(sound_checks::kMusicFile));
    media.SendCommand("play bgm");
    media.PlayWave(sound_checks::kSoundFile);
    // Both end here, the song open and playing, the font perhaps still loading.
  }
  SUCCEED();
}

TEST(SoundSystemTest, ASystemNeverStartedEndsCleanly) {
  platform::SdlSoundSystem sound;
  sound.WaitUntilStarted();
  EXPECT_EQ(sound.output(), Output::NotStarted);
}

TEST(SoundSystemTest, NothingStartsBeforeTheFirstSoundAndThatStartsIt) {
  Listener listener;
  platform::SdlSoundSystem sound(DummyDevice(listener));
  platform::MediaCommands media(sound, sound);
  media.SendCommand("stop bgm");
  media.SendCommand("close bgm");
  EXPECT_EQ(sound.output(), Output::NotStarted);
  EXPECT_EQ(media.SendCommand(OpenCommand(sound_checks::kMusicFile)), error::kNone);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  sound.WaitUntilStarted();
  EXPECT_EQ(sound.output(), Output::Dummy);
  EXPECT_TRUE(listener.WaitForBuffers(3, /*loud=*/true));
}

TEST(SoundSystemTest, AnIdleDeviceClosesAndTheNextSoundOpensItAgain) {
  Listener listener;
  platform::SdlSoundSystem::Options options = DummyDevice(listener);
  options.idle_close = std::chrono::milliseconds(100);
  platform::SdlSoundSystem sound(options);
  platform::MediaCommands media(sound, sound);
  EXPECT_TRUE(media.PlayWave(sound_checks::kSoundFile));
  sound.WaitUntilStarted();
  EXPECT_TRUE(sound.device_open());
  EXPECT_TRUE(listener.WaitForBuffers(3, /*loud=*/true));
  // The signal lasts under a second; then nothing plays and the device goes.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (sound.device_open() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(sound.device_open());
  const int loud = listener.loud();
  EXPECT_TRUE(media.PlayWave(sound_checks::kSoundFile));
  EXPECT_TRUE(listener.WaitForBuffers(3, /*loud=*/true));
  EXPECT_GT(listener.loud(), loud);
  EXPECT_TRUE(sound.device_open());
}

// Files the players must turn away, each with silence and nothing else.
class JunkFileTest : public ::testing::Test {
 protected:
  // A wave header with the given fields and `data_bytes` of zero samples.
  static std::string Wave(int channels, int rate, int bits, std::size_t data_bytes) {
    auto word = [](std::uint32_t value, int size) {
      std::string bytes;
      for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
      return bytes;
    };
    const auto block = static_cast<std::uint32_t>(channels * bits / 8);
    return "RIFF" + word(static_cast<std::uint32_t>(36 + data_bytes), 4) + "WAVEfmt " + word(16, 4) + word(1, 2) +
           word(static_cast<std::uint32_t>(channels), 2) + word(static_cast<std::uint32_t>(rate), 4) +
           word(static_cast<std::uint32_t>(rate) * block, 4) + word(block, 2) + word(static_cast<std::uint32_t>(bits), 2) +
           "data" + word(static_cast<std::uint32_t>(data_bytes), 4) + std::string(data_bytes, '\0');
  }

  sound_checks::ScratchDirectory scratch;
  platform::SdlSoundSystem sound;
};

TEST_F(JunkFileTest, NoSongOpensFromThem) {
  const std::string tune = FileBytes(sound_checks::kMusicFile);
  ASSERT_FALSE(tune.empty());
  const std::vector<std::string> junk = {
      scratch.path() + "/missing.mid",
      scratch.path(),
      scratch.Write("empty.mid", ""),
      scratch.Write("text.mid", "open bgm.mid alias bgm\n"),
      scratch.Write("magic-only.mid", "MThd"),
      scratch.Write("magic-and-junk.mid", "MThd" + std::string(200, '\xff')),
      scratch.Write("cut.mid", tune.substr(0, tune.size() / 2)),
      scratch.Write("wave.mid", FileBytes(sound_checks::kSoundFile)),
      scratch.Write("huge.mid", tune + std::string(platform::SdlSoundSystem::kMaxMidiBytes, '\0')),
  };
  for (const std::string& path : junk) EXPECT_FALSE(sound.Open(path)) << path;
  EXPECT_TRUE(sound.Open(scratch.Write("copy.mid", tune)));
}

TEST_F(JunkFileTest, NoWavePlaysFromThem) {
  const std::vector<std::string> junk = {
      scratch.path() + "/missing.wav",
      scratch.path(),
      scratch.Write("empty.wav", ""),
      scratch.Write("text.wav", "pi pi pi poon\n"),
      scratch.Write("riff-only.wav", "RIFF"),
      scratch.Write("riff-junk.wav", "RIFF\x10\0\0\0WAVEjunkjunkjunk"),
      scratch.Write("no-channels.wav", Wave(0, 44100, 16, 1000)),
      scratch.Write("no-rate.wav", Wave(1, 0, 16, 1000)),
      scratch.Write("odd-bits.wav", Wave(1, 44100, 13, 1000)),
      scratch.Write("tune.wav", FileBytes(sound_checks::kMusicFile)),
      scratch.Write("too-long.wav", Wave(1, 8000, 8, 8000 * 31)),
  };
  for (const std::string& path : junk) EXPECT_FALSE(sound.PlayWave(path)) << path;
  EXPECT_TRUE(sound.PlayWave(scratch.Write("short.wav", Wave(1, 8000, 8, 8000))));
}

}  // namespace

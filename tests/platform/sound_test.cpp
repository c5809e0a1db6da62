// The real music and sound through SDL's dummy driver, or through no device at
// all (neither this machine nor CI has a sound card). Junk files give silence
// and nothing else.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/media_commands.h"
#include "platform/audio/sdl_sound_system.h"

namespace {

using Options = platform::SdlSoundSystem::Options;
using Output = platform::SdlSoundSystem::Output;

const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid",
                  kSignal = std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav";

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A sound system on a device that counts what it takes (every buffer, and
// those with sound in them), and the media commands over it.
struct Heard {
  explicit Heard(const std::function<void(Options&)>& adjust = nullptr) : sound(Device(adjust)), media(sound, sound) {}
  // Waits for that many more buffers (or loud ones); false if the device stops taking them.
  bool Wait(int more, bool of_sound = false) {
    std::unique_lock lock(mutex);
    const int target = (of_sound ? loud : buffers) + more;
    return changed.wait_for(lock, std::chrono::seconds(30), [&] { return (of_sound ? loud : buffers) >= target; });
  }
  int Play(const std::string& path = kTune) {
    return media.SendCommand("open \"" + path + "\" alias bgm") + media.SendCommand("play bgm");
  }
  int StopAndClose() { return media.SendCommand("stop bgm") + media.SendCommand("close bgm"); }
  Options Device(const std::function<void(Options&)>& adjust) {
    Options options;
    options.audio_driver = "dummy";
    options.tap = [this](const float* frames, int count) {
      const std::lock_guard lock(mutex);
      ++buffers;
      loud += std::any_of(frames, frames + count * 2, [](float sample) { return std::abs(sample) > 0.01f; });
      changed.notify_all();
    };
    if (adjust) adjust(options);
    return options;
  }

  std::mutex mutex;
  std::condition_variable changed;
  int buffers = 0, loud = 0;
  platform::SdlSoundSystem sound;
  platform::MediaCommands media;
};

TEST(SoundSystemTest, TheMusicSoundsThroughTheDeviceUntilTheNextPressAndTheEndLeavesNoSdl) {
  {
    Heard heard([](Options& options) { options.idle_close = std::chrono::milliseconds(100); });
    EXPECT_EQ(heard.sound.output(), Output::NotStarted);  // nothing starts before the first sound
    EXPECT_EQ(heard.Play(), 0);
    EXPECT_TRUE(heard.Wait(3, true));
    EXPECT_EQ(heard.StopAndClose(), 0);
    ASSERT_TRUE(heard.Wait(2));  // a buffer rendered before the stop may still be on its way
    const int loud = heard.loud;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (heard.sound.device_open() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));  // silence: the idle device closes
    }
    EXPECT_FALSE(heard.sound.device_open());
    EXPECT_EQ(heard.loud, loud);
    EXPECT_TRUE(heard.media.PlayWave(kSignal));  // and the next sound opens it again
    EXPECT_TRUE(heard.Wait(3, true));
    EXPECT_EQ(heard.Play(), 0);  // it ends here, the song playing
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

// The race music, expected, is rendered ahead and plays from memory without
// a synthesizer, also when the renderer program fails at once or part way
// (the rest is rendered here); any other song brings a synthesizer back.
TEST(SoundSystemTest, TheExpectedSongPlaysRenderedAheadAndAnyOtherStillSounds) {
  const auto scratch = std::filesystem::temp_directory_path() / ("mascot-sound-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  std::string other = Bytes(kTune);
  other[other.find("\xFF\x51\x03") + 5] ^= 1;  // another tempo
  std::ofstream(scratch / "other.mid", std::ios::binary)
      .write(other.data(), static_cast<std::streamsize>(other.size()));
  const std::string cut_short = std::string("\"") + MASCOT_RENDERER + "\" \"$@\" | head -c 100000; exit 1";
  for (const std::string& failing :
       {std::string(), std::string("printf R; exit 1"), std::string("printf R; head -c 65536 /dev/zero; exit 1"), cut_short}) {
    std::ofstream(scratch / "renderer") << "#!/bin/sh\n" << failing << "\n";
    std::filesystem::permissions(scratch / "renderer", std::filesystem::perms::owner_all);
    Heard heard([&](Options& options) {
      if (!failing.empty()) options.renderer = scratch / "renderer";
    });
    heard.sound.ExpectSong(kTune);  // rendered ahead from the start
    heard.sound.StartInBackground();
    heard.sound.WaitUntilStarted();
    EXPECT_TRUE(heard.sound.music_ready() && !heard.sound.mixer().has_synth()) << failing;
    EXPECT_EQ(heard.Play(), 0);
    EXPECT_TRUE(heard.Wait(80, true)) << failing;  // some 2 s: past where a renderer cut short stopped
    EXPECT_EQ(heard.StopAndClose(), 0);
    ASSERT_TRUE(heard.Wait(2));  // the last buffers of the one before
    EXPECT_EQ(heard.Play(scratch / "other.mid"), 0);
    EXPECT_TRUE(heard.Wait(3, true));
    EXPECT_TRUE(heard.sound.mixer().has_synth());
    heard.media.SendCommand("close bgm");
  }
  std::filesystem::remove_all(scratch);
}

TEST(SoundSystemTest, WithoutADeviceOrASoundFontEverythingStillAnswers) {
  for (bool fallback : {true, false}) {
    Heard heard([&](Options& options) {
      options.audio_driver = "no-such-driver";
      options.soundfonts = {"/nonexistent/none.sf2"};
      options.dummy_fallback = fallback;
    });
    EXPECT_EQ(heard.Play(), 0);
    heard.sound.WaitUntilStarted();
    EXPECT_EQ(heard.sound.output(), fallback ? Output::Dummy : Output::None);  // the dummy driver takes the sound
    if (fallback) { EXPECT_TRUE(heard.Wait(10)); }
    EXPECT_EQ(heard.loud, 0);  // no font: the music is silent, the signal still sounds
    EXPECT_TRUE(heard.media.PlayWave(kSignal));
    if (fallback) { EXPECT_TRUE(heard.Wait(1, true)); }
  }
}

TEST(SoundSystemTest, JunkFilesAreTurnedAway) {
  const std::string tune = Bytes(kTune), signal = Bytes(kSignal);
  auto wave = [&](std::size_t at, std::uint16_t value) {  // the start signal with one field of its header changed
    std::string bytes = signal;
    bytes.replace(at, 2, reinterpret_cast<const char*>(&value), 2);
    return bytes;
  };
  const auto scratch = std::filesystem::temp_directory_path() / ("mascot-junk-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  auto file = [&](const std::string& bytes) {
    std::ofstream(scratch / "junk", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return (scratch / "junk").string();
  };
  platform::SdlSoundSystem sound;  // (a broken MIDI file is the reader's, in midi_file_test.cpp)
  for (const std::string& bytes : {signal, tune + std::string(platform::SdlSoundSystem::kMaxMidiBytes, '\0')})
    EXPECT_FALSE(sound.Open(file(bytes))) << bytes.size();
  for (const std::string& bytes : {std::string("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24), wave(22, 0) /* no channels */,
                                   wave(24, 0) /* no rate */, wave(34, 13) /* 13 bits */, tune}) {
    EXPECT_FALSE(sound.PlayWave(file(bytes))) << bytes.size();
  }
  EXPECT_FALSE(platform::SoundFontSynth::Load({file(std::string("RIFF\x10\0\0\0sfbkLIST", 16)), scratch / "none.sf2"}));
  EXPECT_TRUE(sound.Open(file(tune)));
  EXPECT_TRUE(sound.PlayWave(file(signal)));
  ASSERT_EQ(mkfifo((scratch / "pipe").c_str(), 0600), 0);  // a pipe nobody writes to: refused at once
  EXPECT_FALSE(sound.Open((scratch / "pipe").string()) || sound.PlayWave((scratch / "pipe").string()));
  std::filesystem::remove_all(scratch);
}

}  // namespace

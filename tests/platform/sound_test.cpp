// The real music and sound through SDL's dummy driver, or through no device at
// all (neither this machine nor CI has a sound card). Junk files give silence
// and nothing else.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/media_commands.h"
#include "platform/audio/sdl_sound_system.h"

namespace {

using Output = platform::SdlSoundSystem::Output;

const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid",
                  kSignal = std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav";
const std::string kOpen = "open \"" + kTune + "\" alias bgm";

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Counts what the device takes: every buffer, and those with sound in them.
struct Listener {
  std::mutex mutex;
  std::condition_variable changed;
  int buffers = 0, loud = 0;
  // Waits for that many more buffers (or loud ones); false if the device stops taking them.
  bool Wait(int more, bool of_sound = false) {
    std::unique_lock lock(mutex);
    const int target = (of_sound ? loud : buffers) + more;
    return changed.wait_for(lock, std::chrono::seconds(30), [&] { return (of_sound ? loud : buffers) >= target; });
  }
  platform::SdlSoundSystem::Options Device(std::string driver = "dummy") {
    platform::SdlSoundSystem::Options options;
    options.audio_driver = std::move(driver);
    options.tap = [this](const float* frames, int count) {
      const std::lock_guard lock(mutex);
      ++buffers;
      loud += std::any_of(frames, frames + count * 2, [](float sample) { return std::abs(sample) > 0.01f; });
      changed.notify_all();
    };
    return options;
  }
};

TEST(SoundSystemTest, TheMusicSoundsThroughTheDeviceUntilTheNextPressAndTheEndLeavesNoSdl) {
  Listener listener;
  auto options = listener.Device();
  options.idle_close = std::chrono::milliseconds(100);
  {
    platform::SdlSoundSystem sound(options);
    platform::MediaCommands media(sound, sound);
    EXPECT_EQ(sound.output(), Output::NotStarted);  // nothing starts before the first sound
    EXPECT_EQ(media.SendCommand(kOpen) + media.SendCommand("play bgm"), 0);
    EXPECT_TRUE(listener.Wait(3, true));
    EXPECT_EQ(media.SendCommand("stop bgm") + media.SendCommand("close bgm"), 0);
    ASSERT_TRUE(listener.Wait(2));  // a buffer rendered before the stop may still be on its way
    const int loud = listener.loud;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (sound.device_open() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));  // silence: the idle device closes
    }
    EXPECT_FALSE(sound.device_open());
    EXPECT_EQ(listener.loud, loud);
    EXPECT_TRUE(media.PlayWave(kSignal));  // and the next sound opens it again
    EXPECT_TRUE(listener.Wait(3, true));
    EXPECT_EQ(media.SendCommand(kOpen) + media.SendCommand("play bgm"), 0);  // it ends here, the song playing
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

// The race music, expected, is rendered ahead and plays from memory without
// a synthesizer; any other song brings one back.
TEST(SoundSystemTest, TheExpectedSongPlaysRenderedAheadAndAnyOtherStillSounds) {
  Listener listener;
  platform::SdlSoundSystem sound(listener.Device());
  platform::MediaCommands media(sound, sound);
  sound.ExpectSong(kTune);
  sound.StartInBackground();
  sound.WaitUntilStarted();
  EXPECT_TRUE(sound.music_ready() && !sound.mixer().has_synth());
  EXPECT_EQ(media.SendCommand(kOpen) + media.SendCommand("play bgm"), 0);
  EXPECT_TRUE(listener.Wait(3, true));
  EXPECT_EQ(media.SendCommand("stop bgm") + media.SendCommand("close bgm"), 0);

  std::string other = Bytes(kTune);
  other[other.find("\xFF\x51\x03") + 5] ^= 1;  // another tempo
  const auto path = std::filesystem::temp_directory_path() / ("mascot-other-" + std::to_string(getpid()) + ".mid");
  std::ofstream(path, std::ios::binary).write(other.data(), static_cast<std::streamsize>(other.size()));
  ASSERT_TRUE(listener.Wait(2));  // the last buffers of the one before
  EXPECT_EQ(media.SendCommand("open \"" + path.string() + "\" alias bgm") + media.SendCommand("play bgm"), 0);
  EXPECT_TRUE(listener.Wait(3, true));
  EXPECT_TRUE(sound.mixer().has_synth());
  media.SendCommand("close bgm");
  std::filesystem::remove(path);
}

// A renderer program that fails, at once or part way, leaves the rest of the
// race music to a synthesizer here: it still plays rendered ahead.
TEST(SoundSystemTest, ARendererThatFailsLeavesTheRestToThisProcess) {
  const auto script = std::filesystem::temp_directory_path() / ("mascot-renderer-" + std::to_string(getpid()));
  const std::string cut_short = std::string("\"") + MASCOT_RENDERER + "\" \"$@\" | head -c 100000; exit 1";
  for (const std::string& failing : {std::string("printf R; exit 1"), std::string("printf R; head -c 65536 /dev/zero; exit 1"), cut_short}) {
    std::ofstream(script) << "#!/bin/sh\n" << failing << "\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    Listener listener;
    auto options = listener.Device();
    options.renderer = script.string();
    platform::SdlSoundSystem sound(options);
    platform::MediaCommands media(sound, sound);
    sound.ExpectSong(kTune);
    sound.StartInBackground();
    sound.WaitUntilStarted();
    EXPECT_TRUE(sound.music_ready() && !sound.mixer().has_synth()) << failing;
    EXPECT_EQ(media.SendCommand(kOpen) + media.SendCommand("play bgm"), 0);
    EXPECT_TRUE(listener.Wait(80, true)) << failing;  // some 2 s: past where a renderer cut short stopped
    media.SendCommand("close bgm");
  }
  std::filesystem::remove(script);
}

TEST(SoundSystemTest, WithoutADeviceOrASoundFontEverythingStillAnswers) {
  Listener listener;
  auto options = listener.Device("no-such-driver");
  options.soundfonts = {"/nonexistent/none.sf2"};
  for (bool fallback : {true, false}) {
    options.dummy_fallback = fallback;
    listener.loud = 0;
    platform::SdlSoundSystem sound(options);
    platform::MediaCommands media(sound, sound);
    EXPECT_EQ(media.SendCommand(kOpen) + media.SendCommand("play bgm"), 0);
    sound.WaitUntilStarted();
    EXPECT_EQ(sound.output(), fallback ? Output::Dummy : Output::None);  // the dummy driver takes the sound
    if (fallback) { EXPECT_TRUE(listener.Wait(10)); }
    EXPECT_EQ(listener.loud, 0);  // no font: the music is silent, the signal still sounds
    EXPECT_TRUE(media.PlayWave(kSignal));
    if (fallback) { EXPECT_TRUE(listener.Wait(1, true)); }
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
  for (const std::string& bytes : {signal, tune + std::string(platform::SdlSoundSystem::kMaxMidiBytes, '\0')}) {
    EXPECT_FALSE(sound.Open(file(bytes))) << bytes.size();
  }
  for (const std::string& bytes : {std::string("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24), wave(22, 0) /* no channels */,
                                   wave(24, 0) /* no rate */, wave(34, 13) /* 13 bits */, tune}) {
    EXPECT_FALSE(sound.PlayWave(file(bytes))) << bytes.size();
  }
  EXPECT_FALSE(platform::SoundFontSynth::Load({file(std::string("RIFF\x10\0\0\0sfbkLIST", 16)), scratch / "none.sf2"}));
  EXPECT_TRUE(sound.Open(file(tune)));
  EXPECT_TRUE(sound.PlayWave(file(signal)));
  std::filesystem::remove_all(scratch);
}

}  // namespace

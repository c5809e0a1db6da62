// The real music and sound through SDL2_mixer on SDL's dummy driver (neither
// this machine nor CI has a sound card), heard through the mixer's own
// post-mix hook; the race music rendered into a cache of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "sound/mixer_sound_system.h"
#include "sound/media_commands.h"
#include "support/file_bytes.h"

namespace {

namespace fs = std::filesystem;
using Options = sound::MixerSoundSystem::Options;

const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid", kSignal = std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav";
// The start signal lasts 0.94 s: 41 buffers of 1024 frames.
constexpr int kSignalBuffers = 41;

using testing_support::FileBytes;

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct SoundTest : ::testing::Test {
  SoundTest() { fs::create_directories(scratch); }
  ~SoundTest() override { fs::remove_all(scratch); }

  // A sound system on the dummy device, counting the buffers it mixes (and
  // those with sound in them) and what it says.
  std::unique_ptr<sound::MixerSoundSystem> System(const std::function<void(Options&)>& adjust = nullptr) {
    Options options;
    options.cache_directory = (scratch / "cache").string();
    options.audio_driver = "dummy";
    options.idle_close = std::chrono::seconds(30);  // the device plays on: silence is heard as silence
    options.say = [this](const std::string& why) {
      const std::lock_guard lock(mutex);
      said.push_back(why);
    };
    options.tap = [this](const std::int16_t* samples, int count) {
      const std::lock_guard lock(mutex);
      ++buffers;
      loud += std::any_of(samples, samples + count, [](std::int16_t sample) { return std::abs(sample) > 300; });
      changed.notify_all();
    };
    if (adjust) adjust(options);
    return std::make_unique<sound::MixerSoundSystem>(std::move(options));
  }
  // Waits for that many more buffers (or loud ones); false if they do not come.
  bool Wait(int more, bool of_sound = false) {
    std::unique_lock lock(mutex);
    const int target = (of_sound ? loud : buffers) + more;
    return changed.wait_for(lock, std::chrono::seconds(30), [&] { return (of_sound ? loud : buffers) >= target; });
  }
  int Loud() {
    const std::lock_guard lock(mutex);
    return loud;
  }
  std::vector<fs::path> Cached() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(scratch / "cache")) files.push_back(entry.path());
    return files;
  }

  const fs::path scratch = fs::path(testing::TempDir()) / ("mascot-sound-" + std::to_string(getpid()));
  std::mutex mutex;
  std::condition_variable changed;
  int buffers = 0, loud = 0;
  std::vector<std::string> said;
};

// The first race: the start signal sounds at once and the tune once it is
// rendered; a Stop silences it and the idle device closes. A tune stopped
// before its rendering was ready never opens the device.
TEST_F(SoundTest, TheTuneStartsOnceRenderedUntilTheStopAndTheIdleDeviceCloses) {
  for (const bool stopped_at_once : {false, true}) {
    fs::remove_all(scratch / "cache");
    auto sound = System([](Options& options) { options.idle_close = std::chrono::milliseconds(200); });
    sound::MediaCommands media(*sound);
    EXPECT_EQ(media.SendCommand("open \"" + kTune + "\" alias bgm") + media.SendCommand("play bgm"), 0);
    if (stopped_at_once) {
      EXPECT_EQ(media.SendCommand("stop bgm") + media.SendCommand("close bgm"), 0);
    } else {
      EXPECT_TRUE(media.PlayWave(kSignal));
    }
    sound->WaitUntilSettled();
    EXPECT_EQ(sound->renderings_made(), 1);
    if (stopped_at_once) {
      EXPECT_FALSE(sound->device_open());
      continue;
    }
    EXPECT_TRUE(Wait(kSignalBuffers + 20, true));  // past the signal: the tune
    EXPECT_EQ(media.SendCommand("stop bgm") + media.SendCommand("close bgm"), 0);
    ASSERT_TRUE(Wait(3));  // a buffer mixed before the stop may still be on its way
    const int loud_at_stop = Loud();
    for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
         sound->device_open() && std::chrono::steady_clock::now() < deadline;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(sound->device_open());
    EXPECT_EQ(Loud(), loud_at_stop);
  }
  EXPECT_TRUE(said.empty()) << said.front();
}

// Made once and read back from then on; made again when the song, the sound
// font (its path or time) or the settings change, or when the kept file is
// damaged. Older renderings go.
TEST_F(SoundTest, TheRenderingIsKeptAndMadeAgainWhenAnythingItWasMadeFromChanges) {
  const fs::path font = scratch / "font.sf2", tune = scratch / "bgm.mid";
  fs::copy_file(sound::FindSoundFont(sound::DefaultSoundFonts()), font);
  fs::copy_file(kTune, tune);
  auto render = [&](const std::function<void(Options&)>& adjust = nullptr) {
    auto sound = System([&](Options& options) {
      options.rendering.soundfont = font.string();
      if (adjust) adjust(options);
    });
    sound->Prepare(tune);
    sound->WaitUntilSettled();
    EXPECT_EQ(Cached().size(), 1u);
    return sound->renderings_made();
  };
  auto kept = [&] { return Cached().front(); };
  ASSERT_EQ(render(), 1);
  EXPECT_TRUE(sound::IsWholeRendering(kept().string(), 44100));
  const std::string tune_bytes = FileBytes(tune), rendering = FileBytes(kept());
  // The tune as the game has always played it: peaking near -6 dBFS like the
  // signal, then its notes ringing out to the end of the last echo.
  std::vector<std::int16_t> samples((rendering.size() - 44) / 2);
  std::memcpy(samples.data(), rendering.data() + 44, samples.size() * 2);
  const auto level = [](std::int16_t a, std::int16_t b) { return std::abs(a) < std::abs(b); };
  EXPECT_NEAR(std::abs(*std::max_element(samples.begin(), samples.end(), level)), 16384, 4096);
  EXPECT_NEAR(static_cast<double>(samples.size()) / 2 / 44100, 16, 2.5) << "seconds: the tune lasts 13.4";
  EXPECT_LE(std::abs(*std::max_element(samples.end() - 2048, samples.end(), level)), 1);
  const fs::path moved = scratch / "moved.sf2";
  const auto settings = [](auto change) { return [change] { return std::function<void(Options&)>(change); }; };
  const std::vector<std::tuple<std::string, std::function<std::function<void(Options&)>()>, int>> cases = {
      {"nothing", [] { return nullptr; }, 0},
      {"the tune written again the same", [&] { return Write(tune, tune_bytes), nullptr; }, 0},
      {"another tempo", [&] { return Write(tune, std::string(tune_bytes).replace(tune_bytes.find("\xFF\x51\x03") + 5, 1, "\x01")), nullptr; }, 1},
      {"the font's time", [&] { return fs::last_write_time(font, fs::last_write_time(font) - std::chrono::hours(1)), nullptr; }, 1},
      {"a damaged header", [&] { return Write(kept(), std::string(rendering).replace(22, 1, "\x01")), nullptr; }, 1},
      {"a rendering cut short", [&] { return fs::resize_file(kept(), fs::file_size(kept()) - 4), nullptr; }, 1},
      // Each of these on top of the one before.
      {"another gain", settings([](Options& o) { o.rendering.gain = 0.5; }), 1},
      {"the font's path", [&] {
         fs::copy_file(font, moved);
         return [&](Options& o) { o.rendering.gain = 0.5, o.rendering.soundfont = moved.string(); };
       }, 1},
  };
  for (const auto& [what, change, renderings] : cases) EXPECT_EQ(render(change()), renderings) << what;
  EXPECT_TRUE(said.empty()) << said.front();
}

// Each way to silence is said once, however often it is met; the game's
// answers go on. Where the device plays, the start signal sounds and the tune
// does not: the buffers after the signal are quiet.
TEST_F(SoundTest, EachWayToSilenceIsSaidOnceAndSilencesOnlyWhatItConcerns) {
  Write(scratch / "junk.sf2", "RIFF\x10\0\0\0sfbkLIST");
  Write(scratch / "junk.mid", "MThd junk");
  Write(scratch / "junk.wav", "RIFF\x10\0\0\0WAVEjunkjunkjunk");
  Write(scratch / "not-a-directory", "");
  ASSERT_EQ(mkfifo((scratch / "pipe").c_str(), 0600), 0);  // nobody writes to it: never waited on
  struct Case {
    std::string what;
    std::function<void(Options&)> adjust;
    std::string tune = kTune, signal = kSignal;
    std::string said;  // part of the line
    bool signal_sounds = true;
  };
  const std::vector<Case> cases = {
      {"no sound font", [](Options& o) { o.rendering.soundfont.clear(); }, kTune, kSignal, "no General MIDI sound font"},
      {"a broken sound font", [&](Options& o) { o.rendering.soundfont = (scratch / "junk.sf2").string(); }, kTune, kSignal,
       "junk.sf2 would not load"},
      {"a broken tune", nullptr, (scratch / "junk.mid").string(), kSignal, "junk.mid is no MIDI file"},
      {"a pipe for a tune", nullptr, (scratch / "pipe").string(), kSignal, "pipe is no MIDI file"},
      {"nowhere to keep the tune", [&](Options& o) { o.cache_directory = (scratch / "not-a-directory/cache").string(); },
       kTune, kSignal, "cannot be kept"},
      {"a pipe where the tune is kept", [&](Options& o) {
         const std::string tune = FileBytes(kTune);
         o.cache_directory = (scratch / "piped").string();
         fs::create_directories(o.cache_directory);
         mkfifo(sound::RenderingFile(o.cache_directory, {tune.begin(), tune.end()}, o.rendering).c_str(), 0600);
       }, kTune, kSignal, "is not a regular file"},
      {"no start signal", nullptr, kTune, (scratch / "none.wav").string(), "none.wav is missing", false},
      {"a broken start signal", nullptr, kTune, (scratch / "junk.wav").string(), "junk.wav is no wave file", false},
      {"a pipe for a start signal", nullptr, kTune, (scratch / "pipe").string(), "pipe is missing", false},
      {"no sound device", [](Options& o) { o.audio_driver = "no-such-driver"; }, kTune, kSignal,
       "no sound device would open", false},
  };
  for (const Case& test : cases) {
    {
      auto sound = System(test.adjust);
      sound::MediaCommands media(*sound);
      for (int race = 0; race < 2; ++race) {
        media.SendCommand("stop bgm");
        media.SendCommand("close bgm");
        media.SendCommand("open \"" + test.tune + "\" alias bgm");
        media.SendCommand("play bgm");
        media.PlayWave(test.signal);
        sound->WaitUntilSettled();
      }
      const int loud_so_far = Loud();  // the second race's signal has cut the first, however long that race took
      {
        const std::lock_guard lock(mutex);
        ASSERT_EQ(said.size(), 1u) << test.what;
        EXPECT_NE(said.front().find(test.said), std::string::npos) << test.what << ": " << said.front();
        said.clear();
      }
      if (test.signal_sounds) {
        ASSERT_TRUE(Wait(1, true)) << test.what;
        // From there on one signal at most; had the tune sounded, the buffers after it would be loud too.
        ASSERT_TRUE(Wait(kSignalBuffers * 2)) << test.what;
        EXPECT_LE(Loud() - loud_so_far, kSignalBuffers) << test.what;
      } else if (test.what == "no sound device") {
        EXPECT_FALSE(sound->device_open());
      } else {
        EXPECT_TRUE(Wait(3, true)) << test.what;  // the tune alone
      }
    }
    const std::lock_guard lock(mutex);
    loud = buffers = 0;
  }
}

}  // namespace

// The sound system from the sound module, opened at the first call that
// needs it: a game played without music never loads fluidsynth and SDL2, and
// starts without them. Without a module that loads, the game plays silently.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound_system.h"

namespace app {

class SoundModule final : public platform::SoundSystem {
 public:
  // The module files to try, in order (SoundModuleFiles).
  explicit SoundModule(std::vector<std::string> files) : files_(std::move(files)) {}
  ~SoundModule() override;
  SoundModule(const SoundModule&) = delete;
  SoundModule& operator=(const SoundModule&) = delete;

  // Opens the module on a thread of its own (some 60 ms of loading
  // libraries that the window's thread does not wait for) and starts the
  // sound system there.
  void StartInBackground() override;
  // Kept for the sound system, which is told as it starts; later calls are ignored.
  void ExpectSong(const std::string& path) override;
  // These open the module first, or wait for the thread that does.
  std::unique_ptr<platform::Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // Whether the module is open (waiting for one being opened): nothing is
  // loaded before sound is wanted.
  bool loaded();

 private:
  void Load();
  platform::SoundSystem* System();

  std::vector<std::string> files_;
  bool tried_ = false;  // the loader's until it is joined
  std::string expected_song_;  // read by the loader; set before it runs
  std::unique_ptr<platform::SoundSystem> system_;
  std::thread loader_;
};

}  // namespace app

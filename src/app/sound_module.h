// The sound system from the sound module, opened at the first call that
// needs it: a game played without music never loads fluidsynth and SDL2, and
// starts without them. Without a module that loads, the game plays silently.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sound_system.h"

namespace app {

class SoundModule final : public platform::SoundSystem {
 public:
  // The module files to try, in order (SoundModuleFiles).
  explicit SoundModule(std::vector<std::string> files) : files_(std::move(files)) {}

  void StartInBackground() override;
  std::unique_ptr<platform::Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // Whether the module has been opened: nothing is loaded before sound is wanted.
  bool loaded() const { return system_ != nullptr; }

 private:
  platform::SoundSystem* System();

  std::vector<std::string> files_;
  bool tried_ = false;
  std::unique_ptr<platform::SoundSystem> system_;
};

}  // namespace app

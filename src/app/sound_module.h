// The sound system from the sound plugin, loaded at the first call that
// needs it: a game played without music never loads SDL2_mixer and
// fluidsynth, and starts without them. Without a plugin that loads, the game
// plays silently.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sound/sound_system.h"

namespace app {

class SoundModule final : public sound::SoundSystem {
 public:
  // The plugin files to try, in order (SoundModuleFiles).
  explicit SoundModule(std::vector<std::string> files) : files_(std::move(files)) {}

  void Prepare(const std::string& path) override;
  std::unique_ptr<sound::Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // Whether the plugin is loaded: nothing is before sound is wanted.
  bool loaded() const { return system_ != nullptr; }

 private:
  sound::SoundSystem* System();

  std::vector<std::string> files_;
  bool tried_ = false;
  std::unique_ptr<sound::SoundSystem> system_;
};

}  // namespace app

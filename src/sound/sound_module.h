// The sound system from the sound plugin, loaded at the first call that
// needs it: a game played without music never loads SDL2_mixer and
// fluidsynth, and starts without them. Without a plugin that loads, the game
// plays silently.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/plugin_loader.h"
#include "sound/sound_plugin.h"
#include "sound/sound_system.h"

namespace sound {

class SoundModule final : public SoundSystem {
 public:
  // The plugin files to try, in order.
  explicit SoundModule(std::vector<std::string> files);

  void Prepare(const std::string& path) override;
  std::unique_ptr<Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // Whether the plugin is loaded: nothing is before sound is wanted.
  bool loaded() const { return system_.made(); }

 private:
  platform::PluginPart<SoundPlugin, SoundSystem> system_;
};

}  // namespace sound

// The sound plugin's interface: the game loads the plugin when sound is first
// wanted (SoundModule), so SDL2_mixer, fluidsynth and the libraries they
// bring are neither loaded at start-up nor kept by a game played in silence.
// The id carries the game's version, since the plugin shares the game's types
// (the sound system); rename the id when the interface itself changes.
#pragma once

#include <QtPlugin>
#include <memory>

#include "platform/version.h"
#include "sound/sound_system.h"

namespace sound {

class SoundPlugin {
 public:
  virtual ~SoundPlugin() = default;
  virtual std::unique_ptr<SoundSystem> CreateSoundSystem() = 0;
};

}  // namespace sound

#define MASCOT_SOUND_PLUGIN_IID "io.github.komamedo.MascotRace.SoundPlugin/" MASCOT_VERSION
Q_DECLARE_INTERFACE(sound::SoundPlugin, MASCOT_SOUND_PLUGIN_IID)

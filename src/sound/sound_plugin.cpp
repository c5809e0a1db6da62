// The sound plugin: the game loads it when sound is first wanted, so SDL2_mixer,
// fluidsynth and the libraries they bring are neither loaded at start-up nor
// kept by a game played in silence.
#include <QStandardPaths>

#include "app/plugins.h"
#include "sound/mixer_sound_system.h"

namespace sound {

class MixerSoundPlugin final : public QObject, public app::SoundPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MASCOT_SOUND_PLUGIN_IID)
  Q_INTERFACES(app::SoundPlugin)

 public:
  std::unique_ptr<SoundSystem> CreateSoundSystem() override {
    MixerSoundSystem::Options options;
    // $XDG_CACHE_HOME, or ~/.cache when it is not set.
    options.cache_directory =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation).toStdString() + "/mascot-race";
    return std::make_unique<MixerSoundSystem>(std::move(options));
  }
};

}  // namespace sound

#include "sound_plugin.moc"

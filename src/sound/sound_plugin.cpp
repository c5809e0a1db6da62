// The sound plugin: the mixer sound system, its renderings kept in the
// user's cache.
#include "sound/sound_plugin.h"

#include <QObject>
#include <QStandardPaths>

#include "sound/mixer_sound_system.h"

namespace sound {

class MixerSoundPlugin final : public QObject, public SoundPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MASCOT_SOUND_PLUGIN_IID)
  Q_INTERFACES(sound::SoundPlugin)

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

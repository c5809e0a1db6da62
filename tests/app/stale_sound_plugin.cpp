// A sound plugin as an older game built it, when the interface's id carried
// a number of its own rather than the game's version. Were it ever taken for
// the current one, it would abort.
#include <QObject>
#include <QtPlugin>
#include <cstdlib>

class OldSoundPlugin {
 public:
  virtual ~OldSoundPlugin() = default;
  virtual void* CreateSoundSystem() = 0;
};
Q_DECLARE_INTERFACE(OldSoundPlugin, "io.github.komamedo.MascotRace.SoundPlugin/1")

class StaleSoundPlugin final : public QObject, public OldSoundPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "io.github.komamedo.MascotRace.SoundPlugin/1")
  Q_INTERFACES(OldSoundPlugin)

 public:
  void* CreateSoundSystem() override { std::abort(); }
};

#include "stale_sound_plugin.moc"

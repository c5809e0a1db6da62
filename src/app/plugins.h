// The optional parts of the game, built as Qt plugins and loaded when first
// wanted: the sound (SDL2_mixer and fluidsynth) and the statistics window
// (Qt Charts). Each interface carries an id with the game's version: the
// plugins share the game's types (the sound system, the records, the message
// boxes), and a plugin built with another version of them is refused,
// unloaded, with a clear message. Change the id's name whenever an interface
// itself changes.
#pragma once

#include <QObject>
#include <QtPlugin>
#include <memory>
#include <string>
#include <vector>

#include "app/installation.h"
#include "sound/sound_system.h"

class QWidget;
namespace platform {
class MessageBoxes;
}
namespace records {
class RecordsView;
}

namespace app {

class SoundPlugin {
 public:
  virtual ~SoundPlugin() = default;
  virtual std::unique_ptr<sound::SoundSystem> CreateSoundSystem() = 0;
};

class StatisticsPlugin {
 public:
  virtual ~StatisticsPlugin() = default;
  virtual std::unique_ptr<QWidget> CreateStatisticsWindow(records::RecordsView& records,
                                                          platform::MessageBoxes& boxes) = 0;
};

// The first of `files` that is a plugin with this interface id, loaded for
// the program's life; null, with one line on standard error naming every
// file and why it was passed over, when none is. `what` names the part and
// `without` what its absence means ("playing without sound").
QObject* LoadPlugin(const std::vector<std::string>& files, const char* iid, const char* what, const char* without);

template <typename Interface>
Interface* LoadPlugin(const std::vector<std::string>& files, const char* what, const char* without) {
  return qobject_cast<Interface*>(LoadPlugin(files, qobject_interface_iid<Interface*>(), what, without));
}

}  // namespace app

#define MASCOT_SOUND_PLUGIN_IID "io.github.komamedo.MascotRace.SoundPlugin/" MASCOT_VERSION
#define MASCOT_STATISTICS_PLUGIN_IID "io.github.komamedo.MascotRace.StatisticsPlugin/" MASCOT_VERSION
Q_DECLARE_INTERFACE(app::SoundPlugin, MASCOT_SOUND_PLUGIN_IID)
Q_DECLARE_INTERFACE(app::StatisticsPlugin, MASCOT_STATISTICS_PLUGIN_IID)

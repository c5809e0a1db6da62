// The game's sound as the media commands reach it: the music found where a
// package puts it, played by the sound plugin's system, loaded at the first
// call that needs it. A game played without music never loads SDL2_mixer and
// fluidsynth, and starts without them; without a plugin that loads, the game
// plays silently.
//
// The rules ask for bgm.mid and bgm1.wav beside the executable; an installed
// game keeps them in its data directory instead. A file that is there as
// asked is played as asked, so a player's own music beside the executable
// wins, and only a missing one is looked up by the same name in the music
// directories, in order. A file that may not be trusted (TrustedFile) is
// passed over, with one line the first time.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/qt/plugin_loader.h"
#include "sound/sound_plugin.h"
#include "sound/sound_system.h"

namespace sound {

class SoundModule final : public SoundSystem {
 public:
  // The plugin files to try, in order, and the directories where an
  // installed game keeps its music.
  SoundModule(std::vector<std::string> plugin_files, std::vector<std::string> music_directories);

  // The file that stands in for path: path itself when it is there, else the
  // first music directory's file of the same name; nothing when neither is.
  // The one found is given as its real path, to be opened as checked.
  std::optional<std::string> Find(const std::string& path) const;
  // One line on standard error when the music the rules ask for at `path` is
  // found nowhere: said at once, so a package that left the music out shows it.
  void SayIfNowhere(const std::string& path) const;

  // A file found nowhere goes to the sound system as asked, which fails as it
  // always has: silence. One there but not trusted never reaches it.
  void Prepare(const std::string& path) override;
  std::unique_ptr<Song> Open(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  // Whether the plugin is loaded: nothing is before sound is wanted.
  bool loaded() const { return system_.made(); }

 private:
  std::optional<std::string> Resolve(const std::string& path) const;
  std::optional<std::string> Trusted(const std::string& candidate) const;

  platform::PluginPart<SoundPlugin, SoundSystem> system_;
  std::vector<std::string> music_directories_;
  mutable std::set<std::string> looked_at_;  // each file passed over is said once
};

}  // namespace sound

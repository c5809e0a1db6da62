// Finds the music where a package puts it. The rules ask for bgm.mid and
// bgm1.wav beside the executable; an installed game keeps them in its data
// directory instead. This sits between the media commands and the real
// players: a file that is there as asked is played as asked, so a player's own
// music beside the executable wins, and only a missing one is looked up by the
// same name in the fallback directories, in order. A file there that may not
// be trusted (TrustedFile) is passed over, with one line the first time.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sound/sound_system.h"

namespace sound {

class MusicFileFallback final : public SoundSystem {
 public:
  // The sound system must outlive this object.
  MusicFileFallback(SoundSystem& sound, std::vector<std::string> fallback_directories)
      : sound_(sound), fallback_directories_(std::move(fallback_directories)) {}

  // The file that stands in for path: path itself when it is there, else the
  // first fallback directory's file of the same name; nothing when neither
  // is. The one found is given as its real path, to be opened as checked.
  std::optional<std::string> Find(const std::string& path) const;

  // A file found nowhere goes to the player as asked, which fails as it
  // always has: silence. One there but not trusted never reaches the player.
  std::unique_ptr<Song> Open(const std::string& path) override;
  void Prepare(const std::string& path) override;
  bool PlayWave(const std::string& path) override;

  const std::vector<std::string>& fallback_directories() const { return fallback_directories_; }

 private:
  std::optional<std::string> Resolve(const std::string& path) const;
  std::optional<std::string> Trusted(const std::string& candidate) const;

  SoundSystem& sound_;
  std::vector<std::string> fallback_directories_;
  mutable std::set<std::string> looked_at_;  // each file passed over is said once
};

}  // namespace sound

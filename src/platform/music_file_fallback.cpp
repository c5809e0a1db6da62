#include "platform/music_file_fallback.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

// Anything but a directory counts: a file the player cannot read should fail
// in the player, loudly in its own way, not be skipped here in silence.
bool IsThere(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

}  // namespace

std::optional<std::string> MusicFileFallback::Find(const std::string& path) const {
  if (IsThere(path)) return path;
  const fs::path name = fs::path(path).filename();
  if (name.empty()) return std::nullopt;
  for (const std::string& directory : fallback_directories_) {
    if (directory.empty()) continue;
    fs::path candidate = fs::path(directory) / name;
    if (IsThere(candidate)) return candidate.string();
  }
  return std::nullopt;
}

std::unique_ptr<Song> MusicFileFallback::Open(const std::string& path) { return music_.Open(Resolve(path)); }

bool MusicFileFallback::PlayWave(const std::string& path) { return wave_.PlayWave(Resolve(path)); }

}  // namespace platform

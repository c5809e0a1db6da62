#include "sound/music_file_fallback.h"

#include <filesystem>
#include <system_error>

#include "platform/trusted_file.h"

namespace sound {

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

std::optional<std::string> MusicFileFallback::Trusted(const std::string& candidate) const {
  if (!IsThere(candidate)) return std::nullopt;
  return platform::TrustedFile(candidate, looked_at_.insert(candidate).second);
}

std::optional<std::string> MusicFileFallback::Find(const std::string& path) const {
  if (std::optional<std::string> asked = Trusted(path)) return asked;
  const fs::path name = fs::path(path).filename();
  if (name.empty()) return std::nullopt;
  for (const std::string& directory : fallback_directories_) {
    if (directory.empty()) continue;
    if (std::optional<std::string> found = Trusted((fs::path(directory) / name).string())) return found;
  }
  return std::nullopt;
}

std::optional<std::string> MusicFileFallback::Resolve(const std::string& path) const {
  if (std::optional<std::string> found = Find(path)) return found;
  if (IsThere(path)) return std::nullopt;
  return path;
}

std::unique_ptr<Song> MusicFileFallback::Open(const std::string& path) {
  const std::optional<std::string> file = Resolve(path);
  return file ? sound_.Open(*file) : nullptr;
}

void MusicFileFallback::Prepare(const std::string& path) {
  if (const std::optional<std::string> file = Resolve(path)) sound_.Prepare(*file);
}

bool MusicFileFallback::PlayWave(const std::string& path) {
  const std::optional<std::string> file = Resolve(path);
  return file && sound_.PlayWave(*file);
}

}  // namespace sound

#include "sound/sound_module.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/trusted_file.h"

namespace sound {

namespace {

namespace fs = std::filesystem;

// Anything but a directory counts: a file the system cannot read should fail
// there, loudly in its own way, not be skipped here in silence.
bool IsThere(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

}  // namespace

SoundModule::SoundModule(std::vector<std::string> plugin_files, std::vector<std::string> music_directories)
    : system_(std::move(plugin_files), "sound", "playing without sound",
              [](SoundPlugin& plugin) { return plugin.CreateSoundSystem(); }),
      music_directories_(std::move(music_directories)) {}

std::optional<std::string> SoundModule::Trusted(const std::string& candidate) const {
  if (!IsThere(candidate)) return std::nullopt;
  return platform::TrustedFile(candidate, looked_at_.insert(candidate).second);
}

std::optional<std::string> SoundModule::Find(const std::string& path) const {
  if (std::optional<std::string> asked = Trusted(path)) return asked;
  const fs::path name = fs::path(path).filename();
  if (name.empty()) return std::nullopt;
  for (const std::string& directory : music_directories_) {
    if (directory.empty()) continue;
    if (std::optional<std::string> found = Trusted((fs::path(directory) / name).string())) return found;
  }
  return std::nullopt;
}

void SoundModule::SayIfNowhere(const std::string& path) const {
  if (Find(path)) return;
  std::string elsewhere;
  for (const std::string& directory : music_directories_) elsewhere += (elsewhere.empty() ? "" : " or ") + directory;
  const std::size_t slash = path.rfind('/');
  std::fprintf(stderr, "mascot-race: no music found: %s is neither beside the executable (%s) nor in %s\n",
               path.substr(slash + 1).c_str(), path.substr(0, slash).c_str(), elsewhere.c_str());
}

std::optional<std::string> SoundModule::Resolve(const std::string& path) const {
  if (std::optional<std::string> found = Find(path)) return found;
  if (IsThere(path)) return std::nullopt;
  return path;
}

void SoundModule::Prepare(const std::string& path) {
  const std::optional<std::string> file = Resolve(path);
  if (SoundSystem* system = file ? system_.get() : nullptr) system->Prepare(*file);
}

std::unique_ptr<Song> SoundModule::Open(const std::string& path) {
  const std::optional<std::string> file = Resolve(path);
  SoundSystem* system = file ? system_.get() : nullptr;
  return system ? system->Open(*file) : nullptr;
}

bool SoundModule::PlayWave(const std::string& path) {
  const std::optional<std::string> file = Resolve(path);
  SoundSystem* system = file ? system_.get() : nullptr;
  return system && system->PlayWave(*file);
}

}  // namespace sound

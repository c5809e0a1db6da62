#include "app/sound_module.h"

#include <dlfcn.h>

#include <cstdio>

namespace app {

SoundModule::~SoundModule() {
  if (loader_.joinable()) loader_.join();
}

void SoundModule::Load() {
  tried_ = true;
  for (const std::string& file : files_) {
    // Kept open for the program's life: the sound system's threads run its code.
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) continue;
    using Create = platform::SoundSystem* (*)();
    if (const auto create = reinterpret_cast<Create>(dlsym(module, "MascotRaceCreateSoundSystem"))) {
      system_.reset(create());
      if (system_) return;
    }
  }
  std::string tried;
  for (const std::string& file : files_) tried += (tried.empty() ? "" : ", ") + file;
  std::fprintf(stderr, "mascot-race: no sound module would load (%s); playing without sound\n", tried.c_str());
}

platform::SoundSystem* SoundModule::System() {
  if (loader_.joinable()) loader_.join();
  if (!tried_) Load();
  return system_.get();
}

bool SoundModule::loaded() {
  if (loader_.joinable()) loader_.join();
  return system_ != nullptr;
}

void SoundModule::StartInBackground() {
  if (loader_.joinable() || tried_) return;  // tried_ is read only once no loader runs
  loader_ = std::thread([this] {
    Load();
    if (!system_) return;
    system_->ExpectSong(expected_song_);
    system_->StartInBackground();
  });
}

void SoundModule::ExpectSong(const std::string& path) {
  // The sound system reads it as it starts: once the loader is off, it is too late.
  if (loader_.joinable() || tried_) return;
  expected_song_ = path;
}

std::unique_ptr<platform::Song> SoundModule::Open(const std::string& path) {
  platform::SoundSystem* system = System();
  return system ? system->Open(path) : nullptr;
}

bool SoundModule::PlayWave(const std::string& path) {
  platform::SoundSystem* system = System();
  return system && system->PlayWave(path);
}

}  // namespace app

#include "app/sound_module.h"

#include <dlfcn.h>

#include <cstdio>

namespace app {

platform::SoundSystem* SoundModule::System() {
  if (tried_) return system_.get();
  tried_ = true;
  for (const std::string& file : files_) {
    // Kept open for the program's life: the sound system's threads run its code.
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) continue;
    using Create = platform::SoundSystem* (*)();
    if (const auto create = reinterpret_cast<Create>(dlsym(module, "MascotRaceCreateSoundSystem"))) {
      system_.reset(create());
      if (system_) return system_.get();
    }
  }
  std::string tried;
  for (const std::string& file : files_) tried += (tried.empty() ? "" : ", ") + file;
  std::fprintf(stderr, "mascot-race: no sound module would load (%s); playing without sound\n", tried.c_str());
  return nullptr;
}

void SoundModule::StartInBackground() {
  if (platform::SoundSystem* system = System()) system->StartInBackground();
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

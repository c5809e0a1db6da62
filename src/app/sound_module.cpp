#include "app/sound_module.h"

#include "app/plugins.h"

namespace app {

sound::SoundSystem* SoundModule::System() {
  if (!tried_) {
    tried_ = true;
    if (auto* plugin = LoadPlugin<SoundPlugin>(files_, "sound", "playing without sound")) {
      system_ = plugin->CreateSoundSystem();
    }
  }
  return system_.get();
}

void SoundModule::Prepare(const std::string& path) {
  if (sound::SoundSystem* system = System()) system->Prepare(path);
}

std::unique_ptr<sound::Song> SoundModule::Open(const std::string& path) {
  sound::SoundSystem* system = System();
  return system ? system->Open(path) : nullptr;
}

bool SoundModule::PlayWave(const std::string& path) {
  sound::SoundSystem* system = System();
  return system && system->PlayWave(path);
}

}  // namespace app

#include "sound/sound_module.h"

namespace sound {

SoundModule::SoundModule(std::vector<std::string> files)
    : system_(std::move(files), "sound", "playing without sound",
              [](SoundPlugin& plugin) { return plugin.CreateSoundSystem(); }) {}

void SoundModule::Prepare(const std::string& path) {
  if (SoundSystem* system = system_.get()) system->Prepare(path);
}

std::unique_ptr<Song> SoundModule::Open(const std::string& path) {
  SoundSystem* system = system_.get();
  return system ? system->Open(path) : nullptr;
}

bool SoundModule::PlayWave(const std::string& path) {
  SoundSystem* system = system_.get();
  return system && system->PlayWave(path);
}

}  // namespace sound

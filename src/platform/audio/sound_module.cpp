// The sound module's entry point: the game opens the module when sound is
// first wanted, so its libraries (fluidsynth, SDL2 and theirs) are neither
// loaded at start-up nor kept by a game played in silence.
#include "platform/audio/sdl_sound_system.h"
#include "platform/sound_system.h"

platform::SoundSystem* MascotRaceCreateSoundSystem() {
  return new platform::SdlSoundSystem();
}

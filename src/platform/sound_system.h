// The game's music and sound as a whole: a music player and a wave player.
// The real one (SDL2_mixer, with the race music rendered by fluidsynth) is a
// plugin the game loads when sound is first wanted.
#pragma once

#include "platform/media_backend.h"

namespace platform {

class SoundSystem : public MusicPlayer, public WavePlayer {};

}  // namespace platform

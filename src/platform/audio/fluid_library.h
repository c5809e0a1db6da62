// fluidsynth, opened while a synthesizer needs it. Once the race music is
// rendered nothing in the game uses it until another song, and closing it
// takes a dozen libraries it brings (JACK, readline, a database) out of the
// process with it. Linked into the app only.
#pragma once

#include <fluidsynth.h>

#include <memory>

namespace platform {

// Every fluidsynth function the game calls.
#define MASCOT_FLUID_FUNCTIONS(X)                                                                     \
  X(fluid_set_log_function) X(new_fluid_settings) X(delete_fluid_settings) X(fluid_settings_setnum)   \
  X(fluid_settings_setint) X(fluid_settings_setstr) X(new_fluid_synth) X(delete_fluid_synth)          \
  X(new_fluid_defsfloader) X(fluid_sfloader_set_callbacks) X(fluid_synth_add_sfloader)                \
  X(fluid_synth_sfload) X(fluid_synth_sfunload) X(new_fluid_player) X(delete_fluid_player)            \
  X(fluid_player_add_mem) X(fluid_player_play) X(fluid_player_stop) X(fluid_player_get_status)        \
  X(fluid_synth_write_float) X(fluid_synth_get_polyphony) X(fluid_synth_get_voicelist)                \
  X(fluid_voice_gen_set) X(fluid_voice_update_param) X(fluid_synth_system_reset)

class FluidLibrary {
 public:
  // The library, opened unless something holds it open already, with its
  // messages silenced; null when it will not load. Closed when the last
  // holder lets it go.
  static std::shared_ptr<const FluidLibrary> Open();
  ~FluidLibrary();
  FluidLibrary(const FluidLibrary&) = delete;
  FluidLibrary& operator=(const FluidLibrary&) = delete;

#define MASCOT_FLUID_MEMBER(name) decltype(&::name) name = nullptr;
  MASCOT_FLUID_FUNCTIONS(MASCOT_FLUID_MEMBER)
#undef MASCOT_FLUID_MEMBER

 private:
  FluidLibrary() = default;
  void* handle_ = nullptr;
};

// Whether fluidsynth is in the process now (for the tests).
bool FluidLibraryLoaded();

}  // namespace platform

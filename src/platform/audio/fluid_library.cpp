#include "platform/audio/fluid_library.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <mutex>

namespace platform {

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The leak checker cannot name what a closed library allocated and kept (its
// dependencies' constructors keep a few bytes for good): a sanitized build
// keeps fluidsynth loaded.
constexpr int kClosing = RTLD_NODELETE;
#else
constexpr int kClosing = 0;
#endif

std::mutex open_mutex;
std::weak_ptr<const FluidLibrary> open_library;

// A library that registers GLib object types must stay: GLib cannot take a
// type back, and loaded again it would register them twice. fluidsynth
// brings one in for its DLS loader.
void KeepTypeRegisteringLibraries(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0) return;
  while (map && map->l_prev) map = map->l_prev;
  for (; map; map = map->l_next) {
    if (map->l_name && std::strstr(map->l_name, "/libinstpatch")) {
      // Marks the loaded library never to be closed; the count it adds is never given back.
      dlopen(map->l_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
  }
}

}  // namespace

std::shared_ptr<const FluidLibrary> FluidLibrary::Open() {
  std::lock_guard lock(open_mutex);
  if (std::shared_ptr<const FluidLibrary> library = open_library.lock()) return library;
  void* handle = dlopen(MASCOT_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL | kClosing);
  if (!handle) return nullptr;
  std::shared_ptr<FluidLibrary> library(new FluidLibrary);
  library->handle_ = handle;
  bool complete = true;
#define MASCOT_FLUID_FIND(name)                                                 \
  library->name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
  complete = complete && library->name;
  MASCOT_FLUID_FUNCTIONS(MASCOT_FLUID_FIND)
#undef MASCOT_FLUID_FIND
  if (!complete) return nullptr;
  KeepTypeRegisteringLibraries(handle);
  // The game says nothing about sound: a missing font or a bad file only
  // means silence, so the library's own messages are not wanted either.
  for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    library->fluid_set_log_function(level, nullptr, nullptr);
  }
  open_library = library;
  return library;
}

FluidLibrary::~FluidLibrary() {
  if (handle_) dlclose(handle_);
}

bool FluidLibraryLoaded() {
  void* handle = dlopen(MASCOT_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

}  // namespace platform

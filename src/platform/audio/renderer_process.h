// The song renderer (mascot-race-renderer) at work on one song in a process
// of its own, read through a pipe. Linked into the app only.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/synth_mixer.h"

namespace platform {

class RendererProcess {
 public:
  RendererProcess() = default;
  // Ends a renderer still at work and waits for it.
  ~RendererProcess();
  RendererProcess(const RendererProcess&) = delete;
  RendererProcess& operator=(const RendererProcess&) = delete;

  // Starts the program on the song and waits for its word that a soundfont
  // has loaded. False, with nothing left running, when it does not start or
  // finds no soundfont.
  bool Start(const std::string& program, const std::vector<std::string>& soundfonts,
             const std::vector<std::uint8_t>& midi, std::size_t frames);
  // Adds the frames it renders to the rendering until it ends; true when it
  // rendered the song to its end.
  bool ReadInto(SongRendering& rendering);
  // Ends it at once, from any thread.
  void Cancel();

 private:
  // Closes the pipe and waits for the process; true when it exited well.
  bool Reap();

  std::mutex mutex_;
  pid_t pid_ = 0;
  int output_ = -1;
};

}  // namespace platform

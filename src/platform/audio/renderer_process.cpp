#include "platform/audio/renderer_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

extern char** environ;

namespace platform {

namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(std::int16_t);

// Reads what is there, up to `size` bytes, past interruptions; 0 at the end.
ssize_t ReadSome(int fd, void* into, std::size_t size) {
  ssize_t got;
  do {
    got = read(fd, into, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

// The song as a file in memory, for the renderer's standard input: it cannot
// block or break the way a pipe written to could.
int SongFile(const std::vector<std::uint8_t>& midi) {
  const int fd = memfd_create("mascot-race-song", MFD_CLOEXEC);
  if (fd < 0) return -1;
  std::size_t done = 0;
  while (done < midi.size()) {
    const ssize_t written = write(fd, midi.data() + done, midi.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;
    done += static_cast<std::size_t>(written);
  }
  if (done != midi.size() || lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

RendererProcess::~RendererProcess() {
  Cancel();
  Reap();
}

bool RendererProcess::Start(const std::string& program, const std::vector<std::string>& soundfonts,
                            const std::vector<std::uint8_t>& midi, std::size_t frames) {
  if (program.empty() || access(program.c_str(), X_OK) != 0) return false;
  const int song = SongFile(midi);
  if (song < 0) return false;
  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
    close(song);
    return false;
  }
  std::vector<std::string> arguments{program, std::to_string(frames)};
  arguments.insert(arguments.end(), soundfonts.begin(), soundfonts.end());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, song, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(song);
  close(pipe_ends[1]);
  {
    std::lock_guard lock(mutex_);
    pid_ = spawned == 0 ? pid : 0;
    output_ = pipe_ends[0];
  }
  char word = 0;
  if (spawned == 0 && ReadSome(output_, &word, 1) == 1 && word == 'R') return true;
  Cancel();
  Reap();
  return false;
}

bool RendererProcess::ReadInto(SongRendering& rendering) {
  if (output_ < 0) return false;
  // A read may end inside a frame; its first bytes wait for the rest.
  std::vector<std::uint8_t> bytes(SoundFontSynth::kPeriodFrames * kFrameBytes);
  std::vector<std::int16_t> samples(SoundFontSynth::kPeriodFrames * 2);
  std::size_t held = 0;
  for (;;) {
    const ssize_t got = ReadSome(output_, bytes.data() + held, bytes.size() - held);
    if (got <= 0) break;
    held += static_cast<std::size_t>(got);
    const std::size_t frames = held / kFrameBytes;
    std::memcpy(samples.data(), bytes.data(), frames * kFrameBytes);
    rendering.Append(samples.data(), frames);
    std::memmove(bytes.data(), bytes.data() + frames * kFrameBytes, held - frames * kFrameBytes);
    held -= frames * kFrameBytes;
  }
  return Reap() && held == 0;
}

void RendererProcess::Cancel() {
  std::lock_guard lock(mutex_);
  if (pid_ > 0) kill(pid_, SIGKILL);
}

bool RendererProcess::Reap() {
  pid_t pid = 0;
  {
    // Until it is waited for, the process keeps its number: Cancel cannot reach another.
    std::lock_guard lock(mutex_);
    pid = std::exchange(pid_, 0);
    if (output_ >= 0) close(output_);
    output_ = -1;
  }
  if (pid <= 0) return false;
  int status = 0;
  pid_t waited;
  do {
    waited = waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  // Not waited for (children reaped elsewhere): its end is unknown, so not good.
  return waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform

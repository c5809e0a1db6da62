#include "platform/audio/renderer_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/audio/file_io.h"

extern char** environ;

namespace platform {

namespace {

// A piece is a block of 4096 frames, a few more bytes when stored as they
// are; the bounds only keep a broken renderer from asking for anything.
constexpr std::uint32_t kMostPieceFrames = 1 << 16;
constexpr std::uint32_t kMostPieceBytes = 1 << 20;

// The song as a file in memory, for the renderer's standard input: it cannot
// block or break the way a pipe written to could.
int SongFile(const std::vector<std::uint8_t>& midi) {
  const int fd = memfd_create("mascot-race-song", MFD_CLOEXEC);
  if (fd < 0) return -1;
  if (!WriteFully(fd, midi.data(), midi.size()) || lseek(fd, 0, SEEK_SET) != 0) {
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
  if (spawned == 0 && ReadFully(output_, &word, 1) == 1 && word == 'R') return true;
  Cancel();
  Reap();
  return false;
}

bool RendererProcess::ReadInto(SongRendering& rendering) {
  if (output_ < 0) return false;
  std::vector<std::uint8_t> piece;
  for (;;) {
    std::uint32_t head[2] = {0, 0};  // frames, bytes
    const std::size_t got = ReadFully(output_, head, sizeof head);
    if (got == 0) break;  // the end, between pieces
    const bool sound = got == sizeof head && head[0] <= kMostPieceFrames && head[1] > 0 && head[1] <= kMostPieceBytes;
    if (sound) piece.resize(head[1]);
    if (!sound || ReadFully(output_, piece.data(), piece.size()) != piece.size()) {
      // A piece cut short or out of shape: what came before it stands.
      Cancel();
      Reap();
      return false;
    }
    rendering.AppendEncoded(piece.data(), piece.size(), head[0]);
  }
  return Reap();
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

#include "platform/audio/file_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform {

std::size_t ReadFully(int fd, void* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = read(fd, static_cast<std::uint8_t*>(into) + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

bool WriteFully(int fd, const void* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t written = write(fd, static_cast<const std::uint8_t*>(data) + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace platform

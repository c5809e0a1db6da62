// Whole reads and writes on a file descriptor, carried on past interruptions.
#pragma once

#include <cstddef>

namespace platform {

// Reads until `size` bytes are in or the input ends (or fails); gives how
// many were read.
std::size_t ReadFully(int fd, void* into, std::size_t size);
// Writes all `size` bytes; false when the output fails first.
bool WriteFully(int fd, const void* data, std::size_t size);

}  // namespace platform

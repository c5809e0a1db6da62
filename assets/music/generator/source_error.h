// A mistake in a music source file, with the line it stands on.
#pragma once

#include <stdexcept>
#include <string>

namespace music {

struct SourceError : std::runtime_error {
  SourceError(int line, const std::string& message)
      : std::runtime_error(message), line(line) {}
  int line;
};

}  // namespace music

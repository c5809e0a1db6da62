// Where an installed game keeps the files it looks for beside its executable.
#pragma once

#include <string>
#include <vector>

namespace app {

// The data directory as reached from the executable's own directory first, so
// that a tree installed or unpacked anywhere uses its own files, then the one
// this build installs to. Each directory is named once.
std::vector<std::string> DataDirectories(const std::string& executable_directory);

}  // namespace app

// Where an installed game keeps the files it looks for beside its executable.
#pragma once

#include <string>
#include <vector>

namespace app {

// The data directory as reached from the executable's own directory first, so
// that a tree installed or unpacked anywhere uses its own files, then the one
// this build installs to. Each directory is named once.
std::vector<std::string> DataDirectories(const std::string& executable_directory);

// The sound module, in the order to try: beside the executable (a build
// tree), then its installed directory reached from the executable, then the
// one this build installs to. Each file is named once.
std::vector<std::string> SoundModuleFiles(const std::string& executable_directory);

}  // namespace app

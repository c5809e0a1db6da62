// Where an installed game keeps the files it looks for beside its executable.
#pragma once

#include <string>
#include <vector>

namespace app {

// The directory of the running executable, known before Qt starts; empty
// when the system does not tell.
std::string ExecutableDirectory();

// The data directory as reached from the executable's own directory first, so
// that a tree installed or unpacked anywhere uses its own files, then the one
// this build installs to. Each directory is named once.
std::vector<std::string> DataDirectories(const std::string& executable_directory);
// Where the translations of the game's catalogue are: beside the executable
// (a build tree), then the data directories.
std::vector<std::string> CatalogueDirectories(const std::string& executable_directory);

// A module of the game (a file name), in the order to try: beside the
// executable (a build tree), then its installed directory reached from the
// executable, then the one this build installs to. Each file is named once.
std::vector<std::string> ModuleFiles(const std::string& executable_directory, const std::string& module);
std::vector<std::string> SoundModuleFiles(const std::string& executable_directory);
std::vector<std::string> StatisticsModuleFiles(const std::string& executable_directory);

}  // namespace app

#include "app/installed_data.h"

#include <algorithm>
#include <filesystem>

#include "app/installation.h"

namespace app {

namespace {

namespace fs = std::filesystem;

// Adds the path, made plain, unless it is there already.
void AddOnce(std::vector<std::string>& paths, const fs::path& path) {
  std::string normal = path.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  if (std::find(paths.begin(), paths.end(), normal) == paths.end()) paths.push_back(normal);
}

// A directory this build installs to, as reached from the executable (when
// its directory is known) and as installed.
std::vector<std::string> InstalledDirectory(const std::string& executable_directory, const char* from_executable,
                                            const char* absolute) {
  std::vector<std::string> directories;
  if (!executable_directory.empty()) AddOnce(directories, fs::path(executable_directory) / from_executable);
  AddOnce(directories, absolute);
  return directories;
}

}  // namespace

std::string ExecutableDirectory() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.parent_path().string();
}

std::vector<std::string> CatalogueDirectories(const std::string& executable_directory) {
  std::vector<std::string> directories;
  if (!executable_directory.empty()) AddOnce(directories, executable_directory);
  for (const std::string& directory : DataDirectories(executable_directory)) AddOnce(directories, directory);
  return directories;
}

std::vector<std::string> DataDirectories(const std::string& executable_directory) {
  return InstalledDirectory(executable_directory, installation::kDataDirectoryFromExecutable,
                            installation::kDataDirectory);
}

std::vector<std::string> ModuleFiles(const std::string& executable_directory, const std::string& module) {
  std::vector<std::string> files;
  if (!executable_directory.empty()) AddOnce(files, fs::path(executable_directory) / module);
  for (const std::string& directory : InstalledDirectory(
           executable_directory, installation::kModuleDirectoryFromExecutable, installation::kModuleDirectory)) {
    AddOnce(files, fs::path(directory) / module);
  }
  return files;
}

std::vector<std::string> SoundModuleFiles(const std::string& executable_directory) {
  return ModuleFiles(executable_directory, installation::kSoundModule);
}

std::vector<std::string> StatisticsModuleFiles(const std::string& executable_directory) {
  return ModuleFiles(executable_directory, installation::kStatisticsModule);
}

}  // namespace app

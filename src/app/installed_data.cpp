#include "app/installed_data.h"

#include <algorithm>
#include <filesystem>

#include "app/installation.h"

namespace app {

std::vector<std::string> DataDirectories(const std::string& executable_directory) {
  namespace fs = std::filesystem;
  std::vector<std::string> directories;
  auto add = [&directories](const fs::path& directory) {
    std::string normal = directory.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    if (std::find(directories.begin(), directories.end(), normal) == directories.end()) directories.push_back(normal);
  };
  if (!executable_directory.empty()) add(fs::path(executable_directory) / installation::kDataDirectoryFromExecutable);
  add(installation::kDataDirectory);
  return directories;
}

}  // namespace app

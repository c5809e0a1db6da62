#include "platform/trusted_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

// Why the file at `real_path` may not be trusted, naming the first place on
// the way up that fails; empty when it may.
std::string Distrust(const fs::path& real_path) {
  const uid_t user = geteuid();
  for (fs::path path = real_path;; path = path.parent_path()) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) return path.string() + " cannot be looked at";
    if (status.st_uid != 0 && status.st_uid != user)
      return path.string() + " belongs to another user (" + std::to_string(status.st_uid) + ")";
    const bool sticky_directory = S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX);
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) && !sticky_directory)
      return path.string() + " can be written to by other users";
    if (path == path.parent_path()) return {};
  }
}

}  // namespace

std::optional<std::string> TrustedFile(const std::string& path, bool say) {
  std::error_code error;
  const fs::path real_path = fs::canonical(path, error);
  if (error) return std::nullopt;
  const std::string distrust = Distrust(real_path);
  if (distrust.empty()) return real_path.string();
  if (say) std::fprintf(stderr, "mascot-race: not using %s: %s\n", path.c_str(), distrust.c_str());
  return std::nullopt;
}

}  // namespace platform

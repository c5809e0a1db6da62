// Whether a file the game would run or read as its own (a plugin, the
// catalogue, the music) may be trusted to be what this game's user or the
// system put there, wherever a copy of the game happens to be run from.
//
// The rule: the file and every directory above it, up to "/", belong to root
// or to the user the game runs as, and no one else can write to them (neither
// group nor others; an ACL granting more shows in the group bits). A
// directory with the sticky bit, as /tmp, may be writable by all: there only
// an entry's owner (or root) can remove or rename it, and each entry on the
// way is checked in turn. The rule is applied to the path with its symlinks
// resolved, and that path is the one to open: nothing can be swapped in after
// the check without being root or this user.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The path to open for `path`: its real path, when the file is there and may
// be trusted. Nothing when it is not there; nothing, and one line on standard
// error naming it and why, when it is there but may not be trusted (`say`
// false keeps the line back, for a caller that has said it once).
std::optional<std::string> TrustedFile(const std::string& path, bool say = true);

}  // namespace platform

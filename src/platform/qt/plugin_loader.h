// The one place the game loads its plugins, the optional parts built apart
// (the sound, the statistics window). A plugin is taken only from a file no
// other user can change (TrustedFile), and only when its interface id is the
// one this game asks for: each id carries the game's version, so a plugin of
// another version is refused unloaded, with a clear message. Each interface
// and its id live beside the code that implements them.
#pragma once

#include <QObject>
#include <QtPlugin>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The first of `files` that is a plugin with this interface id, loaded for
// the program's life; null, with one line on standard error naming every
// file and why it was passed over, when none is. `what` names the part and
// `without` what its absence means ("playing without sound").
QObject* LoadPlugin(const std::vector<std::string>& files, const char* iid, const char* what, const char* without);

template <typename Interface>
Interface* LoadPlugin(const std::vector<std::string>& files, const char* what, const char* without) {
  return qobject_cast<Interface*>(LoadPlugin(files, qobject_interface_iid<Interface*>(), what, without));
}

// What an optional part's plugin makes, made at the first call that wants
// it: a game that never wants the part never loads its plugin. The plugin is
// looked for once; without one that loads there is nothing from then on.
template <typename Interface, typename Made>
class PluginPart {
 public:
  using Make = std::function<std::unique_ptr<Made>(Interface&)>;

  // The plugin files to try, in order; `what` and `without` as for LoadPlugin.
  PluginPart(std::vector<std::string> files, const char* what, const char* without, Make make)
      : files_(std::move(files)), what_(what), without_(without), make_(std::move(make)) {}

  Made* get() {
    if (!tried_) {
      tried_ = true;
      if (Interface* plugin = LoadPlugin<Interface>(files_, what_, without_)) made_ = make_(*plugin);
    }
    return made_.get();
  }
  // Whether it is made: nothing is before it is first wanted.
  bool made() const { return made_ != nullptr; }

 private:
  std::vector<std::string> files_;
  const char* what_;
  const char* without_;
  Make make_;
  bool tried_ = false;
  std::unique_ptr<Made> made_;
};

}  // namespace platform

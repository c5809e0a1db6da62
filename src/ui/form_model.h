// A window's controls, built from its definition, and the typed views the
// rules use: single controls by name, control arrays by index.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/numbers.h"
#include "ui/controls.h"
#include "ui/form_definition.h"

namespace ui {

class ControlSet {
 public:
  explicit ControlSet(const FormDefinition& definition);

  const FormDefinition& definition() const { return definition_; }
  // Every control, in the order of the definition.
  const std::vector<std::unique_ptr<Control>>& all() const { return controls_; }

  Control* Find(std::string_view name, int index = -1) const;
  // A control that the rules name must exist with the kind they expect.
  template <typename T>
  T& Get(std::string_view name, int index = -1) const {
    T* control = dynamic_cast<T*>(Find(name, index));
    if (!control) throw std::logic_error("window definition lacks " + std::string(name) + std::to_string(index));
    return *control;
  }
  // Every member of a control array, indexed by its index (holes are null).
  template <typename T>
  std::vector<T*> Members(std::string_view name) const {
    std::vector<T*> members;
    for (const auto& control : controls_) {
      if (control->name() != name || control->index() < 0) continue;
      auto slot = static_cast<std::size_t>(control->index());
      if (members.size() <= slot) members.resize(slot + 1, nullptr);
      members[slot] = dynamic_cast<T*>(control.get());
    }
    return members;
  }

 private:
  const FormDefinition& definition_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<OptionGroup>> option_groups_;
};

// A control array: an index that names no member is an error, as the rules
// expect (a lookup for "no lane" fails and is skipped where errors are).
template <typename T>
class ControlArray {
 public:
  ControlArray(const ControlSet& set, std::string_view name) : members_(set.Members<T>(name)) {}
  T& operator[](int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= members_.size() || !members_[static_cast<std::size_t>(index)]) {
      throw platform::GameError(platform::GameError::Kind::SubscriptOutOfRange, "control array element missing");
    }
    return *members_[static_cast<std::size_t>(index)];
  }
  // The member, or nothing where operator[] would fail: for hot paths that
  // would only skip the failure.
  T* Find(int index) const {
    return static_cast<std::size_t>(index) < members_.size() ? members_[static_cast<std::size_t>(index)] : nullptr;
  }
  int size() const { return static_cast<int>(members_.size()); }

 private:
  std::vector<T*> members_;
};

// A window that is loaded (shown) or unloaded; the view follows it.
class FormModel {
 public:
  enum class Event { Shown, Unloaded };
  explicit FormModel(const FormDefinition& definition);

  const FormDefinition& definition() const { return *definition_; }
  bool loaded() const { return loaded_; }
  // The controls of the window; a load after an unload builds them afresh
  // from the definition.
  ControlSet& controls() const { return *controls_; }

  void Show();
  void Unload();
  void AddObserver(std::function<void(Event)> observer) { observers_.push_back(std::move(observer)); }

 private:
  void Notify(Event event);

  const FormDefinition* definition_;
  std::unique_ptr<ControlSet> controls_;
  bool loaded_ = false;
  bool ever_unloaded_ = false;
  std::vector<std::function<void(Event)>> observers_;
};

}  // namespace ui

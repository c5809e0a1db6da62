#include "ui/form_model.h"

#include <map>

namespace ui {

namespace {

std::unique_ptr<Control> MakeControl(const ControlDefinition& def) {
  switch (def.kind) {
    case ControlKind::Label: return std::make_unique<Label>(def.name, def.index);
    case ControlKind::CommandButton: return std::make_unique<CommandButton>(def.name, def.index);
    case ControlKind::OptionButton: return std::make_unique<OptionButton>(def.name, def.index);
    case ControlKind::CheckBox: return std::make_unique<CheckBox>(def.name, def.index);
    case ControlKind::ScrollBar: return std::make_unique<ScrollBar>(def.name, def.index);
    case ControlKind::Image: return std::make_unique<Image>(def.name, def.index);
    case ControlKind::Line: return std::make_unique<Line>(def.name, def.index);
    case ControlKind::Timer: return std::make_unique<Timer>(def.name, def.index);
    case ControlKind::ImageList: return std::make_unique<ImageList>(def.name, def.index);
    case ControlKind::MenuItem: return std::make_unique<MenuItem>(def.name, def.index);
    case ControlKind::Frame: return std::make_unique<Frame>(def.name, def.index);
  }
  throw std::logic_error("unknown control kind");
}

// Start properties that belong to one kind of control.
void ApplyKindProperties(Control& control, const ControlDefinition& def) {
  if (auto* bar = dynamic_cast<ScrollBar*>(&control)) {
    bar->SetMax(def.max);
    bar->SetMin(def.min);
    bar->SetValue(def.value);
    bar->SetSmallChange(def.small_change);
    bar->SetLargeChange(def.large_change);
  } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    box->SetValue(def.value);
  } else if (auto* image = dynamic_cast<Image*>(&control)) {
    image->SetLeft(def.geometry.left);
    image->SetPicture(def.picture);
  } else if (auto* line = dynamic_cast<Line*>(&control)) {
    line->X1 = def.x1;
    line->Y1 = def.y1;
    line->X2 = def.x2;
    line->Y2 = def.y2;
  } else if (auto* timer = dynamic_cast<Timer*>(&control)) {
    timer->SetInterval(def.interval);
  } else if (auto* list = dynamic_cast<ImageList*>(&control)) {
    for (const auto& picture : def.pictures) list->Add(picture);
  }
}

}  // namespace

ControlSet::ControlSet(const FormDefinition& definition) : definition_(definition) {
  std::map<std::string, OptionGroup*> groups;  // one group per container
  for (const ControlDefinition& def : definition.controls) {
    auto control = MakeControl(def);
    control->geometry = def.geometry;
    control->font = def.font.family.empty() ? definition.font : def.font;
    control->alignment = def.alignment;
    control->boxed = def.boxed;
    control->accessible_name = def.accessible_name;
    control->tab_index = def.tab_index;
    control->shortcut = def.shortcut;
    control->SetCaption(def.caption);
    control->SetVisible(def.visible);
    control->SetEnabled(def.enabled);
    control->SetTag(def.tag);
    control->SetBackColor(def.back_colour);
    control->SetForeColor(def.fore_colour);
    if (!def.container.empty()) {
      Control* frame = Find(def.container);
      if (!frame) throw std::logic_error("container defined after its controls: " + def.container);
      control->set_parent(frame);
      if (def.font.family.empty()) control->font = frame->font;
    }
    ApplyKindProperties(*control, def);
    if (auto* option = dynamic_cast<OptionButton*>(control.get())) {
      OptionGroup*& group = groups[def.container];
      if (!group) {
        option_groups_.push_back(std::make_unique<OptionGroup>());
        group = option_groups_.back().get();
      }
      group->Add(*option);
      if (def.value) option->SetValue(true);
    }
    controls_.push_back(std::move(control));
  }
}

Control* ControlSet::Find(std::string_view name, int index) const {
  for (const auto& control : controls_) {
    if (control->name() == name && control->index() == index) return control.get();
  }
  return nullptr;
}

FormModel::FormModel(const FormDefinition& definition)
    : definition_(&definition), controls_(std::make_unique<ControlSet>(definition)) {}

void FormModel::Show() {
  if (!loaded_) {
    if (ever_unloaded_) controls_ = std::make_unique<ControlSet>(*definition_);
    loaded_ = true;
  }
  Notify(Event::Shown);
}

void FormModel::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  ever_unloaded_ = true;
  Notify(Event::Unloaded);
}

void FormModel::Notify(Event event) {
  for (auto& observer : observers_) observer(event);
}

}  // namespace ui


#include "ui/controls.h"

#include <algorithm>

#include "platform/numbers.h"

namespace ui {

namespace {
[[noreturn]] void ThrowInvalidValue(const char* what) {
  throw platform::GameError(platform::GameError::Kind::InvalidPropertyValue, what);
}
}  // namespace

Control::Control(ControlKind kind, std::string name, int index) : kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::QualifiedName() const { return index_ < 0 ? name_ : name_ + std::to_string(index_); }

void Control::NotifyObservers(Property property) {
  for (auto& listener : observers_) {
    if (!listener.filtered || listener.only == property) listener.observer(*this, property);
  }
}

void Control::SetCaption(platform::Text text) {
  if (text == caption_text_) return;
  caption_text_ = std::move(text);
  caption_written_ = false;
  Notify(Property::Caption);
}

void Control::WriteCaption() const {
  caption_ = platform::Japanese(caption_text_);
  caption_written_ = true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(Property::Visible);
}

void Control::SetTag(std::string tag) {
  if (tag == Tag()) return;
  tag_ = std::move(tag);
  tag_count_ = -1;
  written_count_ = -1;
  Notify(Property::Tag);
}

void Control::CountTagSlowly() {
  if (tag_count_ >= 0 || TakeTagAsCount()) {
    // At the top the sum in double precision stays where it is.
    if (static_cast<std::uint64_t>(tag_count_) < kLargestCount) ++tag_count_;
  } else {
    platform::IncrementText(tag_);
  }
}

void Control::CountTags(std::uint64_t ticks) {
  if (ticks == 0) return;
  // A tag that is not yet a count is counted on as text until it reads as
  // one; a count stays one, and stops at the top.
  for (; ticks > 0 && tag_count_ < 0; --ticks) CountTagSlowly();
  if (ticks > 0) {
    const auto room = kLargestCount - static_cast<std::uint64_t>(tag_count_);
    tag_count_ = static_cast<std::int64_t>(ticks < room ? static_cast<std::uint64_t>(tag_count_) + ticks : kLargestCount);
  }
  Notify(Property::Tag);
}

bool Control::TakeTagAsCount() {
  // Only the texts a count writes: digits without a leading zero, of a
  // number small enough to count on exactly.
  constexpr std::size_t kMostDigits = 16;
  const std::size_t size = tag_.size();
  if (size == 0 || size > kMostDigits || (size > 1 && tag_[0] == '0')) return false;
  std::int64_t count = 0;
  for (char digit : tag_) {
    if (digit < '0' || digit > '9') return false;
    count = count * 10 + (digit - '0');
  }
  if (static_cast<std::uint64_t>(count) > kLargestCount) return false;
  tag_count_ = count;
  written_count_ = count;
  return true;
}

void Control::WriteCountedTag() const {
  tag_ = platform::DecimalText(tag_count_);
  written_count_ = tag_count_;
}

void Control::SetBackColor(Colour colour) {
  if (colour == back_colour_) return;
  back_colour_ = colour;
  Notify(Property::BackColor);
}

void Control::SetForeColor(Colour colour) {
  if (colour == fore_colour_) return;
  fore_colour_ = colour;
  Notify(Property::ForeColor);
}

bool Control::Reachable() const {
  for (const Control* control = this; control != nullptr; control = control->parent()) {
    if (!control->Enabled() || !control->Visible()) return false;
  }
  return true;
}

void Control::RaiseClick() {
  if (on_click) on_click();
}

void OptionGroup::Add(OptionButton& button) {
  buttons_.push_back(&button);
  button.group_ = this;
}

void OptionButton::Clear() {
  if (!value_) return;
  value_ = false;
  Notify(Property::Value);
}

void OptionButton::SetValue(bool value) {
  if (!value) {
    Clear();
    return;
  }
  if (value_) return;
  if (group_) {
    for (OptionButton* other : group_->buttons_) {
      if (other != this) other->Clear();
    }
  }
  value_ = true;
  Notify(Property::Value);
  RaiseClick();
}

void OptionButton::ClickByPlayer() {
  if (value_) {
    RaiseClick();
  } else {
    SetValue(true);
  }
}

void CheckBox::SetValue(int value) {
  if (value < 0 || value > 2) ThrowInvalidValue("check box value");
  if (value == value_) return;
  value_ = value;
  Notify(Property::Value);
}

void CheckBox::ClickByPlayer() {
  SetValue(value_ == 1 ? 0 : 1);
  RaiseClick();
}

int ScrollBar::Clamp(int value) const {
  // The range may run backwards (Max below Min); the value stays between.
  int low = std::min(min_, max_);
  int high = std::max(min_, max_);
  return std::clamp(value, low, high);
}

void ScrollBar::ChangeValue(int value) {
  if (value == value_) return;
  value_ = value;
  Notify(Property::Value);
  if (on_change) on_change();
}

void ScrollBar::SetValue(int value) {
  if (value != Clamp(value)) ThrowInvalidValue("scroll bar value outside its range");
  ChangeValue(value);
}

void ScrollBar::PullValueIn() { ChangeValue(Clamp(value_)); }

void ScrollBar::SetMin(int min) {
  if (min < kLowest || min > kHighest) ThrowInvalidValue("scroll bar minimum");
  if (min == min_) return;
  min_ = min;
  Notify(Property::Min);
  PullValueIn();
}

void ScrollBar::SetMax(int max) {
  if (max < kLowest || max > kHighest) ThrowInvalidValue("scroll bar maximum");
  if (max == max_) return;
  max_ = max;
  Notify(Property::Max);
  PullValueIn();
}

void ScrollBar::SetSmallChange(int step) {
  if (step < 1 || step > kHighest) ThrowInvalidValue("scroll bar small change");
  if (step == small_change_) return;
  small_change_ = step;
  Notify(Property::SmallChange);
}

void ScrollBar::SetLargeChange(int step) {
  if (step < 1 || step > kHighest) ThrowInvalidValue("scroll bar large change");
  if (step == large_change_) return;
  large_change_ = step;
  Notify(Property::LargeChange);
}

void ScrollBar::MoveByPlayer(int value) { ChangeValue(Clamp(value)); }

void ScrollBar::DragByPlayer(int value) {
  if (!dragging_) {
    dragging_ = true;
    value_before_drag_ = value_;
  }
  value = Clamp(value);
  if (value != value_) {
    value_ = value;
    Notify(Property::Value);
  }
  if (on_scroll) on_scroll();
}

void ScrollBar::EndDragByPlayer() {
  if (!dragging_) return;
  dragging_ = false;
  if (value_ != value_before_drag_ && on_change) on_change();
}

void Image::MoveLeftBy(float step, int times) {
  if (Heard(Property::Left)) {
    for (int i = 0; i < times; ++i) SetLeft(Left() - step);
    return;
  }
  // Unheard, the steps need not pass through the property one by one.
  float left = left_;
  for (int i = 0; i < times; ++i) left -= step;
  left_ = left;
}

void Image::SetPicture(std::string picture) {
  if (picture == picture_) return;
  picture_ = std::move(picture);
  Notify(Property::Picture);
}

void Timer::SetInterval(int milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) ThrowInvalidValue("timer interval");
  interval_ = milliseconds;
  // Every assignment matters: it restarts the timer.
  Notify(Property::Interval);
}

const std::string& ImageList::Picture(int n) const {
  if (n < 1 || n > Count()) {
    throw platform::GameError(platform::GameError::Kind::SubscriptOutOfRange, "image list item out of range");
  }
  return pictures_[static_cast<std::size_t>(n - 1)];
}

}  // namespace ui

// The control model: plain objects holding the properties the rules set and
// read back, with the toolkit behaviours the rules rely on built in, so that
// a headless run and the real window behave alike. Observers (the Qt view,
// the scheduler) hear of every property change; the model never knows who.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/text.h"

namespace ui {

enum class ControlKind { Label, CommandButton, OptionButton, CheckBox, ScrollBar, Image, Line, Timer, ImageList, MenuItem, Frame };

enum class Property { Caption, Enabled, Visible, Value, Min, Max, SmallChange, LargeChange, Left, Picture, Interval, Tag, BackColor, ForeColor };

// 24-bit RGB with red in the low byte; system colours are 0x80000000 + index.
using Colour = std::uint32_t;
constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue) { return red | (green << 8) | (blue << 16); }
constexpr Colour SystemColour(unsigned index) { return 0x80000000u | index; }
constexpr bool IsSystemColour(Colour colour) { return (colour & 0x80000000u) != 0; }
// The toolkit's own colour for the kind of control (button face, text).
constexpr Colour kToolkitColour = 0xFFFFFFFFu;
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

enum class Alignment { Left, Right, Centre };

struct Font {
  std::string family;
  double points = 9.75;
  bool bold = false;
};

// Twips: 1/1440 inch, 15 to a pixel at 96 dots per inch.
struct Geometry {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

class Control {
 public:
  using Observer = std::function<void(Control&, Property)>;

  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // Index in its control array, or -1 for a control of its own.
  int index() const { return index_; }
  // "CharKake3" for a member of an array, the name otherwise.
  std::string QualifiedName() const;
  Control* parent() const { return parent_; }
  void set_parent(Control* parent) { parent_ = parent; }

  // Look: fixed by the window definition.
  Geometry geometry;
  Font font;
  Alignment alignment = Alignment::Left;
  bool boxed = false;
  // Access: fixed by the window definition.
  platform::Text accessible_name;
  int tab_index = -1;
  std::string shortcut;

  // The caption as the rules read it back: the Japanese of its text. Made
  // when read: the rules set captions on every race and read back a few.
  const std::string& Caption() const {
    if (!caption_written_) WriteCaption();
    return caption_;
  }
  // The text it came from, for the window to show in the player's language.
  const platform::Text& CaptionText() const { return caption_text_; }
  void SetCaption(platform::Text text);
  // A plain text, shown as it is in every language (a number).
  void SetCaption(std::string caption) { SetCaption(platform::Text::Plain(std::move(caption))); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Tag() const {
    if (tag_count_ != written_count_) WriteCountedTag();
    return tag_;
  }
  void SetTag(std::string tag);
  // Adds 1 to the tag as the race clock counts: the tag's number plus one,
  // written back as a plain whole number. A plain count is kept as a number
  // and written out as text only when the tag is read: on every race tick,
  // one addition.
  void CountTag() {
    if (static_cast<std::uint64_t>(tag_count_) < kLargestCount) {
      ++tag_count_;
    } else {
      CountTagSlowly();
    }
    Notify(Property::Tag);
  }
  // CountTag `ticks` times over, told once.
  void CountTags(std::uint64_t ticks);
  Colour BackColor() const { return back_colour_; }
  void SetBackColor(Colour colour);
  Colour ForeColor() const { return fore_colour_; }
  void SetForeColor(Colour colour);

  // Whether the player can reach it: enabled and visible, and so is its frame.
  bool Reachable() const;

  std::function<void()> on_click;
  void RaiseClick();

  void AddObserver(Observer observer) {
    observers_.push_back({std::move(observer), false, Property::Caption});
    heard_ = ~0u;
  }
  // Hears of one property only (the race clock's tag changes on every tick).
  void AddObserver(Property only, Observer observer) {
    observers_.push_back({std::move(observer), true, only});
    heard_ |= Bit(only);
  }
  // Whether some listener hears of this property.
  bool Heard(Property property) const { return (heard_ & Bit(property)) != 0; }

 protected:
  // Made only as one of the kinds below, so a control's kind names its class.
  Control(ControlKind kind, std::string name, int index);

  // A change nobody listens for costs one test: the race clock's tag changes
  // on every tick, and only its interval is heard.
  void Notify(Property property) {
    if (Heard(property)) NotifyObservers(property);
  }

 private:
  void NotifyObservers(Property property);

  ControlKind kind_;
  std::string name_;
  int index_;
  Control* parent_ = nullptr;
  mutable std::string caption_;
  mutable bool caption_written_ = true;
  platform::Text caption_text_;
  void WriteCaption() const;
  bool enabled_ = true;
  bool visible_ = true;
  // The tag's text; while tag_count_ is not negative, that count is the tag
  // and its text, written out when read, shows written_count_.
  mutable std::string tag_;
  std::int64_t tag_count_ = -1;
  mutable std::int64_t written_count_ = -1;
  // Past 2^53 a sum in double precision no longer counts on.
  static constexpr std::uint64_t kLargestCount = std::uint64_t{1} << 53;
  // A tag that is not yet a count, or a count at the top.
  void CountTagSlowly();
  bool TakeTagAsCount();
  void WriteCountedTag() const;
  Colour back_colour_ = kToolkitColour;
  Colour fore_colour_ = kToolkitColour;
  struct Listener {
    Observer observer;
    bool filtered;
    Property only;
  };
  std::vector<Listener> observers_;
  // The properties some listener hears, one bit each.
  std::uint32_t heard_ = 0;
  static constexpr std::uint32_t Bit(Property property) { return 1u << static_cast<unsigned>(property); }
};

class Label final : public Control {
 public:
  Label(std::string name, int index) : Control(ControlKind::Label, std::move(name), index) {}
};

class CommandButton final : public Control {
 public:
  CommandButton(std::string name, int index) : Control(ControlKind::CommandButton, std::move(name), index) {}
};

class Frame final : public Control {
 public:
  Frame(std::string name, int index) : Control(ControlKind::Frame, std::move(name), index) {}
};

class MenuItem final : public Control {
 public:
  MenuItem(std::string name, int index) : Control(ControlKind::MenuItem, std::move(name), index) {}
};

class OptionGroup;

// Option buttons of one container are exclusive: selecting one clears the rest.
class OptionButton final : public Control {
 public:
  OptionButton(std::string name, int index) : Control(ControlKind::OptionButton, std::move(name), index) {}

  bool Value() const { return value_; }
  // true on a button that was not selected selects it, clears the others of
  // its group and raises Click; false just clears it.
  void SetValue(bool value);
  // The player's click: selects the button, and raises Click once.
  void ClickByPlayer();

 private:
  friend class OptionGroup;
  void Clear();

  bool value_ = false;
  OptionGroup* group_ = nullptr;
};

class OptionGroup {
 public:
  void Add(OptionButton& button);

 private:
  friend class OptionButton;
  std::vector<OptionButton*> buttons_;
};

class CheckBox final : public Control {
 public:
  CheckBox(std::string name, int index) : Control(ControlKind::CheckBox, std::move(name), index) {}
  int Value() const { return value_; }  // 0 clear, 1 ticked
  void SetValue(int value);
  // The player's click: ticks or clears the box.
  void ClickByPlayer();

 private:
  int value_ = 0;
};

class ScrollBar final : public Control {
 public:
  static constexpr int kLowest = -32768;
  static constexpr int kHighest = 32767;

  ScrollBar(std::string name, int index) : Control(ControlKind::ScrollBar, std::move(name), index) {}

  int Value() const { return value_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int SmallChange() const { return small_change_; }
  int LargeChange() const { return large_change_; }

  // A value outside the range is refused (invalid property value); a new
  // value raises Change, the same value raises nothing.
  void SetValue(int value);
  // A new end of the range pulls the value in when it lies outside, which
  // raises Change like any other change of value.
  void SetMin(int min);
  void SetMax(int max);
  // Steps outside 1..32767 are refused.
  void SetSmallChange(int step);
  void SetLargeChange(int step);

  // The player: the arrows or a click in the track move to a value (kept in
  // range, Change if it moved); a drag of the thumb raises Scroll while it
  // moves and one Change at its end if the value moved.
  void MoveByPlayer(int value);
  void DragByPlayer(int value);
  void EndDragByPlayer();

  std::function<void()> on_change;
  std::function<void()> on_scroll;

 private:
  int Clamp(int value) const;
  void PullValueIn();
  void ChangeValue(int value);

  int value_ = 0;
  int min_ = 0;
  int max_ = 32767;
  int small_change_ = 1;
  int large_change_ = 1;
  bool dragging_ = false;
  int value_before_drag_ = 0;
};

class Image final : public Control {
 public:
  Image(std::string name, int index) : Control(ControlKind::Image, std::move(name), index) {}
  // Left is the one property that moves at run time (twips, single).
  float Left() const { return left_; }
  // Set on every race tick: kept inline, and without a branch on whether
  // the runner moved (a finished lane picked at random does not). An equal
  // value is stored too: only a zero's sign could differ, and no rule or
  // picture tells them apart.
  void SetLeft(float left) {
    const bool moved = !(left == left_);
    left_ = left;
    if (Heard(Property::Left) && moved) Notify(Property::Left);
  }
  // Moves `times` steps of `step` to the left, each rounded to a single as
  // it goes; a listener hears every step.
  void MoveLeftBy(float step, int times);
  // The picture shown, by its name in the picture library.
  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string picture);

 private:
  float left_ = 0;
  std::string picture_;
};

class Line final : public Control {
 public:
  Line(std::string name, int index) : Control(ControlKind::Line, std::move(name), index) {}
  float X1 = 0;
  float Y1 = 0;
  float X2 = 0;
  float Y2 = 0;
};

// Started and stopped by Interval alone: 0 does not fire, any positive
// interval starts it. Every assignment restarts it.
class Timer final : public Control {
 public:
  Timer(std::string name, int index) : Control(ControlKind::Timer, std::move(name), index) {}
  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  std::function<void()> on_timer;

 private:
  int interval_ = 0;
};

// Pictures numbered from 1.
class ImageList final : public Control {
 public:
  ImageList(std::string name, int index) : Control(ControlKind::ImageList, std::move(name), index) {}
  int Count() const { return static_cast<int>(pictures_.size()); }
  // The picture of item n; an item that does not exist is an error.
  const std::string& Picture(int n) const;
  void Add(std::string picture) { pictures_.push_back(std::move(picture)); }

 private:
  std::vector<std::string> pictures_;
};

}  // namespace ui

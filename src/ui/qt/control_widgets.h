// Builds the widgets of a window's controls and keeps them in step with the
// control model; forwards the player's clicks, drags and scrolls.
#pragma once

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/service_interfaces.h"
#include "ui/controls.h"
#include "ui/form_model.h"
#include "ui/pictures.h"
#include "ui/player_input.h"

namespace ui::qt {

inline constexpr double kTwipsPerPixel = 15.0;

int ToPixels(float twips);
QRect PixelRect(const Geometry& geometry);
// Model colours to Qt: system colours as the standard scheme has them.
QColor ColourFor(Colour colour);
// The picture of that name, read-only over the program's own copy; null when there is none.
QImage PictureImage(const std::string& name);
// The machine's monotonic time, which the window paces its frames on; a test
// gives a clock of its own.
platform::MonotonicClock& MachineTime();

// A label that reports clicks (the odds labels and the speech bubble); as a
// tab stop, Space and Enter click it too.
class ClickableLabel final : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  void Activate() { emit clicked(); }
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// A picture drawn pixel for pixel: scaled nearest-neighbour on high-DPI
// screens, never blurred. As a tab stop, Space and Enter click it.
class PictureWidget final : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent) : QWidget(parent) {}
  void SetPicture(const std::string& name);
  void Activate() { emit clicked(); }
 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage image_;
};

// A command button that Enter presses as well as Space, as in a dialog.
class CommandButtonWidget final : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A check box that Enter ticks as well as Space.
class CheckBoxWidget final : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A button of an option group. The model keeps the group exclusive, so Qt
// must not: the arrow keys step through the group instead of the Tab order.
class OptionButtonWidget final : public QRadioButton {
  Q_OBJECT
 public:
  explicit OptionButtonWidget(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    setAutoExclusive(false);
  }
 signals:
  void stepped(int direction);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A line control: a one-pixel line across its bounding box.
class LineWidget final : public QWidget {
 public:
  LineWidget(QWidget* parent, QLineF line) : QWidget(parent), line_(line) {}

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLineF line_;
};

class ControlWidgets {
 public:
  // Builds a widget for every visible kind of control under client_area,
  // with the Tab order, shortcuts and accessible names of the definition.
  ControlWidgets(const ControlSet& controls, QWidget* client_area, PlayerInput& input,
                 platform::MonotonicClock& frame_clock = MachineTime());

  QWidget* WidgetFor(const Control& control) const;

  // In a race the pictures move and change up to 64 times a second, one
  // runner at a time, each runner some ten times a second: the window shows
  // them in frames at least this far apart, each with every change since
  // the last (a frame on every other tick, half the painting). A change
  // that comes sooner waits for the next change, or for as long again.
  static constexpr int kFrameMilliseconds = 30;

 private:
  QWidget* Create(Control& control, QWidget* parent);
  void Mirror(Control& control, Property property);
  void Connect(Control& control, QWidget* widget);
  void SetUpKeyboard(const ControlSet& controls, QWidget* client_area);
  // An arrow key on an option button: the next reachable button of its
  // group is focused and chosen, as a click would.
  void StepThroughGroup(const OptionButton& from, int direction);
  // A picture's place or image: shown now, with any that wait, when no
  // frame was shown lately; else it waits.
  void ShowInFrame(Image& image);
  void ShowFrame();

  const ControlSet& controls_;
  PlayerInput& input_;
  std::map<const Control*, QWidget*> widgets_;
  platform::MonotonicClock& frame_clock_;
  std::optional<std::int64_t> last_frame_;  // when the last frame was shown
  QTimer late_frame_;  // shows what waits when no change follows
  std::vector<Image*> waiting_;  // for the next frame
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace ui::qt

// Builds the widgets of a window's controls and keeps them in step with the
// control model; forwards the player's clicks, drags and scrolls.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <map>
#include <memory>

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
QImage ImageFor(const Bitmap& bitmap);
QImage PictureImage(const std::string& name);

// A label that reports clicks (the odds labels and the speech bubble).
class ClickableLabel final : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture drawn pixel for pixel: scaled nearest-neighbour on high-DPI
// screens, never blurred.
class PictureWidget final : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent) : QWidget(parent) {}
  void SetPicture(const std::string& name);
 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
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
  // Builds a widget for every visible kind of control under client_area.
  ControlWidgets(const ControlSet& controls, QWidget* client_area, PlayerInput& input);

  QWidget* WidgetFor(const Control& control) const;

 private:
  QWidget* Create(Control& control, QWidget* parent);
  void Mirror(Control& control, Property property);
  void Connect(Control& control, QWidget* widget);

  PlayerInput& input_;
  std::map<const Control*, QWidget*> widgets_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace ui::qt

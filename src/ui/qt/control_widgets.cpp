#include "ui/qt/control_widgets.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

#include "platform/system_clocks.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/fonts.h"
#include "ui/qt/translated.h"
#include "ui/qt/view_texts.h"

namespace ui::qt {

int ToPixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QRect PixelRect(const Geometry& g) {
  return QRect(ToPixels(g.left), ToPixels(g.top), std::max(1, ToPixels(g.width)), std::max(1, ToPixels(g.height)));
}

QColor ColourFor(Colour colour) {
  if (IsSystemColour(colour)) {
    switch (colour & 0xFF) {
      case 5:   // window
      case 9:   // caption text
      case 14:  // highlight text
        return Qt::white;
      case 8:   // window text
      case 18:  // button text
        return Qt::black;
      default:
        return QColor(0xF0, 0xF0, 0xF0);
    }
  }
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QImage PictureImage(const std::string& name) {
  const Bitmap* bitmap = FindPicture(name);
  if (!bitmap) return QImage();
  // The pictures live as long as the program and hold 0xAARRGGBB as Qt does:
  // shown where they lie, never copied (a runner changes legs 120 times a second).
  return QImage(reinterpret_cast<const uchar*>(bitmap->pixels.data()), bitmap->width, bitmap->height,
                bitmap->width * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_ARGB32);
}

namespace {

bool IsActivationKey(const QKeyEvent* event) {
  return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The dotted frame that shows where the keyboard is, for widgets that have none.
void PaintFocusFrame(QWidget* widget) {
  if (!widget->hasFocus()) return;
  QPainter painter(widget);
  QStyleOptionFocusRect option;
  option.initFrom(widget);
  option.backgroundColor = widget->palette().color(QPalette::Window);
  widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

}  // namespace

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  if (!IsActivationKey(event)) return QLabel::keyPressEvent(event);
  Activate();
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  PaintFocusFrame(this);
}

void PictureWidget::SetPicture(const std::string& name) {
  image_ = PictureImage(name);
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(QPoint(0, 0), image_.size()), image_);
  painter.end();
  PaintFocusFrame(this);
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void PictureWidget::keyPressEvent(QKeyEvent* event) {
  if (!IsActivationKey(event)) return QWidget::keyPressEvent(event);
  Activate();
}

void CommandButtonWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return QPushButton::keyPressEvent(event);
  click();
}

void CheckBoxWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return QCheckBox::keyPressEvent(event);
  click();
}

void OptionButtonWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: emit stepped(-1); break;
    case Qt::Key_Right:
    case Qt::Key_Down: emit stepped(1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: click(); break;
    default: QRadioButton::keyPressEvent(event);
  }
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(line_);
}

namespace {

Qt::Alignment AlignmentFor(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right: return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Centre: return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

// Only the colours the control was given; the rest comes from the toolkit.
// The text colour holds while the control is enabled: a disabled control
// draws the toolkit's disabled text whatever colours the rules gave it, and
// keeps its background.
void ApplyColours(QWidget* widget, const Control& control) {
  QPalette palette;
  bool filled = false;
  if (control.BackColor() != kToolkitColour) {
    QColor back = ColourFor(control.BackColor());
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Button, back);
    filled = true;
  }
  if (control.ForeColor() != kToolkitColour) {
    QColor fore = ColourFor(control.ForeColor());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(group, role, fore);
    }
  }
  widget->setPalette(palette);
  if (filled && control.kind() != ControlKind::CommandButton) {
    // On a parent filled with the same colour, the parent's fill shows
    // through: the same pixels, and one opaque widget fewer for Qt to work
    // around in every repaint of the race (the runners move among them).
    const QWidget* parent = widget->parentWidget();
    const bool shows_through = parent && parent->autoFillBackground() &&
                               parent->palette().color(QPalette::Window) == palette.color(QPalette::Window);
    widget->setAutoFillBackground(!shows_through);
  }
}

// The caption at its own size, or smaller where it does not fit.
void FitCaption(QWidget* widget, const Control& control) {
  const QFont font = FittingFont(*widget, FontFor(control.font));
  if (font != widget->font()) widget->setFont(font);
}

void SetScrollRange(QScrollBar* bar, const ScrollBar& model) {
  QSignalBlocker block(bar);
  bar->setInvertedAppearance(model.Max() < model.Min());
  bar->setRange(std::min(model.Min(), model.Max()), std::max(model.Min(), model.Max()));
  bar->setValue(model.Value());
}

}  // namespace

platform::MonotonicClock& MachineTime() {
  static platform::SteadyClock clock;
  return clock;
}

ControlWidgets::ControlWidgets(const ControlSet& controls, QWidget* client_area, PlayerInput& input,
                               platform::MonotonicClock& frame_clock)
    : controls_(controls), input_(input), frame_clock_(frame_clock) {
  InstallAccessibility();
  for (const auto& control : controls.all()) {
    QWidget* parent = control->parent() ? WidgetFor(*control->parent()) : client_area;
    if (!parent) parent = client_area;
    QWidget* widget = Create(*control, parent);
    if (!widget) continue;
    widgets_[control.get()] = widget;
    widget->setObjectName(QString::fromStdString(control->QualifiedName()));
    // Captions name themselves (a label's text, a button's caption, empty
    // when empty); the definition names what has none.
    if (!control->accessible_name.empty()) widget->setAccessibleName(Translated(control->accessible_name));
    FitCaption(widget, *control);
    ApplyColours(widget, *control);
    widget->setEnabled(control->Enabled());
    widget->setVisible(control->Visible());
    Connect(*control, widget);
    // The widgets may go before the controls (a closed dialog): the token tells.
    control->AddObserver([this, alive = std::weak_ptr<bool>(alive_)](Control& changed, Property property) {
      if (!alive.expired()) Mirror(changed, property);
    });
  }
  SetUpKeyboard(controls, client_area);
  late_frame_.setSingleShot(true);
  late_frame_.setInterval(kFrameMilliseconds);
  QObject::connect(&late_frame_, &QTimer::timeout, [this] { ShowFrame(); });
}

void ControlWidgets::ShowInFrame(Image& image) {
  if (std::find(waiting_.begin(), waiting_.end(), &image) == waiting_.end()) waiting_.push_back(&image);
  if (last_frame_ && frame_clock_.NowMicros() - *last_frame_ <= std::int64_t{kFrameMilliseconds} * 1000) {
    late_frame_.start();
    return;
  }
  ShowFrame();
}

void ControlWidgets::ShowFrame() {
  late_frame_.stop();
  last_frame_ = frame_clock_.NowMicros();
  for (Image* image : waiting_) {
    QWidget* widget = WidgetFor(*image);
    widget->move(ToPixels(image->Left()), widget->y());
    if (auto* picture = qobject_cast<PictureWidget*>(widget)) picture->SetPicture(image->Picture());
  }
  waiting_.clear();
}

void ControlWidgets::SetUpKeyboard(const ControlSet& controls, QWidget* client_area) {
  std::vector<std::pair<int, QWidget*>> tab_stops;
  for (const auto& control : controls.all()) {
    QWidget* widget = WidgetFor(*control);
    if (!widget) continue;
    if (control->tab_index < 0) {
      widget->setFocusPolicy(Qt::NoFocus);
      continue;
    }
    widget->setFocusPolicy(Qt::StrongFocus);
    tab_stops.emplace_back(control->tab_index, widget);
    if (control->shortcut.empty()) continue;
    // A shortcut is a click on its control: the rules refuse it when the
    // control is disabled or hidden, as they refuse the click.
    const QString key = QString::fromStdString(control->shortcut);
    widget->setToolTip(Translated(platform::Text(view_texts::kShortcutKey).Arg(control->shortcut)));
    auto* shortcut = new QShortcut(QKeySequence(key), client_area);
    shortcut->setContext(Qt::WindowShortcut);
    Control* target = control.get();
    QObject::connect(shortcut, &QShortcut::activated, [this, target] { input_.Click(*target); });
  }
  std::stable_sort(tab_stops.begin(), tab_stops.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tab_stops.size(); ++i) QWidget::setTabOrder(tab_stops[i - 1].second, tab_stops[i].second);
}

void ControlWidgets::StepThroughGroup(const OptionButton& from, int direction) {
  const std::vector<OptionButton*> group = controls_.Members<OptionButton>(from.name());
  const int size = static_cast<int>(group.size());
  for (int step = 1; step < size; ++step) {
    OptionButton* next = group[static_cast<std::size_t>(((from.index() + direction * step) % size + size) % size)];
    if (!next || !next->Reachable()) continue;
    if (QWidget* widget = WidgetFor(*next)) widget->setFocus(Qt::TabFocusReason);
    input_.Click(*next);
    return;
  }
}

QWidget* ControlWidgets::WidgetFor(const Control& control) const {
  auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

QWidget* ControlWidgets::Create(Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.kind()) {
    case ControlKind::Label: {
      auto* label = new ClickableLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(AlignmentFor(control.alignment));
      label->setText(Translated(control.CaptionText()));
      if (control.boxed) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
      }
      widget = label;
      break;
    }
    case ControlKind::CommandButton:
      widget = new CommandButtonWidget(Translated(control.CaptionText()), parent);
      break;
    case ControlKind::OptionButton: {
      auto* option = new OptionButtonWidget(Translated(control.CaptionText()), parent);
      option->setChecked(static_cast<OptionButton&>(control).Value());
      widget = option;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new CheckBoxWidget(Translated(control.CaptionText()), parent);
      box->setChecked(static_cast<CheckBox&>(control).Value() == 1);
      widget = box;
      break;
    }
    case ControlKind::ScrollBar: {
      auto& model = static_cast<ScrollBar&>(control);
      auto* bar = new QScrollBar(Qt::Horizontal, parent);
      // A horizontal scroll bar's keys run backwards by default: Left would raise the stake.
      bar->setInvertedControls(false);
      bar->setSingleStep(model.SmallChange());
      bar->setPageStep(model.LargeChange());
      SetScrollRange(bar, model);
      widget = bar;
      break;
    }
    case ControlKind::Image: {
      auto& model = static_cast<Image&>(control);
      auto* picture = new PictureWidget(parent);
      picture->SetPicture(model.Picture());
      widget = picture;
      break;
    }
    case ControlKind::Line: {
      auto& line = static_cast<Line&>(control);
      QRect box(QPoint(ToPixels(std::min(line.X1, line.X2)), ToPixels(std::min(line.Y1, line.Y2))),
                QPoint(ToPixels(std::max(line.X1, line.X2)), ToPixels(std::max(line.Y1, line.Y2))));
      QLineF local(ToPixels(line.X1) - box.left() + 0.5, ToPixels(line.Y1) - box.top() + 0.5,
                   ToPixels(line.X2) - box.left() + 0.5, ToPixels(line.Y2) - box.top() + 0.5);
      widget = new LineWidget(parent, local);
      widget->setGeometry(box);
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);
      return widget;
    }
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
      widget = frame;
      break;
    }
    case ControlKind::Timer:
    case ControlKind::ImageList:
    case ControlKind::MenuItem:
      return nullptr;
  }
  QRect rect = PixelRect(control.geometry);
  if (auto* image = dynamic_cast<Image*>(&control)) rect.moveLeft(ToPixels(image->Left()));
  widget->setGeometry(rect);
  return widget;
}

// Every change of a widget's state, whatever made it (mouse, keyboard, an
// assistive tool), goes to the rules as the player's event; the widget then
// shows what the model holds, so a refused change is put back.
void ControlWidgets::Connect(Control& control, QWidget* widget) {
  if (auto* label = qobject_cast<ClickableLabel*>(widget)) {
    QObject::connect(label, &ClickableLabel::clicked, [this, &control] { input_.Click(control); });
  } else if (auto* picture = qobject_cast<PictureWidget*>(widget)) {
    QObject::connect(picture, &PictureWidget::clicked, [this, &control] { input_.Click(control); });
  } else if (auto* option = qobject_cast<OptionButtonWidget*>(widget)) {
    auto& model = static_cast<OptionButton&>(control);
    QObject::connect(option, &QAbstractButton::toggled, [this, &model, option] {
      input_.Click(model);
      QSignalBlocker block(option);
      option->setChecked(model.Value());
    });
    QObject::connect(option, &OptionButtonWidget::stepped,
                     [this, &model](int direction) { StepThroughGroup(model, direction); });
  } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
    auto& model = static_cast<CheckBox&>(control);
    QObject::connect(box, &QAbstractButton::toggled, [this, &model, box] {
      input_.Click(model);
      QSignalBlocker block(box);
      box->setChecked(model.Value() == 1);
    });
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    QObject::connect(button, &QPushButton::clicked, [this, &control] { input_.Click(control); });
  } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
    auto& model = static_cast<ScrollBar&>(control);
    // Keys, clicks in the track, the wheel and a value set from outside.
    QObject::connect(bar, &QScrollBar::valueChanged, [this, &model, bar](int value) {
      if (bar->isSliderDown()) return;  // a drag reports through sliderMoved
      input_.MoveScrollBar(model, value);
      QSignalBlocker block(bar);
      bar->setValue(model.Value());
    });
    QObject::connect(bar, &QScrollBar::sliderMoved, [this, &model](int value) { input_.DragScrollBar(model, value); });
    QObject::connect(bar, &QScrollBar::sliderReleased, [this, &model, bar] {
      input_.EndScrollBarDrag(model);
      QSignalBlocker block(bar);
      bar->setValue(model.Value());
    });
  }
}

void ControlWidgets::Mirror(Control& control, Property property) {
  QWidget* widget = WidgetFor(control);
  if (!widget) return;
  switch (property) {
    case Property::Caption:
      if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(Translated(control.CaptionText()));
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(Translated(control.CaptionText()));
      FitCaption(widget, control);
      AnnounceNameChange(widget);
      break;
    case Property::Enabled: widget->setEnabled(control.Enabled()); break;
    case Property::Visible: widget->setVisible(control.Visible()); break;
    case Property::BackColor:
    case Property::ForeColor: ApplyColours(widget, control); break;
    case Property::Value:
      if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        QSignalBlocker block(option);
        option->setChecked(static_cast<OptionButton&>(control).Value());
      }
      if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QSignalBlocker block(box);
        box->setChecked(static_cast<CheckBox&>(control).Value() == 1);
      }
      if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        QSignalBlocker block(bar);
        if (!bar->isSliderDown()) bar->setValue(static_cast<ScrollBar&>(control).Value());
      }
      break;
    case Property::Min:
    case Property::Max:
      if (auto* bar = qobject_cast<QScrollBar*>(widget)) SetScrollRange(bar, static_cast<ScrollBar&>(control));
      break;
    case Property::SmallChange:
      if (auto* bar = qobject_cast<QScrollBar*>(widget)) bar->setSingleStep(static_cast<ScrollBar&>(control).SmallChange());
      break;
    case Property::LargeChange:
      if (auto* bar = qobject_cast<QScrollBar*>(widget)) bar->setPageStep(static_cast<ScrollBar&>(control).LargeChange());
      break;
    case Property::Left:
    case Property::Picture: ShowInFrame(static_cast<Image&>(control)); break;
    case Property::Interval:
    case Property::Tag:
      break;
  }
}

}  // namespace ui::qt

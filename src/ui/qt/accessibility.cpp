#include "ui/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "ui/qt/control_widgets.h"

namespace ui::qt {

namespace {

// A lane button: announced as a radio button, toggled or pressed through the
// widget itself, so the change reaches the rules as a click does.
class OptionButtonAccessible final : public QAccessibleWidget {
 public:
  explicit OptionButtonAccessible(OptionButtonWidget* button) : QAccessibleWidget(button, QAccessible::RadioButton) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && button()->accessibleName().isEmpty()) return button()->text().remove('&');
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    return state;
  }
  QStringList actionNames() const override {
    QStringList names;
    if (button()->isEnabled()) names << toggleAction() << pressAction();
    return names + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (!button()->isEnabled()) return;
    if (action == toggleAction()) {
      button()->toggle();
    } else if (action == pressAction()) {
      button()->click();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  OptionButtonWidget* button() const { return static_cast<OptionButtonWidget*>(widget()); }
};

// The speech bubble and the mascot: a text or a picture that a press walks
// through the tour, as a click does.
template <typename Widget>
class PressableAccessible final : public QAccessibleWidget {
 public:
  PressableAccessible(Widget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
    if (auto* label = qobject_cast<ClickableLabel*>(widget())) return label->text();
    return QString();
  }
  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << pressAction();
    return names + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    if (widget()->isEnabled()) static_cast<Widget*>(widget())->Activate();
  }
};

QAccessibleInterface* GameWidgetAccessible(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(OptionButtonWidget::staticMetaObject.className())) {
    return new OptionButtonAccessible(static_cast<OptionButtonWidget*>(object));
  }
  // Only the labels and pictures that take the keyboard act when pressed;
  // the others are plain text and pictures to Qt.
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget || widget->focusPolicy() == Qt::NoFocus) return nullptr;
  if (auto* label = qobject_cast<ClickableLabel*>(widget)) {
    return new PressableAccessible<ClickableLabel>(label, QAccessible::StaticText);
  }
  if (auto* picture = qobject_cast<PictureWidget*>(widget)) {
    return new PressableAccessible<PictureWidget>(picture, QAccessible::Graphic);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(GameWidgetAccessible);
    return true;
  }();
  (void)installed;
}

void AnnounceNameChange(QWidget* widget) {
  QAccessibleEvent event(widget, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

}  // namespace ui::qt

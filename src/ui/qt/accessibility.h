// What assistive tools see of the game's own widgets: the lane buttons are
// radio buttons (Qt takes a radio button that is not auto-exclusive for a
// check box), and the mascot and its bubble can be pressed like buttons.
#pragma once

class QWidget;

namespace ui::qt {

// Registers the game's accessible interfaces with Qt; safe to call again.
void InstallAccessibility();

// Tells assistive tools that a widget's name (its text) changed, so a screen
// reader reads the new words of the bubble or a purse.
void AnnounceNameChange(QWidget* widget);

}  // namespace ui::qt

// What the player can do to the window; the view forwards its events here.
// Each returns false when nothing ran (the control cannot be reached, or a
// handler is already running).
#pragma once

#include "ui/controls.h"

namespace ui {

class PlayerInput {
 public:
  virtual ~PlayerInput() = default;
  virtual bool Click(Control& control) = 0;
  virtual bool MoveScrollBar(ScrollBar& bar, int value) = 0;
  virtual bool DragScrollBar(ScrollBar& bar, int value) = 0;
  virtual bool EndScrollBarDrag(ScrollBar& bar) = 0;
  virtual bool CloseMainWindow() = 0;
  virtual bool CloseAbout() = 0;
};

}  // namespace ui

// The race has six lanes: the window has one of each per-lane control, and
// the state record one of each per-lane field.
#pragma once

namespace ui {
inline constexpr int kLanes = 6;
}  // namespace ui

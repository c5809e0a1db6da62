// Names of the window's pictures in the picture library.
#pragma once

#include <string>

namespace ui {

// Frame 1 of a runner is its standing pose, frames 2..9 its running cycle.
inline std::string RunnerPicture(int lane, int frame) {
  return "runner" + std::to_string(lane) + "." + std::to_string(frame);
}
// colour 0 is the mascot's start picture, 1..6 its six colourings.
inline std::string MascotPicture(int colour) {
  return colour == 0 ? std::string("mascot") : "mascot." + std::to_string(colour);
}
inline constexpr const char* kBubblePicture = "bubble";
inline constexpr int kRunnerFrames = 9;
inline constexpr int kMascotColours = 6;

}  // namespace ui

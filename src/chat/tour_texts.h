// The guided tour's texts, as data.
#pragma once

#include <array>
#include <optional>

#include "platform/text.h"

namespace chat {

inline constexpr int kTourSteps = 15;

struct TourStep {
  // What a click on the bubble says; empty: such a click does nothing here.
  std::optional<platform::TextId> bubble;
  // What a click on the mascot says; empty: the same as the bubble.
  std::optional<platform::TextId> mascot;
  int next_from_bubble = 0;
  int next_from_mascot = 0;
};

inline constexpr std::nullopt_t kNoEntry = std::nullopt;
inline constexpr std::nullopt_t kSameAsBubble = std::nullopt;
// No entry at all: the empty bubble.
inline constexpr platform::TextId kEmptyBubble{};

extern const platform::TextId kTourOpening;
// Indexed by step, 1..15; the mascot's column runs one step longer.
extern const std::array<TourStep, kTourSteps + 1> kTour;

}  // namespace chat

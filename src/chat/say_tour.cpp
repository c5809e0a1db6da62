// The speech bubble and the guided tour that walks through it.
#include "chat/tour_texts.h"
#include "game/main_form.h"

namespace game {

void MainForm::Say(platform::Text text) { c_.MsgLabel.SetCaption(std::move(text)); }

void MainForm::h1_Click() {
  // Allowed at any time: the tour starts over.
  s_.TourStep = 1;
  Say(chat::kTourOpening);
}

void MainForm::MsgLabel_Click() { AdvanceTour(false); }

void MainForm::komame_Click() { AdvanceTour(true); }

void MainForm::AdvanceTour(bool from_mascot) {
  if (s_.TourStep <= 0 || s_.TourStep > chat::kTourSteps) return;
  const chat::TourStep& step = chat::kTour[static_cast<std::size_t>(s_.TourStep)];
  // Texts said by other buttons in between do not matter: the tour goes on
  // where it was.
  if (from_mascot) {
    auto text = step.mascot ? step.mascot : step.bubble;
    if (!text) return;
    Say(*text);
    s_.TourStep = static_cast<Integer>(step.next_from_mascot);
  } else {
    if (!step.bubble) return;
    Say(*step.bubble);
    s_.TourStep = static_cast<Integer>(step.next_from_bubble);
  }
}

}  // namespace game

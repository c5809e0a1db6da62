// The talk buttons: a retort in message boxes, the time, the IP address,
// the mascot's colour, and the draws that only move the random sequence.
#include <cstdio>

#include "chat/chat_texts.h"
#include "game/main_form.h"
#include "platform/numbers.h"
#include "platform/random.h"

namespace game {

using platform::MessageBoxes;

std::string ClockText(const platform::TimeOfDay& time) {
  // "h:mm:ss (AM/PM)": 12-hour clock, 12 for the hours 0 and 12.
  int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d (%s)", hour, time.minute, time.second, time.hour < 12 ? "AM" : "PM");
  return text;
}

void MainForm::CmdT_Click() {
  s_.RetortDraw = platform::Draw(random_, 3);
  auto& boxes = services_.message_boxes;
  switch (s_.RetortDraw) {
    case 0:
      boxes.Show(chat::kRetortShout, MessageBoxes::kExclamation, chat::kRetortTitle);
      break;
    case 1:
      s_.MsgReply = static_cast<Integer>(boxes.Show(chat::kRetortQuestion, MessageBoxes::kYesNo, chat::kRetortTitle));
      if (s_.MsgReply == MessageBoxes::kReplyYes) {
        boxes.Show(chat::kRetortAfterYes, MessageBoxes::kOkOnly, chat::kRetortTitle);
      } else {
        boxes.Show(chat::kRetortAfterNo, MessageBoxes::kOkOnly, chat::kRetortTitle);
      }
      break;
    case 2:
      boxes.Show(chat::kRetortFlat, MessageBoxes::kOkOnly, chat::kRetortTitle);
      break;
    default:
      boxes.Show(chat::kRetortSung, MessageBoxes::kOkOnly, chat::kRetortTitle);
      break;
  }
}

// The time and the address go in as they are, in every language.
void MainForm::TimeCmd_Click() { Say(platform::Text(chat::kTellTheTime).Arg(ClockText(services_.clock.Now()))); }

void MainForm::CmdIP_Click() { Say(platform::Text(chat::kTellTheAddress).Arg(services_.local_address.DottedIPv4())); }

void MainForm::ColorCmd_Click() {
  s_.MascotColour = platform::AddInteger(s_.MascotColour, 1);
  c_.komame.SetPicture(c_.PImageList.Picture(s_.MascotColour));
  Say(chat::kNewColour);
  if (s_.MascotColour == 6) s_.MascotColour = 0;
}

void MainForm::CmdRnd_Click() { s_.RandomShift = platform::Draw(random_, 1); }

void MainForm::Timer1_Timer() { Timer1Draw(random_); }

void MainForm::Timer1_CatchUp(std::uint64_t ticks) {
  // One tick (between two race ticks) is the timer's own; more are the same
  // draws a ticking Timer1 would have made, at once.
  if (ticks == 1) return Timer1_Timer();
  Timer1_Skip(ticks);
}

void MainForm::Timer1_Skip(std::uint64_t ticks) {
  if (auto last = random_.Skip(ticks)) s_.RandomShift = platform::ToInteger(*last);
}

}  // namespace game

// Handlers still to come.
#include "game/main_form.h"

namespace game {

void MainForm::h1_Click() {}
void MainForm::ozzu_Click() {}
void MainForm::CmdStart_Click() {}
void MainForm::ShowStopButton() {}
void MainForm::LineTimer_Timer() {}
void MainForm::TimeChar_Timer() {}
void MainForm::RaceTick() {}
void MainForm::CharAnime_Timer(int) {}
void MainForm::BestCmd_Click() {}
void MainForm::CharKake_Click(int) {}
void MainForm::Bairitu_Click(int) {}
void MainForm::KakeHScroll_Change() {}
void MainForm::KakeHScroll_Scroll() {}
void MainForm::SettleMascotBet() {}
void MainForm::SettlePlayerBet() {}
void MainForm::Say(std::string_view text) { c_.MsgLabel.SetCaption(std::string(text)); }
void MainForm::MsgLabel_Click() {}
void MainForm::komame_Click() {}
void MainForm::RndMsg_Click() {}
void MainForm::SayPhrase() {}
void MainForm::SayTip() {}
void MainForm::omi_Click() {}
void MainForm::CmdT_Click() {}
void MainForm::TimeCmd_Click() {}
void MainForm::CmdIP_Click() {}
void MainForm::ColorCmd_Click() {}
void MainForm::CmdRnd_Click() {}
void MainForm::Timer1_Timer() {}
void MainForm::Timer1_CatchUp(std::uint64_t) {}

}  // namespace game

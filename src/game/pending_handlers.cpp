// Handlers still to come.
#include "game/main_form.h"

namespace game {

void MainForm::omi_Click() {}
void MainForm::CmdT_Click() {}
void MainForm::TimeCmd_Click() {}
void MainForm::CmdIP_Click() {}
void MainForm::ColorCmd_Click() {}
void MainForm::CmdRnd_Click() {}
void MainForm::Timer1_Timer() {}
void MainForm::Timer1_CatchUp(std::uint64_t) {}

}  // namespace game

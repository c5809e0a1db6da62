#include "game/main_form.h"

#include "platform/numbers.h"

namespace game {

MainForm::MainForm(Services services)
    : services_(std::move(services)),
      random_(services_.random),
      music_texts_(MusicTextsFor(services_.app_path)),
      form_(ui::MainFormDefinition()),
      ver_(ui::AboutFormDefinition()),
      c_(form_.controls()) {
  for (int lane = 0; lane < kLanes; ++lane) runners_[static_cast<std::size_t>(lane)] = &c_.ImgChar[lane];
  WireEvents();
}

void MainForm::WireEvents() {
  c_.f3.on_click = [this] { f3_Click(); };
  c_.h1.on_click = [this] { h1_Click(); };
  c_.version.on_click = [this] { version_Click(); };

  c_.ozzu.on_click = [this] { ozzu_Click(); };
  c_.CmdStart.on_click = [this] { CmdStart_Click(); };
  c_.CmdRnd.on_click = [this] { CmdRnd_Click(); };
  c_.omi.on_click = [this] { omi_Click(); };
  c_.RndMsg.on_click = [this] { RndMsg_Click(); };
  c_.TimeCmd.on_click = [this] { TimeCmd_Click(); };
  c_.ColorCmd.on_click = [this] { ColorCmd_Click(); };
  c_.BestCmd.on_click = [this] { BestCmd_Click(); };
  c_.CmdIP.on_click = [this] { CmdIP_Click(); };
  c_.CmdT.on_click = [this] { CmdT_Click(); };
  c_.MsgLabel.on_click = [this] { MsgLabel_Click(); };
  c_.komame.on_click = [this] { komame_Click(); };

  for (int lane = 0; lane < kLanes; ++lane) {
    c_.CharKake[lane].on_click = [this, lane] { CharKake_Click(lane); };
    c_.Bairitu[lane].on_click = [this, lane] { Bairitu_Click(lane); };
    c_.CharAnime[lane].on_timer = [this, lane] { CharAnime_Timer(lane); };
  }
  c_.KakeHScroll.on_change = [this] { KakeHScroll_Change(); };
  c_.KakeHScroll.on_scroll = [this] { KakeHScroll_Scroll(); };

  c_.TimeChar.on_timer = [this] { TimeChar_Timer(); };
  c_.LineTimer.on_timer = [this] { LineTimer_Timer(); };
  c_.Timer1.on_timer = [this] { Timer1_Timer(); };
}

void MainForm::ShowPlayerMoney() { c_.Money.SetCaption(platform::DecimalText(s_.PlayerMoney)); }

void MainForm::ShowMascotMoney() { c_.Psyoji[1].SetCaption(platform::DecimalText(s_.MascotMoney)); }

void MainForm::EndProgram() {
  services_.program_end.End();
  throw platform::ProgramEnded{};
}

}  // namespace game

// The main window of the game: its controls, its state record and the event
// handlers that carry the rules. Handlers keep the names of the window's
// events (control_Event) so a rule can be traced from its event to its code;
// they live in src/game and src/chat, one file per part of the game.
#pragma once

#include <string>
#include <string_view>

#include "game/game_state.h"
#include "game/main_form_services.h"
#include "platform/text.h"
#include "ui/form_model.h"
#include "ui/main_form_controls.h"

namespace platform {
class Scheduler;
class VirtualClock;
}  // namespace platform

namespace game {

// The time of day as the mascot tells it: "h:mm:ss (AM/PM)".
std::string ClockText(const platform::TimeOfDay& time);

class MainForm {
 public:
  explicit MainForm(Services services);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  ui::FormModel& form() { return form_; }
  ui::FormModel& about() { return ver_; }
  const ui::MainFormControls& controls() const { return c_; }
  const GameState& state() const { return s_; }
  GameState& mutable_state() { return s_; }

  // Window events.
  void MainForm_Load();
  void MainForm_Unload();
  // The close box and the exit menu both come here: unload, then end.
  void CloseWindow();

  // Menu bar and About dialog.
  void f3_Click();
  void h1_Click();
  void version_Click();
  void OK_Click();

  // Race selection, start/stop, race tick, animation, best time.
  void ozzu_Click();
  void CmdStart_Click();
  void ShowStopButton();
  void LineTimer_Timer();
  void TimeChar_Timer();
  // Runs the race clock, the scheduler's timer `race_clock`, alone to the end
  // of the race (see Scheduler::RunAlone); its ticks are compiled in with
  // their handler, and so are those of `background`, Timer1's catch-up
  // timer. Only for an unwatched race on the classic generator, as
  // --simulate plays it. Gives the ticks run.
  std::uint64_t RunRaceClockAlone(platform::Scheduler& scheduler, int race_clock, int background,
                                  platform::VirtualClock& clock);
  void CharAnime_Timer(int index);
  void BestCmd_Click();

  // The bet panel and the settlements.
  void CharKake_Click(int index);
  void Bairitu_Click(int index);
  void KakeHScroll_Change();
  void KakeHScroll_Scroll();
  void SettleMascotBet();
  void SettlePlayerBet();

  // The mascot's chat.
  void Say(platform::Text text);
  void MsgLabel_Click();
  void komame_Click();
  void RndMsg_Click();
  void SayPhrase();
  void SayTip();
  void omi_Click();
  void CmdT_Click();
  void TimeCmd_Click();
  void CmdIP_Click();
  void ColorCmd_Click();
  void CmdRnd_Click();
  void Timer1_Timer();
  // Timer1's ticks taken at once when the process did not wake for them.
  void Timer1_CatchUp(std::uint64_t ticks);

  // Music and sound.
  void PlaySoundFile(const std::string& path);

 private:
  void WireEvents();
  // Several of Timer1's ticks at once: the generator jumps, the last draw is kept.
  void Timer1_Skip(std::uint64_t ticks);
  void AdvanceTour(bool from_mascot);
  // Fits the stake scroll bar to the purse: the maximum and the large step.
  void FitStakeBarToPurse();
  // The lane button of the player's pick in its plain colours; clearing the
  // choice also unticks it and leaves no pick.
  void ShowPickAsUnpicked();
  void ClearLaneChoice();
  // The stake label, and the stake, take the scroll bar's value.
  void StakeFollowsBar();
  void ShowPlayerMoney();
  void ShowMascotMoney();
  void SavePlayerMoney();
  void SendStopMusic();
  void StartMusic();
  const std::string& MusicPath() const;
  // The media texts: fixed for the run by the executable's directory.
  struct MusicTexts {
    std::string music_path, open_command, sound_path;
  };
  static MusicTexts MusicTextsFor(const std::string& app_path);
  [[noreturn]] void EndProgram();
  void StartRace();
  void StopRace();
  // The end of a race, run to its end or stopped: both bets settled, the
  // panel ready for the next selection.
  void SettleRace();
  void PlaceOnStartLine(int lane);
  // Tells the records what this race settled: the mascot's side is done,
  // the player's is worked out ahead of its boxes.
  void RecordSettledRace(Long mascot_purse_before);
  // A record that cannot be kept never stops a settlement.
  template <typename Call>
  void Record(Call&& call) noexcept {
    try {
      call(services_.records);
    } catch (...) {
    }
  }
  void ResetRunnersToStartLine();
  // A runner past the goal line: ranked, its legs stopped, slid on.
  void Arrive(int lane);
  // The same, and the end of the race when it was the last one in.
  void RunnerArrived(int lane);
  // TimeChar_Timer's and Timer1_Timer's work, written once for the window's
  // timers and the race clock run alone: `race` is where a tick draws, reads
  // and writes, the form itself (FormRace) for the one, and for the other
  // locals the loop holds (RaceClockTicks).
  template <typename Race>
  void TimeCharTick(Race& race);
  template <typename Race>
  void RaceTick(Race& race);
  template <typename Random>
  void Timer1Draw(Random& random) {
    s_.RandomShift = platform::Draw(random, 1);
  }
  class FormRace;
  class RaceClockTicks;

  Services services_;
  // Every draw of the rules, from services_.random.
  platform::SharedRandom random_;
  const MusicTexts music_texts_;
  ui::FormModel form_;
  ui::FormModel ver_;
  ui::MainFormControls c_;
  GameState s_;
  // The six runners, looked at on every race tick.
  std::array<ui::Image*, kLanes> runners_{};
};

}  // namespace game

// The stake bar fits the purse wherever the purse changes: at start-up, after
// a race is settled and after a fortune slip is bought.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using namespace testing_support;

struct Fit {
  std::int32_t purse;
  int max;
  int large_change;
};

constexpr Fit kFits[] = {
    {0, 0, 1},    {3, 3, 1},            {10, 10, 1},          {15, 15, 2},          {25, 25, 2},  // halves to even
    {35, 35, 4},  {95, 95, 10},         {29999, 29999, 3000}, {30000, 30000, 3000}, {30001, 30000, 3000},
    {2147483647, 30000, 3000},
};

enum class Caller { StartUp, Settlement, Fortune };

// Brings the purse to `fit.purse` through the caller, and says whether it could.
bool ReachPurseThrough(Caller caller, TestGame& game, std::int32_t purse) {
  switch (caller) {
    case Caller::StartUp:
      if (purse < 1) return false;  // a saved purse below 1 starts at 10
      game.settings.SetPurse(std::to_string(purse));
      game.Start();
      return true;
    case Caller::Settlement:
      game.Start();
      game.mutable_state().PlayerMoney = purse;
      SelectRace(game, {150, 100, 100, 100, 100, 100});
      StartRace(game);  // no bet: the purse stays as it is
      ScriptFinishOrder(game, {0, 1, 2, 3, 4, 5});
      RunRaceClock(game);
      return true;
    case Caller::Fortune:
      if (purse < 1) return false;  // the slip is sold only above its price
      game.Start();
      game.mutable_state().PlayerMoney = purse == 2147483647 ? purse : purse + 10;
      game.random.Push({0.5f});
      return game.Click(game.c().omi);
  }
  return false;
}

TEST(StakeBarFitTest, TheBarOffersThePurseUpToTheCeilingInStepsOfATenth) {
  for (Caller caller : {Caller::StartUp, Caller::Settlement, Caller::Fortune}) {
    for (const Fit& fit : kFits) {
      SCOPED_TRACE(::testing::Message() << "caller " << static_cast<int>(caller) << ", purse " << fit.purse);
      TestGame game;
      if (!ReachPurseThrough(caller, game, fit.purse)) continue;
      EXPECT_EQ(game.c().KakeHScroll.Max(), fit.max);
      EXPECT_EQ(game.c().KakeHScroll.LargeChange(), fit.large_change);
      EXPECT_EQ(game.c().KakeHScroll.SmallChange(), 1);
      EXPECT_LE(game.s().PlayerBet, std::max(fit.purse, 1));  // never a stake beyond the purse
    }
  }
}

}  // namespace

#include "support/test_game.h"

namespace testing_support {

TestGame::TestGame(Timer1Mode timer1, platform::RandomSource* real_random) {
  game::Services services{real_random ? *real_random : random, boxes, clock, address, settings, media, program_end,
                          "/opt/mascot race"};
  session_ = std::make_unique<game::GameSession>(services, time, timer1);
}

void TestGame::Start(std::vector<float> speeds) {
  random.Push(std::move(speeds));
  session_->Start();
}

void TestGame::AdvanceMicros(std::int64_t micros) {
  platform::AdvanceVirtualTime(session_->scheduler(), time, time.NowMicros() + micros);
}

}  // namespace testing_support

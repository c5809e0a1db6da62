#include "support/test_game.h"

namespace testing_support {

TestGame::TestGame(Options options) {
  game::Services services{options.random ? *options.random : random,
                          options.message_boxes ? *options.message_boxes : boxes,
                          clock,
                          address,
                          settings,
                          media,
                          program_end,
                          "/opt/mascot race",
                          records};
  session_ = std::make_unique<game::GameSession>(services, time, options.timer1);
}

void TestGame::Start(std::vector<float> speeds) {
  random.Push(std::move(speeds));
  session_->Start();
}

void TestGame::AdvanceMicros(std::int64_t micros) {
  platform::AdvanceVirtualTime(session_->scheduler(), time, time.NowMicros() + micros);
}

}  // namespace testing_support

#include "platform/dispatcher.h"

#include <cstdio>
#include <exception>

#include "platform/service_interfaces.h"

namespace platform {

Dispatcher::Outcome Dispatcher::Run(const std::function<void()>& handler, int position) {
  if (busy_ || ended_) return Outcome::Refused;
  busy_ = true;
  Outcome outcome = Outcome::Ran;
  std::string failure;
  if (observer_) observer_->BeforeHandler(position);
  try {
    handler();
  } catch (const ProgramEnded&) {
    ended_ = true;
    outcome = Outcome::Ended;
  } catch (const std::exception& error) {
    outcome = Outcome::Failed;
    failure = error.what();
  } catch (...) {
    outcome = Outcome::Failed;
    failure = "unknown exception";
  }
  busy_ = false;
  if (observer_) observer_->AfterHandler();
  if (outcome == Outcome::Failed) {
    std::string message = "mascot-race: an event handler failed: " + failure;
    if (log_) {
      log_(message);
    } else {
      std::fprintf(stderr, "%s\n", message.c_str());
    }
  }
  return outcome;
}

}  // namespace platform

// For the few routines that go on after a failed statement: each statement
// runs through SkipOnError, which swallows that statement's GameError only.
#pragma once

#include "platform/numbers.h"

namespace platform {

template <typename Statement>
void SkipOnError(Statement&& statement) {
  try {
    statement();
  } catch (const GameError&) {
    // The statement failed; the routine goes on with the next one.
  }
}

}  // namespace platform

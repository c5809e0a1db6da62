// The services the main window's rules reach the outside world through.
#pragma once

#include <string>

#include "platform/random.h"
#include "platform/service_interfaces.h"

namespace game {

struct Services {
  platform::RandomSource& random;
  platform::MessageBoxes& message_boxes;
  platform::Clock& clock;
  platform::LocalAddress& local_address;
  platform::SettingsStore& settings;
  platform::Media& media;
  platform::ProgramEnd& program_end;
  // The directory of the executable, without a trailing separator.
  std::string app_path;
  // Told of every settled race; keeps nothing unless a keeper is given.
  platform::RaceRecords& records = NoRecords();

  static platform::RaceRecords& NoRecords() {
    static platform::NoRaceRecords none;
    return none;
  }
};

}  // namespace game

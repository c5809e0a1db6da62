// How far a long --simulate run has come, on one line of a terminal redrawn
// in place: races done, races a second and the time left. A run that ends
// within two seconds shows nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace simulation {

class ProgressLine {
 public:
  ProgressLine(std::FILE* terminal, std::uint64_t races) : terminal_(terminal), races_(races) {}
  // Takes the line away again, so the report starts on a clean line.
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Update(std::uint64_t done);

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* terminal_;
  std::uint64_t races_;
  Clock::time_point started_ = Clock::now();
  Clock::time_point drawn_{};
  bool shown_ = false;
};

}  // namespace simulation

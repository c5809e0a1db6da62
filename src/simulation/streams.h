// Where each block of simulated races starts: the game's generator jumped
// ahead, and a stream of its own for the player's pauses. Spelled out in the
// report, so anyone can start the same races again.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace simulation {

// The generator's period is 2^24: jumps are taken modulo that. Successive
// blocks lie a golden-ratio fraction of the period apart, spreading evenly.
inline constexpr std::uint32_t kGeneratorPeriod = 1u << 24;
inline constexpr std::uint32_t kBlockStride = 10368889;

inline std::uint32_t GeneratorJump(std::uint64_t seed, std::uint64_t block) {
  return static_cast<std::uint32_t>((seed + block * kBlockStride) % kGeneratorPeriod);
}

// The pauses: the standard's Mersenne twister, seeded through its own seed
// sequence, so every standard library gives the same stream.
inline std::mt19937_64 PauseStream(std::uint64_t seed, std::uint64_t block) {
  std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                         static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(block >> 32)};
  return std::mt19937_64(sequence);
}

inline std::string StreamsText() {
  return "block b (b = 0, 1, ...) is a fresh game whose generator starts (S + b * " + std::to_string(kBlockStride) +
         ") mod 2^24 draws past its fixed start; the player's pauses come from std::mt19937_64 seeded with "
         "std::seed_seq{S mod 2^32, S div 2^32, b mod 2^32, b div 2^32}";
}

}  // namespace simulation

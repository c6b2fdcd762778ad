#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace quillane {

// The characters a random tag is made of, in this order.
inline constexpr const char* kRandomTagAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

// Where a run's generator gets its seed.
using TSeedSource = std::function<std::uint32_t()>;

// The system's entropy source.
std::uint32_t EntropySeed();

// Three characters, each drawn uniformly from the alphabet. The generator is seeded
// once per run: seeding it again for every file from a clock gave files renamed
// within one tick the same tag.
std::string RandomThreeChars(std::mt19937& generator);

}  // namespace quillane

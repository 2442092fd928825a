#pragma once
// The display driver's private escape 3535: its input blocks, little-endian 16-bit words that
// start with the function number. The output is always 2 bytes and means nothing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/display/timing_set.h"

namespace escape {

inline constexpr int kDisplayEscape = 3535;
inline constexpr std::uint16_t kPanLock = 1;
inline constexpr std::uint16_t kTimingAdjustment = 2;
inline constexpr std::size_t kPanLockSize = 4;
inline constexpr std::size_t kTimingSize = 22;
inline constexpr std::size_t kOutputSize = 2;

// Function 1: 1, then 1 = lock or 0 = unlock.
std::vector<std::uint8_t> PanLockBlock(bool locked);
// Function 2: 2, the nine timing values (0xFFFF = leave unchanged), 0.
std::vector<std::uint8_t> TimingBlock(const std::array<std::uint16_t, kTimingFieldCount>& values);

// Word `index` of a block, or nothing when the block is too short to hold it.
bool ReadWord(const std::uint8_t* block, std::size_t size, std::size_t index, std::uint16_t* word);

}  // namespace escape

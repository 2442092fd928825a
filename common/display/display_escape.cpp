#include "common/display/display_escape.h"

namespace escape {
namespace {

void PutWord(std::vector<std::uint8_t>& block, std::uint16_t word) {
  block.push_back(static_cast<std::uint8_t>(word & 0xFF));
  block.push_back(static_cast<std::uint8_t>(word >> 8));
}

}  // namespace

std::vector<std::uint8_t> PanLockBlock(bool locked) {
  std::vector<std::uint8_t> block;
  PutWord(block, kPanLock);
  PutWord(block, locked ? 1 : 0);
  return block;
}

std::vector<std::uint8_t> TimingBlock(const std::array<std::uint16_t, kTimingFieldCount>& values) {
  std::vector<std::uint8_t> block;
  PutWord(block, kTimingAdjustment);
  for (std::uint16_t value : values) PutWord(block, value);
  PutWord(block, 0);
  return block;
}

bool ReadWord(const std::uint8_t* block, std::size_t size, std::size_t index, std::uint16_t* word) {
  if (block == nullptr || size < 2 * index + 2) return false;
  *word = static_cast<std::uint16_t>(block[2 * index] | (block[2 * index + 1] << 8));
  return true;
}

}  // namespace escape

#include "vistrel/core/mode_list.h"

void ModeList::Build(DisplayDriverApi& driver, settings::Size monitorMaximum) {
  entries_.clear();
  const auto maxWidth = static_cast<std::uint32_t>(monitorMaximum.width);
  const auto maxHeight = static_cast<std::uint32_t>(monitorMaximum.height);
  ModeRecord mode{};
  for (int number = 0; driver.EnumMode(number, &mode); ++number) {
    if (mode.width > maxWidth || mode.height > maxHeight) {
      entries_.emplace_back();
    } else {
      entries_.push_back(ModeEntry{number, mode, 0});
    }
  }
}

int ModeList::Find(std::uint32_t width, std::uint32_t bitsPerPixel) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& entry = entries_[i];
    if (entry && entry->mode.width == width && entry->mode.bitsPerPixel == bitsPerPixel) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ModeList::CountWidths(std::uint32_t bitsPerPixel) const {
  int count = 0;
  for (std::uint32_t width : {640u, 800u, 1024u, 1280u, 1600u}) {
    if (Find(width, bitsPerPixel) >= 0) ++count;
  }
  return count;
}

ModeEntry* ModeList::Entry(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= entries_.size()) return nullptr;
  auto& entry = entries_[static_cast<std::size_t>(position)];
  return entry ? &*entry : nullptr;
}

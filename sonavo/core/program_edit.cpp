#include "sonavo/core/program_edit.h"

#include <algorithm>
#include <cstdio>

namespace sonavo {

namespace {
constexpr std::size_t kMaxName = 64;
}  // namespace

ProgramEdit::ProgramEdit(Disc disc, std::vector<std::uint32_t> lengthsMs, int naming)
    : disc_(std::move(disc)), lengths_(std::move(lengthsMs)), naming_(1) {
  disc_.trackNames.resize(lengths_.size());
  SetNaming(naming);
}

std::string ProgramEdit::DiscLine(int track) const {
  if (track < 1 || track > TrackCount()) return {};
  const std::uint32_t seconds = lengths_[static_cast<std::size_t>(track - 1)] / 1000;
  char time[16];
  std::snprintf(time, sizeof(time), "(%02u:%02u) ", seconds / 60, seconds % 60);
  return time + disc_.trackNames[static_cast<std::size_t>(track - 1)];
}

void ProgramEdit::SetNaming(int track) {
  naming_ = track >= 1 && track <= TrackCount() ? track : 1;
}

bool ProgramEdit::Add(const std::vector<int>& tracks) {
  for (int track : tracks) {
    if (track < 1 || track > TrackCount()) continue;
    if (static_cast<int>(disc_.programList.size()) >= kMaxEntries) return false;
    disc_.programList.push_back(track);
  }
  return true;
}

void ProgramEdit::Remove(const std::vector<int>& positions) {
  std::vector<int> sorted = positions;
  std::sort(sorted.rbegin(), sorted.rend());
  for (int position : sorted) {
    if (position >= 0 && position < static_cast<int>(disc_.programList.size())) {
      disc_.programList.erase(disc_.programList.begin() + position);
    }
  }
}

void ProgramEdit::SetName(const std::string& name) {
  if (TrackCount() == 0) return;
  disc_.trackNames[static_cast<std::size_t>(naming_ - 1)] = name.substr(0, kMaxName);
  naming_ = naming_ % TrackCount() + 1;
}

std::uint32_t ProgramEdit::PlayListMs() const {
  std::uint32_t total = 0;
  for (int track : disc_.programList) total += lengths_[static_cast<std::size_t>(track - 1)];
  return total;
}

std::uint32_t ProgramEdit::DiscMs() const {
  std::uint32_t total = 0;
  for (std::uint32_t length : lengths_) total += length;
  return total;
}

}  // namespace sonavo

#include "machine/core/cd_drive.h"

#include <algorithm>

#include "common/text/number_text.h"

namespace machine {

std::vector<std::uint32_t> ParseCdTracks(const std::string& text) {
  std::vector<std::uint32_t> lengths;
  std::size_t start = 0;
  while (start <= text.size() && lengths.size() < kMaxCdTracks) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const auto length = text::ParseInt(std::string_view(text).substr(start, comma - start));
    if (!length || *length <= 0) break;
    lengths.push_back(static_cast<std::uint32_t>(*length));
    start = comma + 1;
  }
  return lengths;
}

void LoadDisc(CdDriveBlock& drive, const std::vector<std::uint32_t>& lengthsMs, bool inserted,
              bool doorOpen) {
  const std::uint32_t held = drive.heldElsewhere;
  drive = CdDriveBlock{};
  drive.heldElsewhere = held;
  drive.trackCount =
      static_cast<std::uint32_t>(std::min<std::size_t>(lengthsMs.size(), kMaxCdTracks));
  std::copy_n(lengthsMs.begin(), drive.trackCount, drive.lengthsMs);
  drive.inserted = inserted && drive.trackCount > 0;
  drive.doorOpen = doorOpen;
}

void Eject(CdDriveBlock& drive) {
  if (drive.inserted) ++drive.discChanges;
  drive.inserted = 0;
  drive.play = PlayClock{};
}

void Insert(CdDriveBlock& drive, const std::vector<std::uint32_t>& lengthsMs) {
  const std::uint32_t changes = drive.discChanges + 1;
  LoadDisc(drive, lengthsMs, true, false);
  drive.discChanges = changes;
}

void SetDoor(CdDriveBlock& drive, bool open, std::uint64_t nowMs) {
  if (open) Stop(drive, nowMs);
  drive.doorOpen = open;
}

bool MediaPresent(const CdDriveBlock& drive) {
  return drive.inserted && !drive.doorOpen;
}

CdMode Mode(const CdDriveBlock& drive, std::uint64_t nowMs) {
  if (!MediaPresent(drive)) return CdMode::Open;
  if (IsPlaying(drive.play, nowMs)) return CdMode::Playing;
  return drive.play.paused ? CdMode::Paused : CdMode::Stopped;
}

std::uint32_t TrackStart(const CdDriveBlock& drive, std::uint32_t track) {
  std::uint32_t start = kCdLeadInMs;
  for (std::uint32_t t = 1; t < track && t <= drive.trackCount; ++t)
    start += drive.lengthsMs[t - 1];
  return start;
}

std::uint32_t DiscLength(const CdDriveBlock& drive) {
  return TrackStart(drive, drive.trackCount + 1);
}

std::uint32_t Position(const CdDriveBlock& drive, std::uint64_t nowMs) {
  return Position(drive.play, nowMs);
}

std::uint32_t CurrentTrack(const CdDriveBlock& drive, std::uint64_t nowMs) {
  const std::uint32_t position = Position(drive, nowMs);
  std::uint32_t track = drive.trackCount > 0 ? 1 : 0;
  for (std::uint32_t t = 2; t <= drive.trackCount; ++t) {
    if (TrackStart(drive, t) <= position) track = t;
  }
  return track;
}

bool Play(CdDriveBlock& drive, std::uint32_t from, std::uint32_t to, std::uint64_t nowMs) {
  if (!MediaPresent(drive) || from > to || to > DiscLength(drive)) return false;
  Start(drive.play, std::max(from, kCdLeadInMs), to, nowMs);
  return true;
}

std::uint64_t PlayEndsAt(const CdDriveBlock& drive) {
  return EndsAt(drive.play);
}

void Pause(CdDriveBlock& drive, std::uint64_t nowMs) {
  Pause(drive.play, nowMs);
}

void Stop(CdDriveBlock& drive, std::uint64_t nowMs) {
  Stop(drive.play, nowMs);
}

bool Seek(CdDriveBlock& drive, std::uint32_t to, std::uint64_t nowMs) {
  if (!MediaPresent(drive) || to > DiscLength(drive)) return false;
  MoveTo(drive.play, std::max(to, kCdLeadInMs), nowMs);
  return true;
}

}  // namespace machine

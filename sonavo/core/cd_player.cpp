#include "sonavo/core/cd_player.h"

#include <algorithm>

namespace sonavo {

void CdPlayer::Tick() {
  const DeckState state = StateOfMode(host_.DeviceMode(), engine_.Paused());
  if (state == DeckState::Seeking) return;
  if (state != state_) {
    state_ = state;
    view_.ShowState(state);
  }
  const bool media = reader_.MediaPresent();
  if (!engine_.Loaded() && media) {
    Scan();
  } else if (engine_.Loaded() && !media) {
    engine_.Unload();
    discId_.clear();
    disc_ = Disc{};
  }
  // While the user seeks, the deck shows where the gesture is, not where the disc plays.
  if (engine_.Seeking()) {
    ShowCurrent();
    return;
  }
  if (state == DeckState::Playing && engine_.Loaded()) {
    const std::uint32_t position = host_.Position();
    engine_.CdPlaying(position);
    const EntryTimes times = engine_.Times(engine_.Current());
    view_.ShowTime(position > times.start ? position - times.start : 0, times.length);
  } else if (state != DeckState::Paused && state != DeckState::NotReady) {
    view_.ShowTime(0, engine_.Times(engine_.Current()).length);
  }
  ShowCurrent();
}

void CdPlayer::Close() {
  if (!discId_.empty() && engine_.Current() > 0) {
    catalogue_.SaveSelection(discId_, engine_.Current());
  }
}

std::vector<std::uint32_t> CdPlayer::TrackLengths() const {
  std::vector<std::uint32_t> lengths;
  for (int track = 1; track <= engine_.EntryCount(); ++track) {
    lengths.push_back(engine_.Times(track).length);
  }
  return lengths;
}

bool CdPlayer::SaveEdit(const std::string& identifier, const Disc& disc) {
  const bool written = catalogue_.Write(identifier, disc);
  if (identifier == discId_) {
    disc_.title = disc.title;
    disc_.artist = disc.artist;
    disc_.trackNames = disc.trackNames;
    disc_.programList = disc.programList;
    engine_.SetProgramList(disc.programList);
    shownEntry_ = -1;
    ShowCurrent();
  }
  return written;
}

void CdPlayer::Scan() {
  const int count = std::clamp(reader_.TrackCount(), 0, kMaxEntries);
  if (count == 0) return;
  std::vector<EntryTimes> tracks;
  std::vector<std::uint32_t> lengths;
  for (int track = 1; track <= count; ++track) {
    std::uint32_t length = reader_.TrackLength(track);
    if (track == count) length -= length % 1000;
    tracks.push_back({reader_.TrackStart(track), length});
    lengths.push_back(length);
  }
  discId_ = CdIdentifier(lengths);
  disc_ = catalogue_.Read(discId_, count);
  engine_.LoadDisc(tracks, disc_.programList, disc_.selection, autoPlay_);
  shownEntry_ = -1;
}

void CdPlayer::ShowCurrent() {
  const int entry = engine_.Loaded() ? engine_.Current() : 0;
  if (entry == shownEntry_) return;
  shownEntry_ = entry;
  const bool named = entry >= 1 && entry <= static_cast<int>(disc_.trackNames.size());
  view_.ShowEntry(entry, named ? disc_.trackNames[static_cast<std::size_t>(entry - 1)] : "");
}

}  // namespace sonavo

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
  const bool media = disc_.MediaPresent();
  if (!engine_.Loaded() && media) {
    Scan();
  } else if (engine_.Loaded() && !media) {
    engine_.Unload();
    discId_.clear();
    trackNames_.clear();
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

void CdPlayer::Scan() {
  const int count = std::clamp(disc_.TrackCount(), 0, kMaxEntries);
  if (count == 0) return;
  std::vector<EntryTimes> tracks;
  std::vector<std::uint32_t> lengths;
  for (int track = 1; track <= count; ++track) {
    std::uint32_t length = disc_.TrackLength(track);
    if (track == count) length -= length % 1000;
    tracks.push_back({disc_.TrackStart(track), length});
    lengths.push_back(length);
  }
  discId_ = CdIdentifier(lengths);
  const Disc disc = catalogue_.Read(discId_, count);
  trackNames_ = disc.trackNames;
  engine_.LoadDisc(tracks, disc.programList, disc.selection, autoPlay_);
  shownEntry_ = -1;
}

void CdPlayer::ShowCurrent() {
  const int entry = engine_.Loaded() ? engine_.Current() : 0;
  if (entry == shownEntry_) return;
  shownEntry_ = entry;
  const bool named = entry >= 1 && entry <= static_cast<int>(trackNames_.size());
  view_.ShowEntry(entry, named ? trackNames_[static_cast<std::size_t>(entry - 1)] : "");
}

}  // namespace sonavo

#include "sonavo/core/engine.h"

#include <algorithm>
#include <utility>

#include "sonavo/core/album_files.h"

namespace sonavo {
namespace {

constexpr std::uint32_t kModePlay = 526;
constexpr std::uint32_t kModeSeek = 528;

}  // namespace

void Engine::LoadDisc(const std::vector<EntryTimes>& tracks, std::vector<int> programList,
                      int selection, bool autoPlay) {
  entries_.assign(tracks.begin(),
                  tracks.begin() + std::min<std::ptrdiff_t>(tracks.size(), kMaxEntries));
  SetProgramList(std::move(programList));
  mode_ = PlayMode::Normal;
  paused_ = false;
  seeking_ = false;
  ClearAB();
  const int count = EntryCount();
  current_ = selection >= 1 && selection <= count ? selection : 1;
  // A disc that plays already (started before the player) is picked up at its track.
  if (host_.DeviceMode() == kModePlay) {
    current_ = TrackAt(host_.Position());
    armed_ = true;
    PlayRange(std::nullopt, DiscEnd());
  } else if (autoPlay || playWhenReady_) {
    armed_ = true;
    SelectAndPlay(current_, &Engine::DiscEndOf);
  }
  playWhenReady_ = false;
}

void Engine::LoadAlbum(int entries, int selection) {
  entries_.assign(static_cast<std::size_t>(std::clamp(entries, 0, kMaxEntries)), EntryTimes{});
  std::vector<int> all;
  for (int entry = 1; entry <= EntryCount(); ++entry) all.push_back(entry);
  SetProgramList(std::move(all));
  current_ = 0;
  entryOpen_ = false;
  failedEntries_.clear();
  paused_ = false;
  armed_ = false;
  seeking_ = false;
  ClearAB();
  if (entries_.empty()) {
    mode_ = PlayMode::None;
    return;
  }
  mode_ = PlayMode::Normal;
  const int first = selection >= 1 && selection <= EntryCount() ? selection : 1;
  programIndex_ = static_cast<std::size_t>(first - 1);
  Select(first);
}

void Engine::Unload() {
  entries_.clear();
  mode_ = PlayMode::None;
  current_ = 0;
  entryOpen_ = false;
  paused_ = false;
  armed_ = false;
  seeking_ = false;
  ClearAB();
}

void Engine::SetProgramList(std::vector<int> programList) {
  if (programList.size() > static_cast<std::size_t>(kMaxEntries)) programList.resize(kMaxEntries);
  programList_ = std::move(programList);
  programIndex_ = 0;
}

void Engine::PlayPause() {
  if (!Loaded()) {
    if (!IsAlbum()) {
      host_.CloseDoor();
      playWhenReady_ = true;
    }
    return;
  }
  armed_ = true;
  if (paused_) {
    PlayRange(std::nullopt, end_);
  } else if (host_.DeviceMode() == kModePlay) {
    host_.Pause();
    paused_ = true;
  } else {
    StartByMode();
  }
}

void Engine::StartByMode() {
  switch (Effective()) {
    case PlayMode::Intro:
      SelectAndPlay(1, &Engine::IntroEnd);
      break;
    case PlayMode::Shuffle: {
      ShuffleGenerator generator(host_.ShuffleSeed());
      shuffleOrder_ = BuildShuffleOrder(EntryCount(), generator);
      shufflePosition_ = 0;
      SelectAndPlay(shuffleOrder_.front(), &Engine::EntryEnd);
      break;
    }
    case PlayMode::Program:
      if (programList_.empty()) return;
      programIndex_ = IsAlbum() ? static_cast<std::size_t>(std::max(current_, 1) - 1) : 0;
      SelectAndPlay(programList_[programIndex_], &Engine::EntryEnd);
      break;
    default:
      SelectAndPlay(current_, &Engine::DiscEndOf);
      break;
  }
}

void Engine::RangeEnded() {
  // Some drivers (Wine's video driver) report a play that a pause or seek cut short as a
  // success: the range has not ended while paused or seeking, nor while a newer play runs.
  if (!Loaded() || paused_ || seeking_ || host_.DeviceMode() == kModePlay) return;
  const int count = EntryCount();
  switch (Effective()) {
    case PlayMode::Normal:
      if (trackRepeat_) {
        PlayRange(Times(current_).start, EntryEnd(current_));
      } else if (repeat_) {
        SelectAndPlay(1, &Engine::DiscEndOf);
      }
      break;
    case PlayMode::Intro: {
      int next = current_ + 1;
      if (next > count) {
        if (!repeat_) return;
        next = 1;
      }
      SelectAndPlay(next, &Engine::IntroEnd);
      break;
    }
    case PlayMode::Shuffle:
      if (shuffleOrder_.empty()) return;
      if (++shufflePosition_ >= shuffleOrder_.size()) {
        if (!repeat_) return;
        shufflePosition_ = 0;
      }
      SelectAndPlay(shuffleOrder_[shufflePosition_], &Engine::EntryEnd);
      break;
    case PlayMode::Program:
      if (programList_.empty()) return;
      if (IsAlbum() && trackRepeat_) {
        SelectAndPlay(current_, &Engine::EntryEnd);
        return;
      }
      if (++programIndex_ >= programList_.size()) {
        // Past the last entry: stopped, not played once more.
        if (!repeat_) {
          programIndex_ = programList_.size() - 1;
          host_.PostStop();
          return;
        }
        programIndex_ = 0;
      }
      SelectAndPlay(programList_[programIndex_], &Engine::EntryEnd);
      break;
    case PlayMode::AB:
      if (repeat_ && a_ && b_) {
        PlayRange(*a_, *b_ + 1);
      } else {
        LeaveAB();
      }
      break;
    case PlayMode::None:
      break;
  }
}

void Engine::CdPlaying(std::uint32_t position) {
  if (IsAlbum() || mode_ != PlayMode::Normal || current_ == 0) return;
  const int track = TrackAt(position);
  if (track == current_) return;
  if (trackRepeat_) {
    PlayRange(Times(current_).start, DiscEnd());
  } else {
    current_ = track;
  }
}

int Engine::TrackAt(std::uint32_t position) const {
  // The device reports the end of the track it leaves for a moment after a new play starts.
  constexpr std::uint32_t kTrackTail = 500;
  int track = EntryCount() > 0 ? 1 : 0;
  for (int entry = 1; entry <= EntryCount(); ++entry) {
    if (Times(entry).start <= position) track = entry;
  }
  if (current_ >= 1 && track != current_ && position + kTrackTail >= EntryEnd(track)) {
    return current_;
  }
  return track;
}

std::uint32_t Engine::SteppedOffset(std::uint32_t offset, int direction, std::uint32_t step) const {
  const std::uint32_t rangeLength = RangeEnd() - Times(current_).start;
  if (direction < 0) return offset < step ? rangeLength : offset - step;
  return offset + step > rangeLength ? 0 : offset + step;
}

void Engine::BeginSeek() {
  if (!CanSeek() || seeking_) return;
  playedBeforeSeek_ = host_.DeviceMode() == kModePlay;
  if (end_ == 0 || !paused_) end_ = RangeEnd();
  seeking_ = true;
  paused_ = true;
}

void Engine::EndSeek(std::uint32_t offset, bool wait) {
  if (!seeking_) return;
  seeking_ = false;
  host_.Pause();
  host_.Seek(Times(current_).start + offset, wait);
  if (playedBeforeSeek_) {
    PlayRange(std::nullopt, end_);
  }
}

void Engine::ChangeUnit(const EntryTimes& current) {
  LeaveAB();
  end_ = 0;
  if (current_ >= 1 && current_ <= EntryCount()) {
    entries_[static_cast<std::size_t>(current_ - 1)] = current;
  }
}

void Engine::DragTo(std::uint32_t offset) {
  if (!seeking_ || kind_ != PlayerKind::Video || host_.DeviceMode() == kModeSeek) return;
  host_.Seek(Times(current_).start + offset, false);
}

void Engine::Next() {
  Step(+1);
}

void Engine::Previous() {
  Step(-1);
}

void Engine::Step(int direction) {
  if (!Loaded() || !armed_ || mode_ == PlayMode::AB) return;
  const int count = EntryCount();
  switch (Effective()) {
    case PlayMode::Normal:
      SelectAndPlay(Wrap(current_ - 1 + direction, count) + 1, &Engine::DiscEndOf);
      break;
    case PlayMode::Intro:
      SelectAndPlay(Wrap(current_ - 1 + direction, count) + 1, &Engine::IntroEnd);
      break;
    case PlayMode::Shuffle:
      if (shuffleOrder_.empty()) return;
      shufflePosition_ = static_cast<std::size_t>(Wrap(
          static_cast<int>(shufflePosition_) + direction, static_cast<int>(shuffleOrder_.size())));
      SelectAndPlay(shuffleOrder_[shufflePosition_], &Engine::EntryEnd);
      break;
    case PlayMode::Program:
      if (programList_.empty()) return;
      programIndex_ = static_cast<std::size_t>(
          Wrap(static_cast<int>(programIndex_) + direction, static_cast<int>(programList_.size())));
      SelectAndPlay(programList_[programIndex_], &Engine::EntryEnd);
      break;
    default:
      break;
  }
}

void Engine::TrackButton(int entry) {
  if (!Loaded() || entry < 1 || entry > EntryCount()) return;
  // Out of A=B with the repeat setting it had put aside.
  LeaveAB();
  if (mode_ != PlayMode::Normal) LeaveMode(PlayMode::Normal);
  armed_ = true;
  if (IsAlbum()) {
    programIndex_ = static_cast<std::size_t>(entry - 1);
    SelectAndPlay(entry, &Engine::EntryEnd);
  } else {
    SelectAndPlay(entry, &Engine::DiscEndOf);
  }
}

void Engine::NextMode() {
  if (!Loaded()) return;
  Stop();
  const PlayMode last = IsAlbum() ? PlayMode::Shuffle : PlayMode::Program;
  const int next = mode_ >= last ? 0 : static_cast<int>(mode_) + 1;
  LeaveMode(static_cast<PlayMode>(next));
}

void Engine::ChooseMode(PlayMode mode) {
  if (!Loaded() || mode == mode_) return;
  Stop();
  LeaveMode(mode);
}

void Engine::LeaveMode(PlayMode mode) {
  mode_ = mode;
  trackRepeat_ = false;
  armed_ = mode == PlayMode::Normal;
}

void Engine::RepeatButton() {
  if (mode_ != PlayMode::Normal) {
    repeat_ = !repeat_;
  } else if (!repeat_) {
    repeat_ = true;
    trackRepeat_ = false;
  } else if (!trackRepeat_) {
    trackRepeat_ = true;
  } else {
    repeat_ = trackRepeat_ = false;
  }
}

void Engine::AbButton() {
  if (!Loaded() || !armed_) return;
  if (a_ && b_) {
    LeaveAB();
    PlayRange(std::nullopt, IsAlbum() ? EntryEnd(current_) : DiscEnd());
    return;
  }
  const bool ready = StateOfMode(host_.DeviceMode(), paused_) == DeckState::Ready;
  const std::uint32_t position = ready ? Times(current_).start : host_.Position();
  if (!a_) {
    a_ = position;
    return;
  }
  if (position == *a_) {
    ClearAB();
    return;
  }
  b_ = position;
  if (*b_ < *a_) std::swap(a_, b_);
  mode_ = PlayMode::AB;
  savedRepeat_ = repeat_;
  repeat_ = true;
  PlayRange(*a_, *b_ + 1);
}

void Engine::Stop() {
  failedEntries_.clear();
  if (!Loaded()) return;
  LeaveAB();
  paused_ = false;
  host_.StopDevice();
}

std::uint32_t Engine::RangeEnd() const {
  if (!Loaded() || current_ == 0) return 0;
  switch (Effective()) {
    case PlayMode::Normal:
      return DiscEnd();
    case PlayMode::Intro:
      return IntroEnd(current_);
    case PlayMode::AB:
      return b_ ? *b_ + 1 : DiscEnd();
    default:
      return EntryEnd(current_);
  }
}

PlayMode Engine::Effective() const {
  return IsAlbum() && mode_ == PlayMode::Normal ? PlayMode::Program : mode_;
}

std::uint32_t Engine::DiscEnd() const {
  return entries_.empty() ? 0 : entries_.back().start + entries_.back().length;
}

std::uint32_t Engine::EntryEnd(int entry) const {
  return Times(entry).start + Times(entry).length;
}

std::uint32_t Engine::IntroEnd(int entry) const {
  return Times(entry).start + std::min(Times(entry).length, introMs_);
}

bool Engine::Select(int entry) {
  if (entry < 1 || entry > EntryCount()) return false;
  if (entry == current_ && (!IsAlbum() || entryOpen_)) return true;
  ClearAB();
  current_ = entry;
  entryOpen_ = host_.SelectEntry(entry, &entries_[static_cast<std::size_t>(entry - 1)]);
  return entryOpen_;
}

void Engine::PlayRange(std::optional<std::uint32_t> from, std::uint32_t to) {
  end_ = to;
  paused_ = false;
  host_.Play(from, to);
}

void Engine::SelectAndPlay(int entry, std::uint32_t (Engine::*end)(int) const) {
  // A whole round of files that fail (or one failing file repeated) ends play: with Repeat the
  // sequence would go round them, an error box each, for ever.
  if (failedEntries_.count(entry) != 0) {
    host_.PostStop();
    return;
  }
  if (!Select(entry)) {
    failedEntries_.insert(entry);
    host_.PostRangeEnded();
    return;
  }
  failedEntries_.clear();
  PlayRange(Times(entry).start, (this->*end)(entry));
}

void Engine::ClearAB() {
  a_.reset();
  b_.reset();
}

void Engine::LeaveAB() {
  if (mode_ == PlayMode::AB) {
    mode_ = PlayMode::Normal;
    repeat_ = savedRepeat_;
  }
  ClearAB();
}

}  // namespace sonavo

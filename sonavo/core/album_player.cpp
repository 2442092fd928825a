#include "sonavo/core/album_player.h"

namespace sonavo {

std::string FileTitle(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1).substr(0, 64);
}

bool AlbumPlayer::Load(const std::string& name, bool autoPlay) {
  const Album album = albums_.Read(name);
  albumName_ = name;
  paths_ = album.paths;
  host_.SetEntries(paths_);
  shownEntry_ = -1;
  engine_.LoadAlbum(static_cast<int>(paths_.size()), album.selection);
  ShowCurrent();
  if (!engine_.Loaded()) return false;
  if (autoPlay) {
    if (host_.IsOpen()) {
      engine_.PlayPause();
    } else {
      host_.PostRangeEnded();
    }
  }
  return true;
}

bool AlbumPlayer::LoadFile(const std::string& path, bool autoPlay) {
  albums_.WritePreview({path});
  return Load(kPreviewAlbum, autoPlay);
}

void AlbumPlayer::Tick() {
  // No file open (the entry's failed): nothing plays, whatever played before.
  const DeckState state =
      host_.IsOpen() ? StateOfMode(host_.DeviceMode(), engine_.Paused()) : DeckState::Ready;
  if (state == DeckState::Seeking) return;
  if (state != state_) {
    state_ = state;
    view_.ShowState(state);
  }
  // While the user seeks, the deck shows where the gesture is, not where the file plays.
  if (!engine_.Seeking() && host_.IsOpen()) ShowTime(state);
  ShowCurrent();
}

void AlbumPlayer::ShowTime(DeckState state) {
  const EntryTimes times = engine_.Times(engine_.Current());
  if (state == DeckState::Playing) {
    const std::uint32_t position = host_.Position();
    view_.ShowTime(position > times.start ? position - times.start : 0, times.length);
  } else if (!engine_.Paused()) {
    view_.ShowTime(0, times.length);
  }
}

void AlbumPlayer::Close() {
  if (!albumName_.empty() && engine_.Current() > 0) {
    albums_.SaveSelection(albumName_, engine_.Current());
  }
}

void AlbumPlayer::ShowCurrent() {
  const int entry = engine_.Loaded() ? engine_.Current() : 0;
  if (entry == shownEntry_) return;
  shownEntry_ = entry;
  const bool known = entry >= 1 && entry <= static_cast<int>(paths_.size());
  view_.ShowEntry(entry, known ? FileTitle(paths_[static_cast<std::size_t>(entry - 1)]) : "");
}

}  // namespace sonavo

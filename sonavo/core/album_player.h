#pragma once
// The file players' side of the deck: loading an album (or the preview album of a file handed
// over) into the engine, and the deck's tick while a file plays.

#include <string>
#include <vector>

#include "common/store/profile_store.h"
#include "sonavo/core/album_files.h"
#include "sonavo/core/cd_player.h"
#include "sonavo/core/engine.h"

namespace sonavo {

// A file player's device: the engine's host, told which files the entries are.
class FileHost : public EngineHost {
 public:
  // The entries' paths; the device is closed until an entry is selected.
  virtual void SetEntries(const std::vector<std::string>& paths) = 0;
  virtual bool IsOpen() const = 0;
};

class AlbumPlayer {
 public:
  AlbumPlayer(PlayerKind kind, FileHost& host, ProfileStore& albumFile, DeckView& view)
      : host_(host), albums_(albumFile), view_(view), engine_(kind, host) {}

  Engine& engine() { return engine_; }
  // Loads the album: its entries, the selected one opened, playing with `autoPlay` (a first
  // entry that does not open is skipped then). False for an album without entries.
  bool Load(const std::string& name, bool autoPlay);
  // A single file handed over: written as the preview album and loaded.
  bool LoadFile(const std::string& path, bool autoPlay);
  const std::string& AlbumName() const { return albumName_; }
  // The deck's tick.
  void Tick();
  // The player closes: the current entry is kept as the album's selection.
  void Close();

 private:
  void ShowCurrent();
  void ShowTime(DeckState state);

  FileHost& host_;
  AlbumFile albums_;
  DeckView& view_;
  Engine engine_;
  std::string albumName_;
  std::vector<std::string> paths_;
  DeckState state_ = DeckState::Unknown;
  int shownEntry_ = -1;
};

// The name a file shows: its path after the last backslash, at most 64 characters.
std::string FileTitle(const std::string& path);

}  // namespace sonavo

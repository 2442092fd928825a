#pragma once
// The CD player's side of the deck's tick: the device's state for the status line, a disc that
// arrives (scanned, looked up in "cd.abm", picked up if it plays already) or leaves, and the
// track and time while it plays.

#include <cstdint>
#include <string>
#include <vector>

#include "common/store/profile_store.h"
#include "sonavo/core/album_files.h"
#include "sonavo/core/engine.h"

namespace sonavo {

// The disc as the drive reports it, positions and lengths in milliseconds.
class DiscReader {
 public:
  virtual ~DiscReader() = default;
  virtual bool MediaPresent() = 0;
  virtual int TrackCount() = 0;
  virtual std::uint32_t TrackStart(int track) = 0;
  virtual std::uint32_t TrackLength(int track) = 0;
};

// What the deck shows.
class DeckView {
 public:
  virtual ~DeckView() = default;
  virtual void ShowState(DeckState state) = 0;
  // The current entry's name (empty: none) and number (0: none).
  virtual void ShowEntry(int entry, const std::string& name) = 0;
  // How far the current entry has played, of its length, in milliseconds.
  virtual void ShowTime(std::uint32_t offsetMs, std::uint32_t lengthMs) = 0;
};

class CdPlayer {
 public:
  CdPlayer(EngineHost& host, DiscReader& disc, ProfileStore& albumFile, DeckView& view,
           std::string trackWord)
      : host_(host),
        reader_(disc),
        catalogue_(albumFile, std::move(trackWord)),
        view_(view),
        engine_(PlayerKind::Cd, host) {}

  Engine& engine() { return engine_; }
  void SetAutoPlay(bool autoPlay) { autoPlay_ = autoPlay; }
  // The deck's tick.
  void Tick();
  // The player closes: the disc's current track is kept as its selection.
  void Close();

  // The disc in the drive: its identifier (empty without one), its record and its lengths.
  const std::string& DiscId() const { return discId_; }
  const Disc& CurrentDisc() const { return disc_; }
  std::vector<std::uint32_t> TrackLengths() const;
  // What Program Edit keeps for the disc `identifier`: written to the catalogue, and taken by
  // the player when that disc is still in the drive. False when the file could not be written.
  bool SaveEdit(const std::string& identifier, const Disc& disc);

 private:
  void Scan();
  void ShowCurrent();

  EngineHost& host_;
  DiscReader& reader_;
  CdCatalogue catalogue_;
  DeckView& view_;
  Engine engine_;
  bool autoPlay_ = false;
  DeckState state_ = DeckState::Unknown;
  std::string discId_;
  Disc disc_;
  int shownEntry_ = -1;
};

}  // namespace sonavo

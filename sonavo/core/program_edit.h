#pragma once
// What the CD player's Program Edit dialog edits: the disc's title, artist, track names and play
// list, with the lines and totals its lists show.

#include <cstdint>
#include <string>
#include <vector>

#include "sonavo/core/album_files.h"

namespace sonavo {

class ProgramEdit {
 public:
  // The disc as the catalogue has it, with its tracks' lengths in milliseconds.
  ProgramEdit(Disc disc, std::vector<std::uint32_t> lengthsMs, int naming);

  const Disc& disc() const { return disc_; }
  int TrackCount() const { return static_cast<int>(lengths_.size()); }
  // "(%02d:%02d) %s": the disc list's line of a track (1-based), its length and name.
  std::string DiscLine(int track) const;
  // The track being named.
  int Naming() const { return naming_; }
  void SetNaming(int track);

  // Appends tracks to the play list; false when it is full (99), with what fitted added.
  bool Add(const std::vector<int>& tracks);
  // Removes the play list's lines at these positions (0-based).
  void Remove(const std::vector<int>& positions);
  void Clear() { disc_.programList.clear(); }
  // Names the track being named and moves on to the next (after the last, the first).
  void SetName(const std::string& name);
  void SetTitle(const std::string& title) { disc_.title = title; }
  void SetArtist(const std::string& artist) { disc_.artist = artist; }

  std::uint32_t PlayListMs() const;
  std::uint32_t DiscMs() const;

 private:
  Disc disc_;
  std::vector<std::uint32_t> lengths_;
  int naming_;
};

}  // namespace sonavo

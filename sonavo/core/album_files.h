#pragma once
// The album files of the media deck, one per player kind in the program's folder: "cd.abm", the
// catalogue of every audio disc ever inserted, keyed by an identifier made from its track
// lengths; "midi.abm", "wave.abm" and "video.abm", named lists of up to 99 file paths. Writes
// report whether the file took them; a file that cannot be written leaves the caller's entries
// as they were.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/store/profile_store.h"

namespace sonavo {

// Tracks of a disc, files of an album, entries of a play list.
inline constexpr int kMaxEntries = 99;

// "%08lX" of the sum of track number x length in milliseconds over the disc's tracks (at most
// 99), the last length cut to whole seconds, in 32-bit arithmetic that wraps.
std::string CdIdentifier(const std::vector<std::uint32_t>& trackLengthsMs);

// A "Playlist" value: split at blanks, each item read as a decimal number (as atoi reads it),
// items that read as 0 or fall outside 1..`trackCount` skipped, at most 99 taken.
std::vector<int> ParsePlaylist(std::string_view text, int trackCount);
// Each entry as "%d " (so the text ends in a blank).
std::string FormatPlaylist(const std::vector<int>& programList);

struct Disc {
  std::string title;
  std::string artist;
  std::vector<std::string> trackNames;  // tracks 1..N
  std::vector<int> programList;
  int selection = 1;  // the track current when the player last closed
};

class CdCatalogue {
 public:
  // `trackWord` names the default tracks: "Track" gives Track 01, Track 02 ...
  CdCatalogue(ProfileStore& file, std::string trackWord)
      : file_(file), trackWord_(std::move(trackWord)) {}

  // The disc's record; a disc not yet known is added to "CD List" and gets its section with
  // the defaults first (an empty title and artist, default names, the play list 1..N).
  Disc Read(const std::string& identifier, int trackCount);
  // What Program Edit's OK keeps: title, artist, track names and play list.
  bool Write(const std::string& identifier, const Disc& disc);
  bool SaveSelection(const std::string& identifier, int track);

 private:
  bool Known(const std::string& identifier);
  bool Add(const std::string& identifier, int trackCount);
  std::string DefaultTrackName(int track) const;

  ProfileStore& file_;
  std::string trackWord_;
};

// The album of the files last handed over or chosen without saving; never listed.
inline constexpr const char* kPreviewAlbum = "P-r-e-v-i-e-w";
inline constexpr std::size_t kMaxAlbumName = 32;

// Names an album cannot have: the file's list of albums and the preview album (in any case).
bool ReservedAlbumName(const std::string& name);

struct Album {
  std::vector<std::string> paths;  // folder (ending in a backslash) and file name
  int selection = 1;               // 1-based
};

class AlbumFile {
 public:
  explicit AlbumFile(ProfileStore& file) : file_(file) {}

  // The saved albums' names, in the order they were saved.
  std::vector<std::string> Names();
  // A missing album reads as an empty one.
  Album Read(const std::string& name);
  // The album's section written anew; a listed album is also added to "List of Albums". The
  // selection is written only when there are entries.
  bool Save(const std::string& name, const Album& album, bool listed);
  // The preview album: these files, the first selected.
  bool WritePreview(const std::vector<std::string>& paths);
  // The album's section and its name in "List of Albums".
  bool Delete(const std::string& name);
  bool SaveSelection(const std::string& name, int entry);
  // "%s %02d" of `albumWord` with the first number from 1 that no saved album has ("Album 02"
  // between Album 01 and Album 03), compared without regard to case.
  std::string NewName(const std::string& albumWord);

 private:
  ProfileStore& file_;
};

// Total times of the Program Edit dialog and the album panel: "%d:%02d (%s)" with `minSec`
// while the minutes stay below 99, else "%d:%02d:%02d (%s)" with `hrMinSec`; with hundredths,
// the seconds carry ".%02d" of them.
std::string FormatTotalTime(std::uint32_t milliseconds, bool hundredths, const std::string& minSec,
                            const std::string& hrMinSec);

}  // namespace sonavo

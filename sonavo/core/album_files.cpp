#include "sonavo/core/album_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace sonavo {
namespace {

constexpr const char* kCdList = "CD List";
constexpr const char* kDiscCount = "Number of CDs";
constexpr const char* kTitle = "Title";
constexpr const char* kArtist = "Artist";
constexpr const char* kPlaylist = "Playlist";
constexpr const char* kSelection = "Selection";
constexpr const char* kAlbumList = "List of Albums";
constexpr const char* kTracks = "Tracks";

// Buffers, one more than the characters each value may hold.
constexpr std::size_t kNameBuffer = 65;
constexpr std::size_t kPlaylistBuffer = 401;
constexpr std::size_t kAlbumListBuffer = 3277;
constexpr std::size_t kPathBuffer = 520;
constexpr std::size_t kNumberBuffer = 16;
constexpr std::size_t kCdListBuffer = 32768;

std::string Numbered(const std::string& word, int number) {
  char text[96];
  std::snprintf(text, sizeof(text), "%s %02d", word.c_str(), number);
  return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

int SelectionWithin(int selection, int count) {
  return selection >= 1 && selection <= count ? selection : 1;
}

}  // namespace

std::string CdIdentifier(const std::vector<std::uint32_t>& trackLengthsMs) {
  const std::size_t count = std::min<std::size_t>(trackLengthsMs.size(), kMaxEntries);
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t length = trackLengthsMs[i];
    if (i + 1 == count) length -= length % 1000;
    sum += static_cast<std::uint32_t>(i + 1) * length;
  }
  char text[16];
  std::snprintf(text, sizeof(text), "%08lX", static_cast<unsigned long>(sum));
  return text;
}

std::vector<int> ParsePlaylist(std::string_view text, int trackCount) {
  std::vector<int> entries;
  std::size_t position = 0;
  while (position < text.size() && static_cast<int>(entries.size()) < kMaxEntries) {
    const std::size_t start = text.find_first_not_of(' ', position);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const int track = std::atoi(std::string(text.substr(start, end - start)).c_str());
    if (track >= 1 && track <= trackCount) entries.push_back(track);
    position = end;
  }
  return entries;
}

std::string FormatPlaylist(const std::vector<int>& programList) {
  std::string text;
  for (int track : programList) text += std::to_string(track) + " ";
  return text;
}

Disc CdCatalogue::Read(const std::string& identifier, int trackCount) {
  trackCount = std::clamp(trackCount, 0, kMaxEntries);
  if (!Known(identifier)) Add(identifier, trackCount);
  Disc disc;
  disc.title = file_.ReadString(identifier, kTitle, "", kNameBuffer);
  disc.artist = file_.ReadString(identifier, kArtist, "", kNameBuffer);
  for (int track = 1; track <= trackCount; ++track) {
    disc.trackNames.push_back(
        file_.ReadString(identifier, std::to_string(track), DefaultTrackName(track), kNameBuffer));
  }
  disc.programList =
      ParsePlaylist(file_.ReadString(identifier, kPlaylist, "", kPlaylistBuffer), trackCount);
  disc.selection = SelectionWithin(ReadProfileInt(file_, identifier, kSelection, 1), trackCount);
  return disc;
}

bool CdCatalogue::Write(const std::string& identifier, const Disc& disc) {
  bool written = file_.WriteString(identifier, kTitle, disc.title.substr(0, kNameBuffer - 1)) &&
                 file_.WriteString(identifier, kArtist, disc.artist.substr(0, kNameBuffer - 1));
  for (std::size_t i = 0; written && i < disc.trackNames.size(); ++i) {
    written = file_.WriteString(identifier, std::to_string(i + 1),
                                disc.trackNames[i].substr(0, kNameBuffer - 1));
  }
  return written && file_.WriteString(identifier, kPlaylist, FormatPlaylist(disc.programList));
}

bool CdCatalogue::SaveSelection(const std::string& identifier, int track) {
  return file_.WriteString(identifier, kSelection, std::to_string(track));
}

// The list's own entries, not its count: a count written wrong would send the player round
// billions of keys.
bool CdCatalogue::Known(const std::string& identifier) {
  for (const std::string& key : file_.ReadKeys(kCdList, kCdListBuffer)) {
    if (!EqualIgnoringCase(key, kDiscCount) &&
        file_.ReadString(kCdList, key, "", kNumberBuffer) == identifier) {
      return true;
    }
  }
  return false;
}

bool CdCatalogue::Add(const std::string& identifier, int trackCount) {
  // The next number after the count, within what the list holds and past the numbers it has.
  const std::vector<std::string> keys = file_.ReadKeys(kCdList, kCdListBuffer);
  int count =
      std::clamp(ReadProfileInt(file_, kCdList, kDiscCount, 0), 0, static_cast<int>(keys.size())) +
      1;
  while (std::find(keys.begin(), keys.end(), std::to_string(count)) != keys.end()) ++count;
  Disc disc;
  for (int track = 1; track <= trackCount; ++track) {
    disc.trackNames.push_back(DefaultTrackName(track));
    disc.programList.push_back(track);
  }
  return file_.WriteString(kCdList, kDiscCount, std::to_string(count)) &&
         file_.WriteString(kCdList, std::to_string(count), identifier) && Write(identifier, disc);
}

std::string CdCatalogue::DefaultTrackName(int track) const {
  return Numbered(trackWord_, track);
}

std::vector<std::string> AlbumFile::Names() {
  return file_.ReadKeys(kAlbumList, kAlbumListBuffer);
}

Album AlbumFile::Read(const std::string& name) {
  Album album;
  const int count = std::clamp(ReadProfileInt(file_, name, kTracks, 0), 0, kMaxEntries);
  for (int entry = 1; entry <= count; ++entry) {
    album.paths.push_back(file_.ReadString(name, std::to_string(entry), "Unknown", kPathBuffer));
  }
  album.selection = SelectionWithin(ReadProfileInt(file_, name, kSelection, 1), count);
  return album;
}

bool ReservedAlbumName(const std::string& name) {
  return EqualIgnoringCase(name, kAlbumList) || EqualIgnoringCase(name, kPreviewAlbum);
}

bool AlbumFile::Save(const std::string& name, const Album& album, bool listed) {
  // The list of albums is a section of the file too, and the preview album never listed.
  if (EqualIgnoringCase(name, kAlbumList) || (listed && ReservedAlbumName(name))) return false;
  if (listed && !file_.WriteString(kAlbumList, name, "")) return false;
  const std::size_t count = std::min<std::size_t>(album.paths.size(), kMaxEntries);
  bool written =
      file_.DeleteSection(name) && file_.WriteString(name, kTracks, std::to_string(count)) &&
      (count == 0 || file_.WriteString(name, kSelection, std::to_string(album.selection)));
  for (std::size_t i = 0; written && i < count; ++i) {
    written = file_.WriteString(name, std::to_string(i + 1), album.paths[i]);
  }
  return written;
}

bool AlbumFile::WritePreview(const std::vector<std::string>& paths) {
  return Save(kPreviewAlbum, Album{paths, 1}, false);
}

bool AlbumFile::Delete(const std::string& name) {
  if (ReservedAlbumName(name)) return false;
  file_.DeleteKey(kAlbumList, name);
  return file_.DeleteSection(name);
}

bool AlbumFile::SaveSelection(const std::string& name, int entry) {
  return file_.WriteString(name, kSelection, std::to_string(entry));
}

std::string AlbumFile::NewName(const std::string& albumWord) {
  const std::vector<std::string> names = Names();
  for (int number = 1;; ++number) {
    const std::string candidate = Numbered(albumWord, number);
    const bool taken = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
      return EqualIgnoringCase(name, candidate);
    });
    if (!taken) return candidate;
  }
}

std::string FormatTotalTime(std::uint32_t milliseconds, bool hundredths, const std::string& minSec,
                            const std::string& hrMinSec) {
  const std::uint32_t minutes = milliseconds / 60000;
  const std::uint32_t seconds = milliseconds / 1000 % 60;
  char fraction[8] = "";
  if (hundredths) std::snprintf(fraction, sizeof(fraction), ".%02u", milliseconds / 10 % 100);
  char text[96];
  if (minutes < 99) {
    std::snprintf(text, sizeof(text), "%u:%02u%s (%s)", minutes, seconds, fraction, minSec.c_str());
  } else {
    std::snprintf(text, sizeof(text), "%u:%02u:%02u%s (%s)", minutes / 60, minutes % 60, seconds,
                  fraction, hrMinSec.c_str());
  }
  return text;
}

}  // namespace sonavo

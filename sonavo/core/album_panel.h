#pragma once
// The album panel of a file player's open-file dialog: the album being compiled, one line per
// file with its name, folder and size, under the album's title; opened from, saved to and
// deleted from the player's album file.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sonavo/core/album_files.h"

namespace sonavo {

struct AlbumEntryRecord {
  std::string name;        // at most 255 characters
  std::string folder;      // at most 255, ending in a backslash
  std::uint32_t size = 0;  // bytes; 0 when the file cannot be opened
};

// "%s\t(%ld)\t%s": the extended list's line of name, size and folder.
std::string ExtendedLine(const AlbumEntryRecord& entry);

class AlbumPanel {
 public:
  // The length of the file at a path, 0 when it cannot be opened.
  using FileSize = std::function<std::uint32_t(const std::string& path)>;

  AlbumPanel(AlbumFile& albums, FileSize fileSize)
      : albums_(albums), fileSize_(std::move(fileSize)) {}

  const std::vector<AlbumEntryRecord>& Lines() const { return lines_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title.substr(0, kMaxAlbumName); }
  std::vector<std::string> Paths() const;

  // Adds files of `folder` (ending in a backslash); false when the album is full, with what
  // fitted added.
  bool Add(const std::string& folder, const std::vector<std::string>& names);
  // Removes the lines at these positions (0-based).
  void Remove(const std::vector<int>& lines);
  void RemoveAll() { lines_.clear(); }

  // Open...: the saved album's files in place of the lines, their sizes read anew; false when
  // it held more than fits.
  bool Open(const std::string& name);
  // New: no lines, and the first free default name ("Album 02" ...) as the title.
  void New(const std::string& albumWord);
  // Save: the lines listed under the title, `selectedLine` (0-based, -1 for none) selected.
  bool Save(int selectedLine);
  // OK: the lines kept under the title without listing it, `selectedLine` (0-based, -1 none)
  // its selection.
  bool Keep(int selectedLine);
  // Delete: the album under the title and its name in the list; the panel empty, untitled.
  bool Delete();

 private:
  bool Write(int selectedLine, bool listed);

  AlbumFile& albums_;
  FileSize fileSize_;
  std::vector<AlbumEntryRecord> lines_;
  std::string title_;
};

}  // namespace sonavo

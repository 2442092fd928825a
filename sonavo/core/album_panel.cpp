#include "sonavo/core/album_panel.h"

#include <algorithm>

namespace sonavo {

namespace {
constexpr std::size_t kMaxRecordText = 255;
}  // namespace

std::string ExtendedLine(const AlbumEntryRecord& entry) {
  return entry.name + "\t(" + std::to_string(entry.size) + ")\t" + entry.folder;
}

std::vector<std::string> AlbumPanel::Paths() const {
  std::vector<std::string> paths;
  for (const AlbumEntryRecord& line : lines_) paths.push_back(line.folder + line.name);
  return paths;
}

bool AlbumPanel::Add(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (lines_.size() >= kMaxEntries) return false;
    AlbumEntryRecord line{name.substr(0, kMaxRecordText), folder.substr(0, kMaxRecordText), 0};
    line.size = fileSize_(line.folder + line.name);
    lines_.push_back(std::move(line));
  }
  return true;
}

void AlbumPanel::Remove(const std::vector<int>& lines) {
  std::vector<int> sorted = lines;
  std::sort(sorted.rbegin(), sorted.rend());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (int line : sorted) {
    if (line >= 0 && line < static_cast<int>(lines_.size())) lines_.erase(lines_.begin() + line);
  }
}

bool AlbumPanel::Open(const std::string& name) {
  RemoveAll();
  SetTitle(name);
  bool fitted = true;
  for (const std::string& path : albums_.Read(name).paths) {
    const std::size_t split = path.find_last_of('\\') + 1;
    fitted = Add(path.substr(0, split), {path.substr(split)});
    if (!fitted) break;
  }
  return fitted;
}

void AlbumPanel::New(const std::string& albumWord) {
  RemoveAll();
  title_ = albums_.NewName(albumWord);
}

bool AlbumPanel::Save(int selectedLine) {
  return Write(selectedLine, true);
}

bool AlbumPanel::Keep(int selectedLine) {
  return Write(selectedLine, false);
}

bool AlbumPanel::Write(int selectedLine, bool listed) {
  const int count = static_cast<int>(lines_.size());
  const int selection = selectedLine >= 0 && selectedLine < count ? selectedLine + 1 : 1;
  return albums_.Save(title_, Album{Paths(), selection}, listed);
}

bool AlbumPanel::Delete() {
  RemoveAll();
  const bool deleted = albums_.Delete(title_);
  title_.clear();
  return deleted;
}

}  // namespace sonavo

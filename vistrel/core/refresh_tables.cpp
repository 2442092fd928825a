#include "vistrel/core/refresh_tables.h"

#include <algorithm>
#include <sstream>

#include "common/display/refresh_labels.h"

namespace {

constexpr int kColourClasses = 3;  // 256 colours, High Color, True Color 32 bit

// The codes after "Auto" of each cell; "none" is "(none)" alone, "auto" is "Auto" alone, and
// "a/b/c" are the cells of 1 MB, 2 MB and 4 MB. [chip class][colour class][resolution]
const char* const kMainTable[refresh::kChipClasses][kColourClasses][refresh::kResolutions] = {
    {
        {"0 1 2 4 6", "0 1 2 3 4 6", "0 1 2 3 5", "auto", "auto"},
        {"0 1 2 4 6", "0 1 2 3 4", "none", "none", "none"},
        {"none", "none", "none", "none", "none"},
    },
    {
        {"0 1 2 4 6", "0 1 2 3 4 6", "0 1 2 3 5", "none/0 1 2 3/0 1 2 3", "none/0/0"},
        {"0 1 2 4 6", "0 1 2 3 4", "none/0 1 2 3/0 1 2 3", "none", "none"},
        {"none/0 1 2 4 6/0 1 2 4 6", "none/0 1 2 3/0 1 2 3", "none", "none", "none"},
    },
    {
        {"0 1 2 4 6", "0 1 2 3 4 6", "0 1 2 3 5", "none/0 1 2 3/0 1 2 3", "none/0/0"},
        {"0 1 2 4 6", "0 1 2 3 4", "none/0 1 2 3 5/0 1 2 3 5", "none/none/0", "none"},
        {"none/0 1 2 4 6/0 1 2 4 6", "none/0 1 2 3 4/0 1 2 3 4", "none/none/0", "none", "none"},
    },
    {
        {"0 1 2 4 6 7", "0 1 2 3 4 6 7", "0 1 2 4 6", "none/0 1 2 3 4 6/0 1 2 3 4 6",
         "none/0 2 4/0 2 4"},
        {"0 1 2 4 6 7", "0 1 2 3 4 6 7", "none/0 1 2 4 6/0 1 2 4 6", "none/none/0 1 2 3 4 6",
         "none/none/0 2"},
        {"none/0 1 2 4 6 7/0 1 2 4 6 7", "none/0 1 2 3 4 6/0 1 2 3 4 6", "none/none/0 1 2 4",
         "none", "none"},
    },
};

const RefreshEntry kAuto{-1, "Auto"};
const RefreshEntry kNone{-1, "(none)"};

// The part of a cell text for the memory class.
std::string CellFor(const std::string& cell, int memoryClass) {
  std::vector<std::string> parts;
  std::stringstream stream(cell);
  for (std::string part; std::getline(stream, part, '/');) parts.push_back(part);
  return parts.size() == 3 ? parts[static_cast<std::size_t>(memoryClass)] : parts.front();
}

std::vector<RefreshEntry> ListOfCell(const std::string& cell, int chipClass, int resolutionIndex) {
  if (cell == "none") return {kNone};
  std::vector<RefreshEntry> list{kAuto};
  if (cell == "auto") return list;
  std::stringstream codes(cell);
  for (int code; codes >> code;) {
    const char* label = refresh::Label(chipClass, resolutionIndex, code);
    list.push_back({code, label != nullptr ? label : ""});
  }
  return list;
}

std::vector<RefreshEntry> SixteenColourList(int chipClass) {
  if (chipClass == 2) return {kAuto, {0, "Interlaced"}, {1, "60 Hz"}};
  return {kAuto, {0, "Interlaced"}};
}

std::vector<RefreshEntry> TrueColour24List(int chipClass) {
  if (chipClass == 3) {
    return {kAuto, {0, "Interlaced"}, {1, "60 Hz"}, {2, "72 Hz"}, {3, "75 Hz"}};
  }
  return {kAuto, {0, "60 Hz"}};
}

struct ScanRow {
  int width;
  const char* otherwise;
  std::vector<std::pair<const char*, const char*>> rates;
};

const std::vector<ScanRow>& ScanRows() {
  static const std::vector<ScanRow> rows = {
      {640,
       "31.5",
       {{"72 Hz", "38"},
        {"75 Hz", "38"},
        {"90 Hz", "48.5"},
        {"120 Hz", "64.5"},
        {"150 Hz", "79.5"}}},
      {800,
       "35.5",
       {{"60 Hz", "38"},
        {"72 Hz", "48"},
        {"75 Hz", "48"},
        {"90 Hz", "56.5"},
        {"120 Hz", "78"},
        {"150 Hz", "100"}}},
      {1024,
       "35.5",
       {{"60 Hz", "48"}, {"70 Hz", "56"}, {"75 Hz", "60"}, {"90 Hz", "74"}, {"120 Hz", "100"}}},
      {1280,
       "48",
       {{"60 Hz", "64"}, {"72 Hz", "78"}, {"75 Hz", "80"}, {"85 Hz", "92"}, {"100 Hz", "108"}}},
      {1600, "62", {{"60 Hz", "76.5"}, {"72 Hz", "90"}, {"76 Hz", "96"}}},
  };
  return rows;
}

}  // namespace

std::vector<RefreshEntry> BuildRefreshList(int chipCode, int memoryCode, int colourIndex,
                                           int resolutionIndex) {
  const int chipClass = std::clamp(chipCode, 0, refresh::kChipClasses - 1);
  const int memoryClass = std::clamp(memoryCode - 1, 0, 2);
  if (colourIndex == 0) return SixteenColourList(chipClass);
  if (colourIndex == 3) return TrueColour24List(chipClass);
  if (colourIndex < 0 || colourIndex > 4 || resolutionIndex < 0 ||
      resolutionIndex >= refresh::kResolutions) {
    return {kNone};
  }
  const int colourClass = std::min(colourIndex - 1, kColourClasses - 1);
  const std::string cell = kMainTable[chipClass][colourClass][resolutionIndex];
  return ListOfCell(CellFor(cell, memoryClass), chipClass, resolutionIndex);
}

std::string ScanRate(int viewportWidth, const std::string& label) {
  const auto& rows = ScanRows();
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const ScanRow& r) { return r.width == viewportWidth; });
  const ScanRow& chosen = row == rows.end() ? rows.front() : *row;
  for (const auto& [rateLabel, rate] : chosen.rates) {
    if (label == rateLabel) return rate;
  }
  return chosen.otherwise;
}

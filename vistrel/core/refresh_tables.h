#pragma once
// The refresh rates the display configuration page offers for a chip, video memory, colour
// depth and resolution, and the horizontal scan rates the mode description quotes.

#include <string>
#include <vector>

struct RefreshEntry {
  int code;
  std::string label;

  bool operator==(const RefreshEntry& other) const {
    return code == other.code && label == other.label;
  }
};

// The list, first always code -1: "Auto", or "(none)" alone when the mode is not offered.
// chipCode and memoryCode as identification gives them; colour index 0-4 is 4, 8, 16, 24 and
// 32 bits per pixel; resolution index 0-4 is 640 to 1600 wide. A 512 KB card is offered the
// 1 MB column; indexes outside their range give "(none)".
std::vector<RefreshEntry> BuildRefreshList(int chipCode, int memoryCode, int colourIndex,
                                           int resolutionIndex);

// Horizontal scan rate in kHz as the mode description shows it.
std::string ScanRate(int viewportWidth, const std::string& label);

#pragma once
// The display driver's modes: what the card's memory can show, and the rules of a mode change.

#include <cstdint>
#include <vector>

namespace machine {

struct DisplayMode {
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t bitsPerPixel;

  bool operator==(const DisplayMode& other) const {
    return width == other.width && height == other.height && bitsPerPixel == other.bitsPerPixel;
  }
};

// Whether the mode is one of the driver's and its frame buffer fits the video memory.
bool ModeFits(const DisplayMode& mode, std::uint32_t memoryKb);

// Every mode that fits, ordered by colour depth, then by size.
std::vector<DisplayMode> ModesForMemory(std::uint32_t memoryKb);

// The answers of ChangeDisplaySettingsA.
enum class ChangeResult : std::int32_t { Successful = 0, Restart = 1, Failed = -1, BadMode = -2 };

struct DisplayState {
  DisplayMode current;
  // A new colour depth waits for the next restart.
  DisplayMode afterRestart;
  std::uint32_t restartPending;
  // The system font size Windows started with (LOGPIXELSX); 0 before the first boot.
  std::uint32_t fontDpi;
};

// A mode of the list at the current depth takes effect at once; one at another depth is kept
// for the restart; anything else is refused and changes nothing.
ChangeResult ChangeMode(DisplayState& state, const DisplayMode& requested, std::uint32_t memoryKb);

}  // namespace machine

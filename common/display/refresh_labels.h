#pragma once
// What a refresh code of the `Refresh` key means: a different rate at each resolution, and
// on the Vision chips other rates than on the Trio chips. Vistrel shows the labels; the display
// driver sets the rates.

#include <cstdint>

namespace refresh {

// Chip class 0 Trio32, 1 Trio64, 2 Trio64V+, 3 Vision964, Vision968 or any other chip.
inline constexpr int kChipClasses = 4;
// Resolution index 0-4: 640, 800, 1024, 1280, 1600 wide.
inline constexpr int kResolutions = 5;

// The label of `code` at the resolution ("75 Hz", "Interlaced", "60Hz" at 640 x 480 on every
// chip), or nullptr for a code that the resolution does not know.
const char* Label(int chipClass, int resolutionIndex, int code);

// The resolution index of a screen width, or -1 (1152 and any other width).
int ResolutionIndex(std::uint32_t width);

}  // namespace refresh

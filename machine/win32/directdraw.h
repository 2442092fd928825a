#pragma once
// The display driver's side of DirectDraw on the simulated PC: the data block it keeps for the
// card's DirectDraw driver, filled for the current mode, and MapSLFix, which turns the 16:16
// addresses of that block and of the register aperture into flat pointers of this process.

#include <cstdint>

#include "machine/core/driver_data.h"

namespace machine {

// Fills this process's data block for the current mode (with video memory where this process
// sees it) and returns its 16:16 address, as the display driver hands it to DriverInit.
std::uint32_t PrepareDriverData();
// The flat address of a 16:16 address of the block or the aperture; nullptr for any other.
void* MapSLFix(std::uint32_t address);

}  // namespace machine

#pragma once
// A video overlay as a player's decoder leaves it in video memory.

#include <cstdint>

#include "machine/win32/directdraw_host.h"

namespace harness {

// A 160 x 120 YUY2 overlay surface at `offset` in video memory: white on its left half, red on
// its right.
machine::HostSurface* WhiteAndRedVideo(machine::DirectDrawHost& host, std::uint32_t offset);

}  // namespace harness

#pragma once
// Which S3 chip and how much video memory, asked of the CRT controller with direct port
// access. Each call does the whole sequence itself: the S3 registers are unlocked for it and
// their locks put back as found.

#include "common/display/port_io.h"

// 0 Trio32, 1 Trio64, 2 Trio64V+, 3 Vision964, 4 Vision968, 5 any other chip.
int IdentifyChip(PortIo& ports);
// Megabytes: 4, 2, 1, or 0 for 512 KB.
int IdentifyMemory(PortIo& ports);

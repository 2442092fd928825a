#pragma once
// The display driver's escape 3535, sent on a device context of the desktop window. Nobody
// looks at the result: the driver either takes the new state or does not know the escape.

#include <array>
#include <cstdint>

#include "common/display/timing_set.h"

void SendPanLockEscape(bool locked);
// The nine values in timing order; kTimingUnchanged leaves a value as it is.
void SendTimingEscape(const std::array<std::uint16_t, kTimingFieldCount>& values);

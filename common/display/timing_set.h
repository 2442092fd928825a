#pragma once
// The nine CRT timing values of the screen adjustment, in the order of the escape block and of
// the stored record, and where each lives in the VGA and S3 CRT controller registers.

#include <array>
#include <cstdint>

#include "common/display/port_io.h"

enum TimingField {
  kHorizontalTotal,         // CR00; CR5D bit 0 -> bit 8
  kEndHorizontalBlank,      // CR03 bits 0-4; CR05 bit 7 -> bit 5
  kStartHorizontalRetrace,  // CR04; CR5D bit 4 -> bit 8
  kEndHorizontalRetrace,    // the whole CR05 byte (bits 0-4 are the retrace end)
  kVerticalTotal,           // CR06; CR07 bit 0 -> 8, bit 5 -> 9; CR5E bit 0 -> 10
  kEndVerticalBlank,        // CR16
  kVerticalRetraceStart,    // CR10; CR07 bit 2 -> 8, bit 7 -> 9; CR5E bit 4 -> 10
  kVerticalRetraceEnd,      // CR11 bits 0-3
  kMiscOutput,              // Miscellaneous Output, read at 0x3CC, written at 0x3C2
  kTimingFieldCount
};

// A value of the escape block that leaves its field unchanged.
inline constexpr std::uint16_t kTimingUnchanged = 0xFFFF;

// Composes a CRT field from its registers (not kMiscOutput).
int ReadTimingField(Crtc& crtc, TimingField field);
// Places a CRT field's bits into its registers, keeping their other bits; for
// kEndHorizontalRetrace only CR05 bits 0-4 are taken (bit 7 belongs to the blank end).
void WriteTimingField(Crtc& crtc, TimingField field, int value);

#pragma once
// The refresh rate meter: which status port shows the vertical retrace, and the rate counted
// against the clock. Every wait on a status bit is bounded, so a port that never retraces ends
// the measurement instead of hanging the page.

#include <cstdint>
#include <string>

#include "common/display/port_io.h"

enum class RetraceSource { Vga, Adapter216A, Compatible8514 };

// system.ini [boot] display.drv beginning with "vga" (any case) means VGA; otherwise the first
// adapter whose port reads back 0x15: 0x216A, then 0x92E8; otherwise VGA.
RetraceSource ProbeAdapter(const std::string& displayDriver, PortIo& ports);

struct TimeOfDay {
  int minute;
  int second;
  int millisecond;
};

class MeterClock {
 public:
  virtual ~MeterClock() = default;
  // The system time's fields, as the count is timed.
  virtual TimeOfDay Now() = 0;
  // A running millisecond count, for the bounds of the waits.
  virtual std::uint64_t Milliseconds() = 0;
};

// From the minute, second and millisecond fields; a measurement across the turn of an hour
// counts the minutes on from 60.
int ElapsedMilliseconds(const TimeOfDay& start, const TimeOfDay& end);

// The longest wait for the retrace bit to change: a quarter of a second, four frames at 16 Hz.
inline constexpr std::uint64_t kRetraceWaitMs = 250;

struct Measurement {
  // False when the status port stopped showing retraces (the bound was reached).
  bool retraced;
  // In tenths of a hertz.
  std::uint32_t rateTenths;
};

Measurement MeasureRefreshRate(PortIo& ports, RetraceSource source, std::uint32_t retraceCount,
                               MeterClock& clock);

// Waits for the start of the next retrace (no wait for the 0x216A adapter); false at the bound.
bool WaitForNextRetrace(PortIo& ports, RetraceSource source, MeterClock& clock);

// "72.3 Hz": the fraction digit always shown.
std::string ReadoutText(std::uint32_t rateTenths);

#include "vistrel/core/refresh_meter.h"

#include <strings.h>
#include <cstdio>

namespace {

// A latched status stays set until the program acknowledges it; a live one falls by itself.
struct StatusPort {
  std::uint16_t port;
  std::uint8_t mask;
  bool latched;
};

StatusPort StatusOf(RetraceSource source) {
  switch (source) {
    case RetraceSource::Adapter216A:
      return {0x2165, 0x02, true};
    case RetraceSource::Compatible8514:
      return {0x42E8, 0x01, true};
    default:
      return {vga::kColourInputStatus, 0x08, false};
  }
}

// The 0x216A adapter takes its status back; the 8514-compatible subsystem control clears the
// vertical sync with a 1 in bit 0 (its other bits reset the engine, so only that bit).
void Acknowledge(PortIo& ports, RetraceSource source, std::uint8_t value) {
  const StatusPort status = StatusOf(source);
  ports.Out(status.port, source == RetraceSource::Adapter216A ? value : status.mask);
}

bool ReadsBack(PortIo& ports, std::uint16_t port) {
  const std::uint8_t kept = ports.In(port);
  ports.Out(port, 0x15);
  const bool answered = ports.In(port) == 0x15;
  ports.Out(port, kept);
  return answered;
}

// Waits until the status bit is `set` (true) or clear; false when the bound is reached.
bool WaitForBit(PortIo& ports, const StatusPort& status, bool set, MeterClock& clock,
                std::uint8_t* lastRead = nullptr) {
  const std::uint64_t deadline = clock.Milliseconds() + kRetraceWaitMs;
  for (;;) {
    const std::uint8_t value = ports.In(status.port);
    if (((value & status.mask) != 0) == set) {
      if (lastRead != nullptr) *lastRead = value;
      return true;
    }
    if (clock.Milliseconds() > deadline) return false;
  }
}

// One whole retrace: the bit rises and falls, or, latched, rises and is acknowledged.
bool CountRetrace(PortIo& ports, RetraceSource source, MeterClock& clock) {
  const StatusPort status = StatusOf(source);
  std::uint8_t value = 0;
  if (!WaitForBit(ports, status, true, clock, &value)) return false;
  if (status.latched) {
    Acknowledge(ports, source, value);
    return true;
  }
  return WaitForBit(ports, status, false, clock);
}

}  // namespace

RetraceSource ProbeAdapter(const std::string& displayDriver, PortIo& ports) {
  if (strncasecmp(displayDriver.c_str(), "vga", 3) == 0) return RetraceSource::Vga;
  if (ReadsBack(ports, 0x216A)) return RetraceSource::Adapter216A;
  if (ReadsBack(ports, 0x92E8)) return RetraceSource::Compatible8514;
  return RetraceSource::Vga;
}

int ElapsedMilliseconds(const TimeOfDay& start, const TimeOfDay& end) {
  int minutes = end.minute - start.minute;
  const int rest = (end.second - start.second) * 1000 + (end.millisecond - start.millisecond);
  if (minutes * 60000 + rest < 0) minutes += 60;
  return minutes * 60000 + rest;
}

Measurement MeasureRefreshRate(PortIo& ports, RetraceSource source, std::uint32_t retraceCount,
                               MeterClock& clock) {
  // The count starts at the end of a retrace: a live bit seen rise and fall, a latched one
  // (perhaps set long ago) acknowledged.
  const StatusPort status = StatusOf(source);
  if (source == RetraceSource::Compatible8514 && !CountRetrace(ports, source, clock)) {
    return {false, 0};
  }
  if (!status.latched &&
      !(WaitForBit(ports, status, true, clock) && WaitForBit(ports, status, false, clock))) {
    return {false, 0};
  }
  const TimeOfDay start = clock.Now();
  std::uint32_t count = 0;
  while (count < retraceCount) {
    if (!CountRetrace(ports, source, clock)) return {false, 0};
    ++count;
  }
  const int elapsed = ElapsedMilliseconds(start, clock.Now());
  if (elapsed <= 0) return {false, 0};
  return {true, static_cast<std::uint32_t>(count * 10000ull / static_cast<unsigned>(elapsed))};
}

bool WaitForNextRetrace(PortIo& ports, RetraceSource source, MeterClock& clock) {
  if (source == RetraceSource::Adapter216A) return true;
  const StatusPort status = StatusOf(source);
  if (status.latched) {
    Acknowledge(ports, source, status.mask);
    return WaitForBit(ports, status, true, clock);
  }
  return WaitForBit(ports, status, false, clock) && WaitForBit(ports, status, true, clock);
}

std::string ReadoutText(std::uint32_t rateTenths) {
  char text[32];
  std::snprintf(text, sizeof(text), "%u.%01u Hz", rateTenths / 10, rateTenths % 10);
  return text;
}

#pragma once
// The Refresh Rate Meter page: Coarse or Fine counts the card's vertical retraces against the
// clock, and the rate unrolls in a green readout on a black panel.

#include <windows.h>

#include <string>

#include "common/framework/property_page.h"
#include "machine/win32/system.h"
#include "vistrel/core/refresh_meter.h"

class SystemMeterClock : public MeterClock {
 public:
  TimeOfDay Now() override;
  std::uint64_t Milliseconds() override { return GetTickCount64(); }
};

class CPPage3 : public PropertyPage {
 public:
  CPPage3();

 protected:
  bool OnKillActive() override;
  void OnPaint(HDC dc) override;

 private:
  enum MeterState { kIdle, kCounting, kMeasured, kShown };

  void Measure(std::uint32_t retraceCount);
  RetraceSource Probe();
  void InvalidatePanel(const RECT& panel);
  void PaintReadout(HDC dc, const RECT& panel);
  // The panel keeps the rate shown as its property "MeterRate" (tenths of a hertz plus one; none
  // while nothing is shown), for whatever cannot read the picture.
  void KeepShownRate(bool shown);

  MeterState meterState_ = kIdle;
  std::uint32_t retraceCount_ = 0;
  Measurement measured_{};
  machine::DirectPorts ports_;
  SystemMeterClock clock_;
};

#pragma once
// The media programs' tick: a multimedia timer whose callback, Tickora's export by ordinal 2,
// sends a window DeckTick once a period.

#include <windows.h>

class TickoraTimer {
 public:
  TickoraTimer() = default;
  ~TickoraTimer() { Stop(); }
  TickoraTimer(const TickoraTimer&) = delete;
  TickoraTimer& operator=(const TickoraTimer&) = delete;

  // Ticks `window` every `periodMs`, to `resolutionMs`; false when the library or the timer is
  // not to be had.
  bool Start(HWND window, UINT periodMs, UINT resolutionMs);
  void Stop();

 private:
  HMODULE library_ = nullptr;
  UINT timer_ = 0;
  UINT resolution_ = 0;
};

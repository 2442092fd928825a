#pragma once
// The deck's tick: a multimedia timer whose callback, Tickora's export by ordinal 2, sends the
// deck DeckTick once a period.

#include <windows.h>

class DeckTimer {
 public:
  DeckTimer() = default;
  ~DeckTimer() { Stop(); }
  DeckTimer(const DeckTimer&) = delete;
  DeckTimer& operator=(const DeckTimer&) = delete;

  // Ticks `deck` every `periodMs`; false when the library or the timer is not to be had.
  bool Start(HWND deck, UINT periodMs);
  void Stop();

 private:
  HMODULE library_ = nullptr;
  UINT timer_ = 0;
  bool periodBegun_ = false;
};

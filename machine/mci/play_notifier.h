#pragma once
// The notification that an MCI play asked for, sent to its window when the play reaches its
// end (successful), or at once when another play replaces it (superseded) or a command ends it
// (aborted). Its timer runs on the timer queue's thread. A play with MCI_WAIT waits here for its
// end.

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <mutex>

#include "machine/core/play_clock.h"

class PlayNotifier {
 public:
  explicit PlayNotifier(MCIDEVICEID device) : device_(device) {}
  ~PlayNotifier() { End(MCI_NOTIFY_ABORTED); }
  PlayNotifier(const PlayNotifier&) = delete;
  PlayNotifier& operator=(const PlayNotifier&) = delete;

  // Follows `clock`'s current play, and tells `window` (if any) when it ends, unless the clock
  // has moved on by then.
  void Arm(HWND window, const machine::PlayClock& clock, std::uint64_t nowMs);
  // Ends a pending notification with `status`.
  void End(UINT status);
  // Returns once the play armed last is over (run to its end, or stopped or replaced), with its
  // notification sent; false when the device's yield procedure asked to break off first.
  bool Wait();

 private:
  static void CALLBACK Fire(PVOID self, BOOLEAN);
  // Under lock_: the armed play, not ended or replaced, has reached its end or plays on.
  bool Current() const;
  bool Playing();

  MCIDEVICEID device_;
  std::mutex lock_;
  HWND window_ = nullptr;
  HANDLE timer_ = nullptr;
  const machine::PlayClock* clock_ = nullptr;
  std::uint64_t startedMs_ = 0;
};

#include "sonavo/app/deck_timer.h"

#include <mmsystem.h>

#include "common/interop/suite_names.h"

namespace {
constexpr UINT kResolutionMs = 100;
}  // namespace

bool DeckTimer::Start(HWND deck, UINT periodMs) {
  Stop();
  library_ = LoadLibraryA(names::kTimerLibrary);
  const auto callback = reinterpret_cast<LPTIMECALLBACK>(reinterpret_cast<void*>(
      GetProcAddress(library_, MAKEINTRESOURCEA(names::kTimerCallbackOrdinal))));
  if (callback == nullptr) {
    Stop();
    return false;
  }
  periodBegun_ = timeBeginPeriod(kResolutionMs) == TIMERR_NOERROR;
  timer_ = timeSetEvent(periodMs, kResolutionMs, callback, reinterpret_cast<DWORD_PTR>(deck),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
  if (timer_ == 0) {
    Stop();
    return false;
  }
  return true;
}

void DeckTimer::Stop() {
  if (timer_ != 0) timeKillEvent(timer_);
  timer_ = 0;
  if (periodBegun_) timeEndPeriod(kResolutionMs);
  periodBegun_ = false;
  if (library_ != nullptr) FreeLibrary(library_);
  library_ = nullptr;
}

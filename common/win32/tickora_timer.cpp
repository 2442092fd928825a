#include "common/win32/tickora_timer.h"

#include <mmsystem.h>

#include "common/interop/suite_names.h"

bool TickoraTimer::Start(HWND window, UINT periodMs, UINT resolutionMs) {
  Stop();
  library_ = LoadLibraryA(names::kTimerLibrary);
  const auto callback = reinterpret_cast<LPTIMECALLBACK>(reinterpret_cast<void*>(
      GetProcAddress(library_, MAKEINTRESOURCEA(names::kTimerCallbackOrdinal))));
  if (callback == nullptr) {
    Stop();
    return false;
  }
  if (timeBeginPeriod(resolutionMs) == TIMERR_NOERROR) resolution_ = resolutionMs;
  timer_ = timeSetEvent(periodMs, resolutionMs, callback, reinterpret_cast<DWORD_PTR>(window),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
  if (timer_ == 0) {
    Stop();
    return false;
  }
  return true;
}

void TickoraTimer::Stop() {
  if (timer_ != 0) timeKillEvent(timer_);
  timer_ = 0;
  if (resolution_ != 0) timeEndPeriod(resolution_);
  resolution_ = 0;
  if (library_ != nullptr) FreeLibrary(library_);
  library_ = nullptr;
}

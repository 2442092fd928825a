#include "machine/mci/play_notifier.h"

#include <utility>

#include "machine/mci/driver_proc.h"

namespace {

// How often a waiting play looks at its clock and lets the caller's yield procedure run.
constexpr DWORD kWaitStepMs = 10;

}  // namespace

void PlayNotifier::Arm(HWND window, const machine::PlayClock& clock, std::uint64_t nowMs) {
  End(MCI_NOTIFY_SUPERSEDED);
  std::lock_guard<std::mutex> guard(lock_);
  window_ = window;
  clock_ = &clock;
  startedMs_ = clock.startedMs;
  if (window == nullptr) return;
  const std::uint64_t endsAt = machine::EndsAt(clock);
  const DWORD dueMs = static_cast<DWORD>(endsAt > nowMs ? endsAt - nowMs : 0);
  CreateTimerQueueTimer(&timer_, nullptr, Fire, this, dueMs, 0, WT_EXECUTEONLYONCE);
}

void PlayNotifier::End(UINT status) {
  HWND window = nullptr;
  HANDLE timer = nullptr;
  {
    std::lock_guard<std::mutex> guard(lock_);
    std::swap(window, window_);
    std::swap(timer, timer_);
  }
  // Waits for a notification on its way, so that the notifier outlives it.
  if (timer != nullptr) DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
  if (window != nullptr) mciDriverNotify(window, device_, status);
}

bool PlayNotifier::Wait() {
  while (Playing()) {
    if (mciDriverYield(device_) != 0) return false;
    Sleep(kWaitStepMs);
  }
  bool ranToItsEnd = false;
  {
    std::lock_guard<std::mutex> guard(lock_);
    ranToItsEnd = Current();
  }
  // The notification goes before the command returns, not when the timer comes round.
  End(ranToItsEnd ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_ABORTED);
  return true;
}

bool PlayNotifier::Current() const {
  return clock_ != nullptr && clock_->playing && clock_->startedMs == startedMs_;
}

bool PlayNotifier::Playing() {
  std::lock_guard<std::mutex> guard(lock_);
  return Current() && machine::IsPlaying(*clock_, GetTickCount64());
}

void CALLBACK PlayNotifier::Fire(PVOID self, BOOLEAN) {
  auto& notifier = *static_cast<PlayNotifier*>(self);
  HWND window = nullptr;
  UINT status = MCI_NOTIFY_ABORTED;
  {
    std::lock_guard<std::mutex> guard(notifier.lock_);
    std::swap(window, notifier.window_);
    // The play it belongs to ran to its end, not ended or replaced meanwhile.
    if (notifier.Current()) status = MCI_NOTIFY_SUCCESSFUL;
  }
  if (window != nullptr) mciDriverNotify(window, notifier.device_, status);
}

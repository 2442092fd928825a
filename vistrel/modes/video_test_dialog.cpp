#include "vistrel/modes/video_test_dialog.h"

#include <cstdio>

#include "vistrel/shell/resource.h"

namespace {

constexpr UINT_PTR kCountdownTimer = 2;
constexpr UINT kSecondMs = 1000;
constexpr int kTestSeconds = 10;

}  // namespace

VideoTestDialog::VideoTestDialog() : ModalDialog(IDD_VIDEO_TEST) {}

void VideoTestDialog::OnInitDialog() {
  secondsLeft_ = kTestSeconds;
  SetTimer(Window(), kCountdownTimer, kSecondMs, nullptr);
}

void VideoTestDialog::OnTimer(UINT_PTR id) {
  if (id != kCountdownTimer) return;
  if (--secondsLeft_ <= 0) End(IDCANCEL);
  char text[64];
  std::snprintf(text, sizeof(text), "%d seconds remaining ...", secondsLeft_);
  SetDlgItemTextA(Window(), IDC_COUNTDOWN, text);
}

void VideoTestDialog::OnDestroy() {
  KillTimer(Window(), kCountdownTimer);
}

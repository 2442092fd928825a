#pragma once
// "Video Test...": ten seconds to confirm a new mode. No text in the first second, then
// "9 seconds remaining ..." down to 1; the tenth tick, Esc or the close box end it with
// IDCANCEL, OK with IDOK.

#include "common/framework/modal_dialog.h"

class VideoTestDialog : public ModalDialog {
 public:
  VideoTestDialog();

 protected:
  void OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;

 private:
  int secondsLeft_ = 0;
};

#pragma once
// "Hot Key Selection": the pan-lock key and the key that starts Vistrel. OK stores both and
// starts Trayvel, which makes the running Trayvel read them; Cancel changes nothing.

#include "common/framework/modal_dialog.h"
#include "common/settings/marovane_settings.h"

class HotKeyDialog : public ModalDialog {
 public:
  explicit HotKeyDialog(settings::MarovaneSettings& settings);

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  settings::MarovaneSettings& settings_;
};

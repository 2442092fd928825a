#pragma once
// LATCHWIN.DLL as Trayvel loads it: SetDllParms bound by ordinal, the install functions by name.

#include <windows.h>

#include "latchwin/dll/latchwin.h"
#include "trayvel/core/tray_logic.h"

namespace trayvel {

class LatchwinLibrary : public Latchwin {
 public:
  // False when the library or one of its functions cannot be found.
  bool Load();
  void Free();

  void SetDllParms(std::uint32_t index, std::uint32_t value) override;
  void InstallPopupFilter(bool on) override;
  void InstallPanLockFilter(bool on) override;
  void InstallShellHook(bool on) override;
  void InstallCallWndRetHook(bool on) override;

 private:
  HMODULE module_ = nullptr;
  latchwin::SetDllParmsFunction setDllParms_ = nullptr;
  latchwin::InstallFunction popup_ = nullptr;
  latchwin::InstallFunction panLock_ = nullptr;
  latchwin::InstallFunction shell_ = nullptr;
  latchwin::InstallFunction callWndRet_ = nullptr;
};

}  // namespace trayvel

#include "trayvel/app/latchwin_library.h"
#include "common/interop/suite_names.h"

namespace trayvel {
namespace {

template <typename Function>
bool Bind(HMODULE module, LPCSTR name, Function* function) {
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return *function != nullptr;
}

}  // namespace

bool LatchwinLibrary::Load() {
  module_ = LoadLibraryA(names::kLatchwinLibrary);
  if (module_ == nullptr) return false;
  const bool bound = Bind(module_, MAKEINTRESOURCEA(names::kSetDllParmsOrdinal), &setDllParms_) &&
                     Bind(module_, "InstallPopupFilter", &popup_) &&
                     Bind(module_, "InstallPanLockFilter", &panLock_) &&
                     Bind(module_, "InstallShellHook", &shell_) &&
                     Bind(module_, "InstallCallWndRetHook", &callWndRet_);
  if (!bound) Free();
  return bound;
}

void LatchwinLibrary::Free() {
  if (module_ != nullptr) FreeLibrary(module_);
  *this = LatchwinLibrary{};
}

void LatchwinLibrary::SetDllParms(std::uint32_t index, std::uint32_t value) {
  setDllParms_(index, value);
}

void LatchwinLibrary::InstallPopupFilter(bool on) {
  popup_(on ? 1 : 0);
}

void LatchwinLibrary::InstallPanLockFilter(bool on) {
  panLock_(on ? 1 : 0);
}

void LatchwinLibrary::InstallShellHook(bool on) {
  shell_(on ? 1 : 0);
}

void LatchwinLibrary::InstallCallWndRetHook(bool on) {
  callWndRet_(on ? 1 : 0);
}

}  // namespace trayvel

// TICKORA.DLL, the timer library of the media programs: its export by ordinal 2 is the callback
// they give timeSetEvent. Once a period it posts the window named by the user data the command
// DeckTick; posted, so the timer's thread never waits on a busy or hung window.

#include <windows.h>

#include <mmsystem.h>

#include "common/interop/suite_names.h"

namespace {
// Any notification code but 5, which Jubilo takes for another sender.
constexpr WORD kTickCode = 0;
}  // namespace

extern "C" void CALLBACK TickoraTimerProc(UINT /*id*/, UINT /*message*/, DWORD_PTR user,
                                          DWORD_PTR /*dw1*/, DWORD_PTR /*dw2*/) {
  PostMessageA(reinterpret_cast<HWND>(user), WM_COMMAND, MAKEWPARAM(names::kDeckTick, kTickCode),
               0);
}

#pragma once
// LATCHWIN.DLL's exports. Trayvel binds SetDllParms by ordinal and the install functions by
// name; the hook procedures are exported for the system (and for tests that call them with
// crafted records).

#include <windows.h>

namespace latchwin {

using SetDllParmsFunction = void(WINAPI*)(DWORD index, DWORD value);
using InstallFunction = int(WINAPI*)(int on);

}  // namespace latchwin

extern "C" {
void WINAPI SetDllParms(DWORD index, DWORD value);
int WINAPI InstallPopupFilter(int on);
int WINAPI InstallPanLockFilter(int on);
int WINAPI InstallShellHook(int on);
int WINAPI InstallCallWndRetHook(int on);
LRESULT CALLBACK CbtFunc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK KeyboardFunc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ShellFunc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CallWndRetFunc(int code, WPARAM wParam, LPARAM lParam);
}

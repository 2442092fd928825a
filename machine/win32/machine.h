#pragma once
// The simulated PC as the suite's programs reach it. The display driver and power functions
// carry the Win32 signatures that they stand in for, so a caller reads like a Windows 95
// program: machine::ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY).

#include <windows.h>

#include <string>

#include "machine/core/shared_state.h"

namespace machine {

// The state every process of this PC shares, mapped on first use (and booted then if it never
// was). nullptr only when the mapping cannot be made; every function below then fails.
SharedState* State();

// Holds the machine's lock for a read-modify-write of the state; bounded, so a process that
// died holding it cannot hang the others.
class StateLock {
 public:
  StateLock();
  ~StateLock();
  StateLock(const StateLock&) = delete;
  StateLock& operator=(const StateLock&) = delete;

 private:
  HANDLE mutex_;
};

// Reads C:\windows\machine.ini, starts the state afresh and seeds the Windows 95 registry
// (HKEY_DYN_DATA is empty after every start of the wineserver, as after every boot).
void Boot();

// The folder the state file and machine.ini live in (the Windows folder).
std::string WindowsFolder();

// Display driver.
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber, DEVMODEA* mode);
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
// HORZRES, VERTRES and BITSPIXEL of the machine's mode; anything else from the device context.
int GetDeviceCaps(HDC dc, int index);

// Power: recorded in the state, never carried out.
BOOL ExitWindowsEx(UINT flags, DWORD reason);

}  // namespace machine

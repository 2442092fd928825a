#pragma once
// The simulated PC as the suite's programs reach it. The display driver and power functions
// carry the Win32 signatures that they stand in for, so a caller reads like a Windows 95
// program: machine::ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY).

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/display/port_io.h"
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

// What the restart program asks for: the simulated PC restarts (see machine::Restart).
void Restart();

// The folder the state file and machine.ini live in (the Windows folder).
std::string WindowsFolder();

// The `Refresh` code that system.ini holds for a mode of this width: that of the viewport's
// width when `ScreenResolution` names a smaller viewport (-1 "Auto" without one).
int RefreshCodeFor(std::uint32_t width);

// Port input and output, as the IN and OUT instructions would make them on the card.
BYTE InPort(WORD port);
void OutPort(WORD port, BYTE value);
void OutPortWord(WORD port, WORD value);

// PortIo over the direct port instructions.
class DirectPorts : public PortIo {
 public:
  std::uint8_t In(std::uint16_t port) override { return InPort(port); }
  void Out(std::uint16_t port, std::uint8_t value) override { OutPort(port, value); }
};

// The graphics control device "\\.\Vstls3.vxd": CreateFileA opens it when the machine has
// it (other paths go to the real CreateFileA); DeviceIoControl code 1 answers 4 bytes, code 2
// reads and code 3 writes the byte of the 16-bit port in the input.
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE templateFile);
BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID input, DWORD inputSize, LPVOID output,
                     DWORD outputSize, LPDWORD returned, LPOVERLAPPED overlapped);
BOOL CloseHandle(HANDLE handle);

// Display driver.
// The private escape 3535 (pan lock, timing adjustment); any other escape is not supported.
int ExtEscape(HDC dc, int escapeNumber, int inputSize, LPCSTR input, int outputSize, LPSTR output);
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber, DEVMODEA* mode);
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
// The Wine desktop shows the card's whole desktop area: a mode that takes effect resizes it,
// and every top-level window hears of it (WM_DISPLAYCHANGE). Only the size: the desktop keeps
// its own colour depth.
void ShowOnDesktop(const DisplayMode& mode);
// Pans the card: the viewport's top-left corner to (x, y) of the desktop, in the start address
// registers of the current mode.
void PanViewport(std::uint32_t x, std::uint32_t y);
// The viewport follows the pointer at `cursor` when the `ScreenResolution` viewport is smaller
// than the desktop, unless the pan lock is set.
void FollowPointer(POINT cursor);
// HORZRES, VERTRES, BITSPIXEL and the font size (LOGPIXELSX, LOGPIXELSY) of the machine;
// anything else from the device context.
int GetDeviceCaps(HDC dc, int index);

// Power: recorded in the state, never carried out.
BOOL ExitWindowsEx(UINT flags, DWORD reason);

}  // namespace machine

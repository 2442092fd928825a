#pragma once
// What the suite's programs call in place of the hardware and of the operating system's display
// driver on the simulated PC: port instructions, the graphics control device, the display
// driver's functions and power requests. They carry the Win32 signatures that they stand in for,
// so a caller reads like a Windows 95 program: machine::ChangeDisplaySettingsA(&mode, flags).

#include <windows.h>

#include "common/display/port_io.h"

namespace machine {

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
// HORZRES, VERTRES, BITSPIXEL and the font size (LOGPIXELSX, LOGPIXELSY) of the machine;
// anything else from the device context.
int GetDeviceCaps(HDC dc, int index);

// Power: recorded in the state, never carried out.
BOOL ExitWindowsEx(UINT flags, DWORD reason);

}  // namespace machine

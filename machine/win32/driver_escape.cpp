#include "machine/win32/driver_escape.h"

#include <windows.h>

#include <vector>

#include "common/display/display_escape.h"
#include "machine/win32/system.h"

namespace {

void Send(const std::vector<std::uint8_t>& input) {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  char output[escape::kOutputSize] = {};
  machine::ExtEscape(dc, escape::kDisplayEscape, static_cast<int>(input.size()),
                     reinterpret_cast<const char*>(input.data()), sizeof(output), output);
  ReleaseDC(desktop, dc);
}

}  // namespace

void SendPanLockEscape(bool locked) {
  Send(escape::PanLockBlock(locked));
}

void SendTimingEscape(const std::array<std::uint16_t, kTimingFieldCount>& values) {
  Send(escape::TimingBlock(values));
}

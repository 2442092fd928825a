// An idle Win32 program with a timer (100 ms, or the period in milliseconds its command line
// gives): the yardstick for what a playing player or the monitor costs.

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const int period = std::atoi(commandLine);
  HWND window = CreateWindowExA(0, "STATIC", "Idle timer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 100, nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, period > 0 ? static_cast<UINT>(period) : 100, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

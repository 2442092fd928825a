// Another program for the hooks to act in:
//   WINDOW_PROBE.EXE window X Y W H CAPTION   a visible top-level window there, until closed
//   WINDOW_PROBE.EXE key VK                   LATCHWIN.DLL's keyboard hook called with a first
//                                             key-down of VK; the exit code is what it returned
//   WINDOW_PROBE.EXE hung CLASS               a hidden window of that class in a program that
//                                             never looks at its messages: a hung program
//   WINDOW_PROBE.EXE full-tray                a taskbar in front of Windows' own that refuses
//                                             every icon, until closed
//   WINDOW_PROBE.EXE folder CAPTION           a shell folder window ("CabinetWClass") with that
//                                             caption in a program that, as Explorer does, runs
//                                             on after it is closed

#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/interop/suite_names.h"
#include "latchwin/dll/latchwin.h"

namespace {

int ShowWindowUntilClosed(char** argv) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
  };
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "WindowProbe";
  RegisterClassA(&windowClass);
  CreateWindowExA(0, "WindowProbe", argv[6], WS_OVERLAPPEDWINDOW | WS_VISIBLE, std::atoi(argv[2]),
                  std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), nullptr, nullptr,
                  windowClass.hInstance, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

int HangWithAWindow(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  CreateWindowExA(0, className, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
  Sleep(INFINITE);
  return 0;
}

int RefuseTrayIcons() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return LRESULT{FALSE};
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
  };
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "Shell_TrayWnd";
  RegisterClassA(&windowClass);
  CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

int ShowFolderAndRunOn(const char* caption) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CabinetWClass";
  RegisterClassA(&windowClass);
  CreateWindowExA(0, "CabinetWClass", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                  nullptr, nullptr, windowClass.hInstance, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

int PressKey(const char* key) {
  HMODULE library = LoadLibraryA(names::kLatchwinLibrary);
  auto* hook =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, "KeyboardFunc")));
  if (hook == nullptr) return 99;
  return static_cast<int>(hook(HC_ACTION, static_cast<WPARAM>(std::atoi(key)), 1));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "window" && argc == 7) return ShowWindowUntilClosed(argv);
  if (mode == "key" && argc == 3) return PressKey(argv[2]);
  if (mode == "hung" && argc == 3) return HangWithAWindow(argv[2]);
  if (mode == "full-tray") return RefuseTrayIcons();
  if (mode == "folder" && argc == 3) return ShowFolderAndRunOn(argv[2]);
  return 2;
}

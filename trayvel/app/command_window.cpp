// The hidden command window: Trayvel's commands, the display changes and the taskbar icon's
// mouse messages.

#include <windows.h>

#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "machine/win32/driver_escape.h"
#include "trayvel/app/resource.h"
#include "trayvel/app/trayvel.h"

namespace trayvel {

int ScreenWidth() {
  return GetSystemMetrics(SM_CXSCREEN);
}

int ScreenHeight() {
  return GetSystemMetrics(SM_CYSCREEN);
}

void ReconfigureLatchwin() {
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings settings(systemIni);
  Reconfigure(settings, ScreenWidth(), ScreenHeight(), program.latchwin);
}

// Not waited for and not checked: a Vistrel that cannot start is nobody's business here.
void LaunchVistrel() {
  Win32Profile systemIni(settings::kSystemIni);
  const std::string programDir = settings::MarovaneSettings(systemIni).Read(settings::kProgramDir);
  const std::string folder = VistrelFolder(programDir);
  const std::string path = VistrelProgram(programDir);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                     &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void TogglePanLock() {
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings settings(systemIni);
  const bool locked = settings.Read(settings::kPanLock) == 0;
  settings.Write(settings::kPanLock, locked ? 1 : 0);
  SendPanLockEscape(locked);
  ShowStatusWindow(locked);
}

namespace {

void Carry(int command) {
  switch (command) {
    case names::kLaunchVistrel:
      LaunchVistrel();
      break;
    case names::kTogglePanLock:
      TogglePanLock();
      break;
    case names::kRemoveTaskbarIcon:
      RemoveTaskbarIcon();
      break;
    case names::kAddTaskbarIcon:
      AddTaskbarIcon();
      break;
    default:
      ReconfigureLatchwin();
      break;
  }
}

// The hooks go off before the library goes, and with them the last of Trayvel.
void ShutDown() {
  LatchwinLibrary& latchwin = program.latchwin;
  latchwin.InstallPopupFilter(false);
  latchwin.InstallPanLockFilter(false);
  latchwin.InstallShellHook(false);
  latchwin.InstallCallWndRetHook(false);
  latchwin.Free();
  PostQuitMessage(0);
}

}  // namespace
}  // namespace trayvel

LRESULT CALLBACK LatchwinIniWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      trayvel::Carry(LOWORD(wParam));
      return 0;
    case WM_DISPLAYCHANGE:
      trayvel::ReconfigureLatchwin();
      return 0;
    case WM_USER:
      // A double click on the icon starts Vistrel; the icon has no menu.
      if (wParam == IDI_TASKBAR && lParam == WM_LBUTTONDBLCLK) trayvel::LaunchVistrel();
      return 0;
    case WM_DESTROY:
      trayvel::ShutDown();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

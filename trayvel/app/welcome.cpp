// The first start after installation: the suite's Start-menu group in a folder window, the
// installation's one-time keys deleted, and the welcome dialog.

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "trayvel/app/resource.h"
#include "trayvel/app/trayvel.h"

namespace trayvel {
namespace {

constexpr const char* kShellFolders =
    "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The user's Programs folder of the Start menu; empty when it cannot be read.
std::string ProgramsFolder() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return {};
  }
  DWORD size = 0;
  std::string folder;
  if (RegQueryValueExA(key, "Programs", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    // One more than asked for: a value stored without its terminating zero still ends in one.
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key, "Programs", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS) {
      folder = buffer.data();
    }
  }
  RegCloseKey(key);
  return folder;
}

void CentreOnDesktop(HWND window) {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  MoveWindow(window, desktop.left + (desktop.right - desktop.left - width) / 2,
             desktop.top + (desktop.bottom - desktop.top - height) / 2, width, height, FALSE);
}

}  // namespace

bool RunFirstStart() {
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings settings(systemIni);
  if (settings.Read(settings::kInitialInstall) == 0) return false;
  const std::string toolsFolder = settings.Read(settings::kToolsFolder);
  const std::string programs = toolsFolder.empty() ? std::string() : ProgramsFolder();
  if (!programs.empty()) {
    ShellExecuteA(GetDesktopWindow(), "open", StartMenuGroup(programs, toolsFolder).c_str(),
                  nullptr, nullptr, SW_SHOWNORMAL);
  }
  ForgetInstallation(settings);
  return true;
}

void ShowWelcomeDialog() {
  program.welcomeDialog =
      CreateDialogParamA(program.instance, MAKEINTRESOURCEA(IDD_WELCOME), nullptr, nullptr, 0);
  if (program.welcomeDialog == nullptr) return;
  CentreOnDesktop(program.welcomeDialog);
  SetWindowPos(program.welcomeDialog, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(program.welcomeDialog);
}

}  // namespace trayvel

LRESULT CALLBACK DlgWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) trayvel::LaunchVistrel();
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(window);
        return 0;
      }
      break;
    case WM_DESTROY:
      trayvel::program.welcomeDialog = nullptr;
      break;
    default:
      break;
  }
  return DefDlgProcA(window, message, wParam, lParam);
}

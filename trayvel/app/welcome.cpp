// The first start after installation: the suite's Start-menu group in a folder window, the
// installation's one-time keys deleted, and the welcome dialog.

#include <windows.h>

#include <shellapi.h>

#include "common/settings/marovane_settings.h"
#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "common/win32/win32_profile.h"
#include "common/win32/win32_registry.h"
#include "trayvel/app/resource.h"
#include "trayvel/app/trayvel.h"

namespace trayvel {
namespace {

// The user's Programs folder of the Start menu; empty when it cannot be read.
std::string ProgramsFolder() {
  Win32Registry registry;
  return ReadRegistryString(registry, RegRoot::CurrentUser, win95reg::kShellFolders,
                            win95reg::kProgramsFolder);
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

// TRAYVEL.EXE: the tray companion. One copy runs in the background for as long as Windows does;
// starting another makes the running one re-read its settings.

#include <windows.h>

#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "trayvel/app/resource.h"
#include "trayvel/app/trayvel.h"

namespace trayvel {

Program program;

void ShowError(UINT stringId) {
  char text[128] = "";
  LoadStringA(program.instance, stringId, text, sizeof(text));
  MessageBoxA(nullptr, text, kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

namespace {

bool RegisterWindowClass(const char* name, WNDPROC procedure, int background, int windowExtra) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = windowExtra;
  windowClass.hInstance = program.instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(background));
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

bool RegisterClasses() {
  return RegisterWindowClass(names::kTrayvelCommandClass, LatchwinIniWndProc, WHITE_BRUSH, 0) &&
         RegisterWindowClass(names::kPanLockStatusClass, PanLockStatusWndProc, LTGRAY_BRUSH, 0) &&
         RegisterWindowClass(names::kWelcomeClass, DlgWndProc, NULL_BRUSH, DLGWINDOWEXTRA);
}

// Latchwin gets the viewport right away; the rest comes with the first Reconfigure.
void HandOverViewport() {
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings settings(systemIni);
  const Viewport viewport =
      CheckViewport(settings.Read(settings::kScreenResolutionText), ScreenWidth(), ScreenHeight());
  program.latchwin.SetDllParms(names::kViewportSize, PackViewport(viewport.width, viewport.height));
}

bool ShowsTaskbarIcon() {
  Win32Profile systemIni(settings::kSystemIni);
  return settings::MarovaneSettings(systemIni).Read(settings::kTaskbarIcon) != 0;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (program.welcomeDialog != nullptr && IsDialogMessageA(program.welcomeDialog, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

int Start(HINSTANCE instance) {
  if (HWND running = FindWindowA(names::kTrayvelCommandClass, nullptr)) {
    PostMessageA(running, WM_COMMAND, names::kReconfigure, 0);
    return 0;
  }
  program.instance = instance;
  if (!RegisterClasses()) return 0;
  if (!program.latchwin.Load()) {
    ShowError(IDS_LOAD_ERROR);
    return 0;
  }
  LoadStringA(instance, IDS_SCREEN_LOCKED, program.lockedText, sizeof(program.lockedText));
  LoadStringA(instance, IDS_SCREEN_UNLOCKED, program.unlockedText, sizeof(program.unlockedText));
  program.latchwin.InstallPanLockFilter(true);
  program.commandWindow = CreateWindowExA(0, names::kTrayvelCommandClass, "", WS_OVERLAPPEDWINDOW,
                                          100, 100, 100, 100, nullptr, nullptr, instance, nullptr);
  if (program.commandWindow == nullptr) {
    program.latchwin.InstallPanLockFilter(false);
    program.latchwin.Free();
    return 0;
  }
  program.latchwin.SetDllParms(
      names::kCommandWindow,
      static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(program.commandWindow)));
  HandOverViewport();
  if (ShowsTaskbarIcon() && !AddTaskbarIcon()) ShowError(IDS_ICON_ERROR);
  if (RunFirstStart()) ShowWelcomeDialog();
  PostMessageA(program.commandWindow, WM_COMMAND, names::kReconfigure, 0);
  return RunMessageLoop();
}

}  // namespace
}  // namespace trayvel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return trayvel::Start(instance);
}

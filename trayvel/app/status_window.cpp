// The pan-lock status window: a second of "Screen locked" or "Screen unlocked" with the padlock
// closing or opening, at most one at a time.

#include <windows.h>

#include <optional>

#include "trayvel/app/resource.h"
#include "trayvel/app/trayvel.h"

namespace trayvel {
namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kTickMs = 100;
constexpr COLORREF kBackground = RGB(0xC0, 0xC0, 0xC0);

struct StatusState {
  bool locking = false;
  std::optional<StatusAnimation> animation;
  bool timerRunning = false;
  HFONT font = nullptr;
};
StatusState status;

HICON PanLockIcon(int id) {
  return LoadIconA(program.instance, MAKEINTRESOURCEA(id));
}

bool Create(HWND window) {
  if (SetTimer(window, kTimer, kTickMs, nullptr) == 0) return false;
  status.timerRunning = true;
  status.animation.emplace(status.locking);
  status.font = CreateFontA(-10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
  HWND icon =
      CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON, 8, 6, 32, 32, window,
                      reinterpret_cast<HMENU>(IDC_STATUS_ICON), program.instance, nullptr);
  SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(PanLockIcon(status.animation->Icon())),
               0);
  HWND text =
      CreateWindowExA(0, "STATIC", status.locking ? program.lockedText : program.unlockedText,
                      WS_CHILD | WS_VISIBLE | SS_CENTER, 34, 16, 166, 40, window, nullptr,
                      program.instance, nullptr);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(status.font), FALSE);
  return true;
}

void Tick(HWND window) {
  const int icon = status.animation->Icon();
  if (status.animation->Tick()) {
    KillTimer(window, kTimer);
    status.timerRunning = false;
    DestroyWindow(window);
  } else if (status.animation->Icon() != icon) {
    SendDlgItemMessageA(window, IDC_STATUS_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(PanLockIcon(status.animation->Icon())), 0);
  }
}

void Destroy(HWND window) {
  if (status.timerRunning) KillTimer(window, kTimer);
  status.timerRunning = false;
  if (status.font != nullptr) DeleteObject(status.font);
  status.font = nullptr;
  status.animation.reset();
  if (program.statusWindow == window) program.statusWindow = nullptr;
}

}  // namespace

void ShowStatusWindow(bool locked) {
  if (program.statusWindow != nullptr) DestroyWindow(program.statusWindow);
  status.locking = locked;
  // Latchwin's shell hook knows the title and centres the window in the viewport. Shown
  // without activation: the user goes on typing into the program that had the keyboard.
  program.statusWindow = CreateWindowExA(WS_EX_TOPMOST, names::kPanLockStatusClass,
                                         names::kPanLockStatusCaption, WS_POPUP | WS_DLGFRAME, 0, 0,
                                         200, 48, nullptr, nullptr, program.instance, nullptr);
  if (program.statusWindow != nullptr) ShowWindow(program.statusWindow, SW_SHOWNOACTIVATE);
}

}  // namespace trayvel

LRESULT CALLBACK PanLockStatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return trayvel::Create(window) ? 0 : -1;
    case WM_TIMER:
      if (wParam == trayvel::kTimer && trayvel::status.animation) trayvel::Tick(window);
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), trayvel::kBackground);
      return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
    case WM_DESTROY:
      trayvel::Destroy(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

#pragma once
// Trayvel's state and the pieces of its single thread: the hidden command window, the pan-lock
// status window, the welcome dialog and the taskbar icon.

#include <windows.h>

#include "common/interop/suite_names.h"
#include "trayvel/app/latchwin_library.h"

namespace trayvel {

inline constexpr const char* kMessageCaption = "Latchwin";

struct Program {
  HINSTANCE instance = nullptr;
  LatchwinLibrary latchwin;
  HWND commandWindow = nullptr;
  HWND statusWindow = nullptr;
  HWND welcomeDialog = nullptr;
  char lockedText[40] = "";
  char unlockedText[40] = "";
};

extern Program program;

// The screen's size in pixels.
int ScreenWidth();
int ScreenHeight();

// The command window's work.
void ReconfigureLatchwin();
void LaunchVistrel();
void TogglePanLock();

// The status window for the new pan lock; a showing one goes first.
void ShowStatusWindow(bool locked);

// The taskbar icon; adding reports whether it worked.
bool AddTaskbarIcon();
void RemoveTaskbarIcon();

// The first start after installation: the Start-menu group shown and the installation's keys
// deleted; false when this is not the first start.
bool RunFirstStart();
void ShowWelcomeDialog();

// Message box with a string of the table, as Trayvel reports what stops it.
void ShowError(UINT stringId);

}  // namespace trayvel

// The window procedures, exported by name.
extern "C" {
LRESULT CALLBACK LatchwinIniWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PanLockStatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DlgWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}

// loupara.exe: the screen magnifier Vistrel's Zoom In page starts and configures. Its window
// (class "LOUPARA", title "Zoom In (Nx)") shows the area around the mouse pointer magnified N
// times, with a crosshair, panning continuously or only at the area's edge. It reads the zoom
// settings of [Marovane] at start, obeys Vistrel's commands at once, learns its hot key from
// Qorvid, and a second start brings the first to the front.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "common/interop/suite_names.h"
#include "outside/qorvid/qorvid.h"

namespace {

constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 50;
constexpr int kHotKeyId = 1;

struct Settings {
  int zoom = 2;
  bool crosshair = true;
  int length = 3;  // 0 full window, 1 half, ... 4 a sixteenth
  bool edgePan = false;
} settings;

// Top-left corner of the magnified area, in screen coordinates.
POINT source{0, 0};

int ReadInt(const char* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA("Marovane", key, fallback, "system.ini"));
}

void ReadSettings() {
  const int zoom = ReadInt("ZoomFactor", 2);
  settings.zoom = zoom >= 1 && zoom <= 8 ? zoom : 2;
  settings.crosshair = ReadInt("Crosshair", 1) != 0;
  const int length = ReadInt("LenCrosshair", 3);
  settings.length = length >= 0 && length <= 4 ? length : 3;
  settings.edgePan = ReadInt("EdgePan", 0) != 0;
}

void ShowTitle(HWND window) {
  char title[32];
  std::snprintf(title, sizeof(title), "Zoom In (%dx)", settings.zoom);
  SetWindowTextA(window, title);
}

// Qorvid's items: 6 the modifiers (1 Shift, 2 Ctrl, 4 Alt), 7 the key.
void RegisterQorvidHotKey(HWND window) {
  const int shifts = QorvidGetItem(names::kQorvidHotShifts);
  const int key = QorvidGetItem(names::kQorvidHotKey);
  UnregisterHotKey(window, kHotKeyId);
  if (key == 0) return;
  const UINT modifiers = ((shifts & 1) ? MOD_SHIFT : 0) | ((shifts & 2) ? MOD_CONTROL : 0) |
                         ((shifts & 4) ? MOD_ALT : 0);
  RegisterHotKey(window, kHotKeyId, modifiers, static_cast<UINT>(key));
}

void Command(HWND window, int command) {
  if (command >= names::kMagnifierZoom1x && command <= names::kMagnifierZoom1x + 7) {
    settings.zoom = command - names::kMagnifierZoom1x + 1;
    ShowTitle(window);
  } else if (command == names::kMagnifierNoCrosshair) {
    settings.crosshair = false;
  } else if (command >= names::kMagnifierCrosshairFull &&
             command <= names::kMagnifierCrosshairFull + 4) {
    settings.crosshair = true;
    settings.length = command - names::kMagnifierCrosshairFull;
  } else if (command == names::kMagnifierFollowPointer || command == names::kMagnifierEdgePan) {
    settings.edgePan = command == names::kMagnifierEdgePan;
  }
  InvalidateRect(window, nullptr, FALSE);
}

// Where the magnified area lies: centred on the pointer, or moved only when the pointer leaves it.
void Follow(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right / settings.zoom;
  const int height = client.bottom / settings.zoom;
  POINT pointer;
  GetCursorPos(&pointer);
  if (!settings.edgePan) {
    source = {pointer.x - width / 2, pointer.y - height / 2};
  } else {
    if (pointer.x < source.x) source.x = pointer.x;
    if (pointer.x >= source.x + width) source.x = pointer.x - width + 1;
    if (pointer.y < source.y) source.y = pointer.y;
    if (pointer.y >= source.y + height) source.y = pointer.y - height + 1;
  }
  InvalidateRect(window, nullptr, FALSE);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  StretchBlt(dc, 0, 0, client.right, client.bottom, screen, source.x, source.y,
             client.right / settings.zoom, client.bottom / settings.zoom, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (settings.crosshair) {
    const int halfWidth = client.right / 2 >> settings.length;
    const int halfHeight = client.bottom / 2 >> settings.length;
    const int x = client.right / 2;
    const int y = client.bottom / 2;
    SetROP2(dc, R2_NOT);
    MoveToEx(dc, x - halfWidth, y, nullptr);
    LineTo(dc, x + halfWidth, y);
    MoveToEx(dc, x, y - halfHeight, nullptr);
    LineTo(dc, x, y + halfHeight);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(window, LOWORD(wParam));
      return 0;
    case WM_TIMER:
      Follow(window);
      return 0;
    case WM_HOTKEY:
      ShowWindow(window, SW_RESTORE);
      SetForegroundWindow(window);
      return 0;
    case WM_ACTIVATE:
      RegisterQorvidHotKey(window);  // the hot key may have changed meanwhile
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      UnregisterHotKey(window, kHotKeyId);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (HWND running = FindWindowA(names::kMagnifierClass, nullptr)) {
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return 0;
  }
  ReadSettings();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = names::kMagnifierClass;
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, names::kMagnifierClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 320, 240, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowTitle(window);
  RegisterQorvidHotKey(window);
  SetTimer(window, kFollowTimer, kFollowMs, nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

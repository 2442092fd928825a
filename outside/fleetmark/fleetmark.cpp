// fleetmark.exe: the graphics benchmark Vistrel's Fleetmark page starts. It fills rectangles
// for a second, then copies blocks for a second, in its own window, and shows how many of each
// it managed per second. The argument "1" starts the run at once; otherwise a click does.

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "common/interop/suite_names.h"

namespace {

constexpr UINT_PTR kRunTimer = 1;
constexpr UINT kBatchMs = 10;
constexpr DWORD kPhaseMs = 1000;
// Each batch draws for most of a timer period, so the count measures drawing, not the timer.
constexpr DWORD kBatchDrawMs = 8;

enum class Phase { Waiting, Filling, Copying, Done };

struct Run {
  Phase phase = Phase::Waiting;
  DWORD phaseStart = 0;
  unsigned operations = 0;
  unsigned fillsPerSecond = 0;
  unsigned blitsPerSecond = 0;
  unsigned seed = 1;
} run;

unsigned NextRandom() {
  run.seed = run.seed * 1103515245u + 12345u;
  return run.seed >> 8;
}

void Start(HWND window) {
  run.phase = Phase::Filling;
  run.phaseStart = GetTickCount();
  run.operations = 0;
  SetTimer(window, kRunTimer, kBatchMs, nullptr);
}

// One batch of the current phase, drawn into the lower part of the client area.
void Batch(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right > 0 ? client.right : 1;
  const int top = 60;
  const int height = client.bottom > top + 1 ? client.bottom - top : 1;
  HDC dc = GetDC(window);
  const DWORD sliceStart = GetTickCount();
  do {
    const int x = static_cast<int>(NextRandom() % static_cast<unsigned>(width));
    const int y = top + static_cast<int>(NextRandom() % static_cast<unsigned>(height));
    if (run.phase == Phase::Filling) {
      HBRUSH brush =
          CreateSolidBrush(RGB(NextRandom() & 0xFF, NextRandom() & 0xFF, NextRandom() & 0xFF));
      RECT box{x, y, x + 24, y + 16};
      FillRect(dc, &box, brush);
      DeleteObject(brush);
    } else {
      BitBlt(dc, x, y, 32, 24, dc, width / 2, top + height / 2, SRCCOPY);
    }
    ++run.operations;
  } while (GetTickCount() - sliceStart < kBatchDrawMs);
  GdiFlush();
  ReleaseDC(window, dc);
  const DWORD elapsed = GetTickCount() - run.phaseStart;
  if (elapsed < kPhaseMs) return;
  const unsigned perSecond = static_cast<unsigned>(run.operations * 1000ull / elapsed);
  if (run.phase == Phase::Filling) {
    run.fillsPerSecond = perSecond;
    run.phase = Phase::Copying;
    run.phaseStart = GetTickCount();
    run.operations = 0;
  } else {
    run.blitsPerSecond = perSecond;
    run.phase = Phase::Done;
    KillTimer(window, kRunTimer);
    char title[96];
    std::snprintf(title, sizeof(title), "Fleetmark - %u fills/s, %u blits/s", run.fillsPerSecond,
                  run.blitsPerSecond);
    SetWindowTextA(window, title);
  }
  InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  char text[160];
  switch (run.phase) {
    case Phase::Waiting:
      std::snprintf(text, sizeof(text), "Click to run the benchmark.");
      break;
    case Phase::Done:
      std::snprintf(text, sizeof(text), "Rectangle fills: %u per second\nBlits: %u per second",
                    run.fillsPerSecond, run.blitsPerSecond);
      break;
    default:
      std::snprintf(text, sizeof(text), "Running...");
      break;
  }
  RECT area{10, 8, 400, 56};
  DrawTextA(dc, text, -1, &area, DT_LEFT);
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kRunTimer) Batch(window);
      return 0;
    case WM_LBUTTONDOWN:
      if (run.phase == Phase::Waiting || run.phase == Phase::Done) Start(window);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = names::kFleetmarkClass;
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(0, names::kFleetmarkClass, "Fleetmark", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 420, 320, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  if (std::strcmp(commandLine, "1") == 0) Start(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

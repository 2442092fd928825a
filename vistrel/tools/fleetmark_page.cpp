#include "vistrel/tools/fleetmark_page.h"

#include "common/framework/application.h"
#include "common/win32/bitmap_drawing.h"
#include "common/win32/control_rect.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr ULONG_PTR kHelpContext = 160;

void CloseProcessHandles(PROCESS_INFORMATION& process) {
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  process = PROCESS_INFORMATION{};
}

}  // namespace

CPPage6::CPPage6() : PropertyPage(IDD_FLEETMARK) {
  OnCommand(IDC_GO, BN_CLICKED, [this] { StartBenchmark(); });
  OnCommand(IDC_HELP_FLEETMARK, BN_CLICKED,
            [this] { Application::Current().ShowHelp(Window(), HELP_CONTEXT, kHelpContext); });
}

CPPage6::~CPPage6() {
  CloseProcessHandles(benchmark_);
}

void CPPage6::StartBenchmark() {
  // A new start takes the record's place: only the last one is ended on leaving.
  CloseProcessHandles(benchmark_);
  char commandLine[] = "fleetmark.exe 1";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                 nullptr, &startup, &benchmark_);
}

void CPPage6::EndBenchmark() {
  if (benchmark_.hProcess != nullptr) TerminateProcess(benchmark_.hProcess, 1);
}

bool CPPage6::OnKillActive() {
  EndBenchmark();
  return true;
}

// Cancel and the close box do not deactivate the page: the sheet resets it instead.
void CPPage6::OnCancel() {
  EndBenchmark();
}

// The mosaic: bitmap 177 + 3 x row + column into each of the frame's nine cells.
void CPPage6::OnPaint(HDC dc) {
  const RECT area = ControlRect(Window(), IDC_FLEETMARK_PICTURE);
  const int cellWidth = (area.right - area.left) / 3;
  const int cellHeight = (area.bottom - area.top) / 3;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int left = area.left + column * cellWidth;
      const int top = area.top + row * cellHeight;
      DrawBitmap(dc, GetModuleHandleA(nullptr),
                 MAKEINTRESOURCEA(IDB_MOSAIC_FIRST + 3 * row + column),
                 RECT{left, top, left + cellWidth, top + cellHeight});
    }
  }
}

#include "vistrel/monitor/refresh_meter_page.h"

#include "common/framework/application.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/control_rect.h"
#include "common/win32/resource_text.h"
#include "common/win32/sunken_border.h"
#include "common/win32/win32_profile.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr std::uint32_t kFineRetraces = 3000;
constexpr std::uint32_t kCoarseRetraces = 200;
constexpr const char* kNoRetrace = "No retrace";
constexpr const char* kRateProperty = "MeterRate";

// Where text of this size goes to be centred in the rectangle.
POINT CentredOrigin(const RECT& area, const SIZE& text) {
  return {area.left + (area.right - area.left - text.cx + 1) / 2,
          area.top + (area.bottom - area.top - text.cy + 1) / 2};
}

// Puts what was just painted on the screen while the page keeps the thread busy: a look at the
// queue does it (Wine draws into a window surface that it shows from its message handling).
void ShowPainted() {
  GdiFlush();
  MSG peeked;
  PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace

TimeOfDay SystemMeterClock::Now() {
  SYSTEMTIME time{};
  GetSystemTime(&time);
  return {time.wMinute, time.wSecond, time.wMilliseconds};
}

CPPage3::CPPage3() : PropertyPage(IDD_REFRESH_RATE_METER) {
  OnCommand(IDC_FINE, BN_CLICKED, [this] { Measure(kFineRetraces); });
  OnCommand(IDC_COARSE, BN_CLICKED, [this] { Measure(kCoarseRetraces); });
  OnCommand(IDC_METER_HELP, BN_CLICKED, [this] {
    WinHelpA(Window(), "VISTREL.HLP", HELP_CONTENTS, 0);
    WinHelpA(Window(), "VISTREL.HLP", HELP_COMMAND,
             reinterpret_cast<ULONG_PTR>("JI(\"VISTREL.HLP\",\"Refresh\")"));
  });
}

bool CPPage3::OnKillActive() {
  meterState_ = kIdle;
  KeepShownRate(false);
  return true;
}

RetraceSource CPPage3::Probe() {
  Win32Profile systemIni(settings::kSystemIni);
  const std::string driver =
      systemIni.ReadString(settings::kBootSection, settings::kDisplayDriver, "Default", 80);
  return ProbeAdapter(driver, ports_);
}

void CPPage3::Measure(std::uint32_t retraceCount) {
  meterState_ = kCounting;
  KeepShownRate(false);
  const RECT panel = ControlRect(Window(), IDC_METER_PANEL);
  InvalidatePanel(panel);
  UpdateWindow(Window());
  ShowPainted();
  retraceCount_ = retraceCount;
  SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  measured_ = MeasureRefreshRate(ports_, Probe(), retraceCount_, clock_);
  SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  meterState_ = kMeasured;
  InvalidatePanel(panel);
}

void CPPage3::OnPaint(HDC dc) {
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Window(), WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  const RECT hints = ControlRect(Window(), IDC_METER_TEXT_AREA);
  const std::string coarse = ResourceText(IDS_COARSE_HINT);
  const std::string fine = ResourceText(IDS_FINE_HINT);
  TextOutA(dc, hints.left, hints.top, coarse.c_str(), static_cast<int>(coarse.size()));
  TextOutA(dc, hints.left, hints.top + 22, fine.c_str(), static_cast<int>(fine.size()));

  const RECT panel = ControlRect(Window(), IDC_METER_PANEL);
  if (meterState_ == kCounting) {
    HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
    FillRect(dc, &panel, grey);
    DeleteObject(grey);
    const std::string counting = ResourceText(IDS_COUNTING);
    SIZE size{};
    GetTextExtentPoint32A(dc, counting.c_str(), static_cast<int>(counting.size()), &size);
    const POINT origin = CentredOrigin(panel, size);
    TextOutA(dc, origin.x, origin.y, counting.c_str(), static_cast<int>(counting.size()));
  }
  DrawSunkenBorder(dc, panel);
  if (meterState_ == kMeasured || meterState_ == kShown) PaintReadout(dc, panel);
  SelectObject(dc, oldFont);
}

void CPPage3::PaintReadout(HDC dc, const RECT& panel) {
  const std::string text = measured_.retraced ? ReadoutText(measured_.rateTenths) : kNoRetrace;
  const auto readoutFont = [](int height) {
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                       "Times New Roman");
  };
  HFONT font = readoutFont(GetDeviceCaps(dc, LOGPIXELSX));
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  // A text wider than the panel ("No retrace") is drawn smaller, so that it shows whole.
  const int room = panel.right - panel.left - 16;
  if (size.cx > room) {
    SelectObject(dc, old);
    DeleteObject(font);
    font = readoutFont(GetDeviceCaps(dc, LOGPIXELSX) * room / size.cx);
    old = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  SetTextColor(dc, RGB(0, 255, 0));
  SetBkMode(dc, TRANSPARENT);
  const POINT origin = CentredOrigin(panel, size);
  if (meterState_ == kShown) {
    FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    TextOutA(dc, origin.x, origin.y, text.c_str(), static_cast<int>(text.size()));
  } else {
    // Unrolling from the middle, one band line up and down at every retrace.
    RECT band{panel.left + 2, (panel.top + panel.bottom) / 2, panel.right - 2,
              (panel.top + panel.bottom) / 2 + (panel.top + panel.bottom) % 2};
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const RetraceSource source = Probe();
    // A card that stopped retracing is not waited for again at every line.
    bool retracing = measured_.retraced;
    while (band.top > panel.top + 1) {
      if (retracing) retracing = WaitForNextRetrace(ports_, source, clock_);
      MoveToEx(dc, band.left, band.top, nullptr);
      LineTo(dc, band.right, band.top);
      MoveToEx(dc, band.left, band.bottom, nullptr);
      LineTo(dc, band.right, band.bottom);
      ExtTextOutA(dc, origin.x + 1, origin.y + 1, ETO_CLIPPED, &band, text.c_str(),
                  static_cast<UINT>(text.size()), nullptr);
      ShowPainted();
      --band.top;
      ++band.bottom;
    }
    SelectObject(dc, oldPen);
    meterState_ = kShown;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    KeepShownRate(true);
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

void CPPage3::InvalidatePanel(const RECT& panel) {
  // Not the frame control itself: erasing its background would wipe what the page paints.
  RedrawWindow(Window(), &panel, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
}

void CPPage3::KeepShownRate(bool shown) {
  HWND panel = GetDlgItem(Window(), IDC_METER_PANEL);
  const std::uintptr_t rate = measured_.retraced ? measured_.rateTenths + 1u : 0u;
  if (shown && rate != 0) {
    SetPropA(panel, kRateProperty, reinterpret_cast<HANDLE>(rate));
  } else {
    RemovePropA(panel, kRateProperty);
  }
}

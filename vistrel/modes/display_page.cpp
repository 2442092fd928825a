#include "vistrel/modes/display_page.h"

#include <commctrl.h>

#include <vector>

#include "common/framework/application.h"
#include "common/interop/suite_names.h"
#include "common/win32/bitmap_drawing.h"
#include "common/win32/control_rect.h"
#include "common/win32/resource_text.h"
#include "machine/win32/driver_escape.h"
#include "vistrel/core/font_size.h"
#include "vistrel/modes/font_dialog.h"
#include "vistrel/modes/video_test_dialog.h"
#include "vistrel/shell/resource.h"
#include "vistrel/tools/hot_key_dialog.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 100;
constexpr ULONG_PTR kHelpContext = 120;
constexpr UINT kTrayTimeoutMs = 5000;
constexpr const char* kCaption = "Vistrel";

// One of the page's pictures over the rectangle at (x, y).
void DrawPicture(HDC dc, int bitmapId, int x, int y, int width, int height, bool stretch = true) {
  DrawBitmap(dc, GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
             RECT{x, y, x + width, y + height}, stretch);
}

}  // namespace

LRESULT DialogControls::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(dialog_, id, message, wParam, lParam);
}

std::string DialogControls::String(int stringId) {
  return ResourceText(static_cast<UINT>(stringId));
}

void DialogControls::Enable(int id, bool enabled) {
  EnableWindow(GetDlgItem(dialog_, id), enabled);
}

void DialogControls::SetCheck(int id, bool checked) {
  CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void DialogControls::SetText(int id, const std::string& text) {
  SetDlgItemTextA(dialog_, id, text.c_str());
}

void DialogControls::ClearCombo(int id) {
  Send(id, CB_RESETCONTENT);
}

void DialogControls::InsertComboItem(int id, int position, const std::string& text) {
  Send(id, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.c_str()));
}

void DialogControls::AddComboItem(int id, const std::string& text, int data) {
  const LRESULT item = Send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (item >= 0) Send(id, CB_SETITEMDATA, static_cast<WPARAM>(item), data);
}

void DialogControls::DeleteComboItem(int id, int position) {
  Send(id, CB_DELETESTRING, static_cast<WPARAM>(position));
}

int DialogControls::FindComboItem(int id, const std::string& text) {
  const LRESULT item =
      Send(id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  return item == CB_ERR ? -1 : static_cast<int>(item);
}

void DialogControls::SelectComboItem(int id, int position) {
  Send(id, CB_SETCURSEL, static_cast<WPARAM>(position));
}

int DialogControls::ComboSelection(int id) {
  const LRESULT item = Send(id, CB_GETCURSEL);
  return item == CB_ERR ? -1 : static_cast<int>(item);
}

std::string DialogControls::ComboItemText(int id, int position) {
  const LRESULT length = Send(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(position));
  if (length < 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  Send(id, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

int DialogControls::ComboItemData(int id, int position) {
  return static_cast<int>(Send(id, CB_GETITEMDATA, static_cast<WPARAM>(position)));
}

void DialogControls::SetSliderRange(int id, int maximum) {
  Send(id, TBM_SETRANGE, TRUE, MAKELPARAM(0, maximum));
}

int DialogControls::SliderPosition(int id) {
  return static_cast<int>(Send(id, TBM_GETPOS));
}

void DialogControls::SetSliderPosition(int id, int position) {
  Send(id, TBM_SETPOS, TRUE, position);
}

void DialogControls::StartPollTimer() {
  SetTimer(dialog_, kPollTimer, kPollMs, nullptr);
}

void DialogControls::InvalidatePictures() {
  for (int picture : {IDC_MONITOR_PICTURE, IDC_COLOUR_SAMPLE, IDC_FONT_SAMPLE}) {
    const RECT area = ControlRect(dialog_, picture);
    InvalidateRect(dialog_, &area, FALSE);
  }
}

void DialogControls::MarkChanged(bool changed) {
  if (onMarkChanged) onMarkChanged(changed);
}

bool MachineDisplayDriver::EnumMode(int modeNumber, ModeRecord* mode) {
  DEVMODEA devMode{};
  devMode.dmSize = sizeof(devMode);
  if (!machine::EnumDisplaySettingsA(nullptr, static_cast<DWORD>(modeNumber), &devMode)) {
    return false;
  }
  *mode = {devMode.dmPelsWidth, devMode.dmPelsHeight, devMode.dmBitsPerPel};
  return true;
}

int MachineDisplayDriver::ScreenWidth() {
  HDC dc = GetDC(GetDesktopWindow());
  const int width = machine::GetDeviceCaps(dc, HORZRES);
  ReleaseDC(GetDesktopWindow(), dc);
  return width;
}

int MachineDisplayDriver::ScreenDepth() {
  HDC dc = GetDC(GetDesktopWindow());
  const int bits = machine::GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(GetDesktopWindow(), dc);
  return bits;
}

void Win32ApplyActions::SendTrayCommand(int command) {
  HWND tray = FindWindowA(names::kTrayvelCommandClass, nullptr);
  // Bounded: a Trayvel that hangs must not hang the sheet.
  if (tray != nullptr) {
    SendMessageTimeoutA(tray, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_ABORTIFHUNG,
                        kTrayTimeoutMs, nullptr);
  }
}

void Win32ApplyActions::StartTrayvel() {
  WinExec(names::kTrayvelProgram, SW_HIDE);
}

void Win32ApplyActions::SendPanLockEscape(bool locked) {
  ::SendPanLockEscape(locked);
}

bool Win32ApplyActions::Ask(Box box, const std::string& text) {
  switch (box) {
    case Box::NotSupported:
      MessageBoxA(Sheet(), text.c_str(), kCaption, MB_OK);
      return true;
    case Box::RestartQuestion:
      return MessageBoxA(Sheet(), text.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    case Box::ChangeNotice:
      return MessageBoxA(Sheet(), text.c_str(), kCaption, MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
    case Box::Restored:
      MessageBoxA(Sheet(), text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
      return true;
  }
  return false;
}

long Win32ApplyActions::ChangeDisplaySettings(const ModeRecord& mode) {
  DEVMODEA devMode{};
  devMode.dmSize = sizeof(devMode);
  devMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  devMode.dmPelsWidth = mode.width;
  devMode.dmPelsHeight = mode.height;
  devMode.dmBitsPerPel = mode.bitsPerPixel;
  return machine::ChangeDisplaySettingsA(&devMode, CDS_UPDATEREGISTRY);
}

bool Win32ApplyActions::StartRestartProgram() {
  return WinExec("restart.dat", SW_HIDE) > 31;
}

bool Win32ApplyActions::LogOff() {
  return machine::ExitWindowsEx(EWX_LOGOFF, 0x42) != FALSE;
}

void Win32ApplyActions::Beep() {
  MessageBeep(MB_ICONEXCLAMATION);
}

bool Win32ApplyActions::RunVideoTest() {
  return VideoTestDialog().DoModal(Sheet()) == IDOK;
}

CDisplayPg::CDisplayPg() : PropertyPage(IDD_DISPLAY_CONFIGURATION) {
  controls_.onMarkChanged = [this](bool changed) { SetModified(changed); };
  OnCommand(IDC_COLOUR_COMBO, CBN_SELCHANGE, [this] { logic_.UpdateAfterChange(); });
  OnCommand(IDC_FONT_COMBO, CBN_SELCHANGE, [this] { logic_.UpdateAfterChange(); });
  OnCommand(IDC_REFRESH_COMBO, CBN_SELCHANGE, [this] { logic_.RefreshSelected(); });
  for (int option : {IDC_PAN_LOCK, IDC_POPUP_CENTERING, IDC_SHOW_ICON}) {
    OnCommand(option, BN_CLICKED, [this, option] { logic_.ToggleOption(option); });
  }
  OnCommand(IDC_CUSTOM_FONT, BN_CLICKED, [this] {
    FontDialog dialog;
    dialog.percentText = PercentText(PercentOfDpi(logic_.pending.fontDpi));
    if (dialog.DoModal(Window()) == IDOK) {
      logic_.CustomFontChosen(DpiOnOk(dialog.percentText));
    } else {
      logic_.CustomFontCancelled();
    }
  });
  OnCommand(IDC_HOT_KEYS, BN_CLICKED, [this] {
    HotKeyDialog(settings_).DoModal(Window());
    SetModified(true);
  });
  OnCommand(IDC_DISPLAY_HELP, BN_CLICKED,
            [this] { Application::Current().ShowHelp(Window(), HELP_CONTEXT, kHelpContext); });
}

void CDisplayPg::OnInitDialog() {
  controls_.Attach(Window());
  logic_.Initialise();
  // The logic chose what the controls show: from here on the page keeps those values.
  ExchangeValues(false);
}

bool CDisplayPg::OnApply() {
  modeChange_.Apply();
  return true;
}

void CDisplayPg::Exchange(ValueExchange& exchange) {
  exchange.Text(IDC_VIEWPORT_TEXT, viewportText_);
  exchange.Text(IDC_DESKTOP_TEXT, desktopText_);
  exchange.ComboString(IDC_FONT_COMBO, fontText_);
  exchange.ComboString(IDC_COLOUR_COMBO, colourText_);
}

void CDisplayPg::OnTimer(UINT_PTR id) {
  if (id == kPollTimer) logic_.PollSliders();
}

void CDisplayPg::OnDestroy() {
  KillTimer(Window(), kPollTimer);
}

void CDisplayPg::OnPaint(HDC dc) {
  const DisplaySettings& pending = logic_.pending;
  const RECT colour = ControlRect(Window(), IDC_COLOUR_SAMPLE);
  DrawPicture(dc, pending.colorDepth == 0 ? IDB_PALETTE_16 : IDB_PALETTE, colour.left, colour.top,
              colour.right - colour.left, colour.bottom - colour.top);

  // The monitor: every layer keeps the frame's top-left corner.
  const RECT monitor = ControlRect(Window(), IDC_MONITOR_PICTURE);
  const int width = monitor.right - monitor.left;
  const int height = monitor.bottom - monitor.top;
  if (pending.desktopArea == pending.viewportArea) {
    DrawPicture(dc, IDB_MONITOR_EQUAL, monitor.left, monitor.top, width, height);
  } else {
    DrawPicture(dc, IDB_MONITOR_PANNED, monitor.left, monitor.top, width, height);
    const int grow = 15 * pending.viewportArea - 45;
    DrawPicture(dc, IDB_VIEWPORT, monitor.left, monitor.top, width + grow, height + grow);
  }
  const int shrink = 15 * (pending.desktopArea + 1);
  DrawPicture(dc, IDB_DESKTOP, monitor.left, monitor.top, width - shrink, height - shrink);

  // Large sizes show the sample as it is; small ones squeeze it into the frame.
  const RECT font = ControlRect(Window(), IDC_FONT_SAMPLE);
  DrawPicture(dc, IDB_FONT_SAMPLE, font.left, font.top, font.right - font.left,
              font.bottom - font.top, pending.fontDpi < kLargeFontSetDpi);
}

#include "vistrel/tools/zoom_page.h"

#include "common/interop/suite_names.h"
#include "common/win32/control_rect.h"
#include "common/win32/sunken_border.h"
#include "outside/qorvid/qorvid.h"
#include "vistrel/core/zoom_settings.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr UINT kCommandTimeoutMs = 5000;

void FillCombo(HWND dialog, int id, const std::vector<std::string>& items) {
  // Inserted at their positions, so the sorted combo boxes keep the lists' order.
  for (std::size_t i = 0; i < items.size(); ++i) {
    SendDlgItemMessageA(dialog, id, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i].c_str()));
  }
}

void Select(HWND dialog, int id, int index) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Checked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

}  // namespace

ZoomConfigDialog::ZoomConfigDialog(settings::MarovaneSettings& settings)
    : ModalDialog(IDD_ZOOM_CONFIG), settings_(settings) {}

int ZoomConfigDialog::Selection(int comboId) const {
  const auto item = SendDlgItemMessageA(Window(), comboId, CB_GETCURSEL, 0, 0);
  return item == CB_ERR ? -1 : static_cast<int>(item);
}

void ZoomConfigDialog::OnInitDialog() {
  const ZoomSettings zoom = ReadZoomSettings(settings_);
  magnifier_ = FindWindowA(names::kMagnifierClass, MagnifierTitle(zoom.zoomFactor).c_str());
  std::vector<std::string> keys;
  for (const ZoomKey& key : ZoomKeyTable()) keys.push_back(key.name);
  FillCombo(Window(), IDC_ZOOM_KEY, keys);
  Select(Window(), IDC_ZOOM_KEY, ZoomKeyByName(zoom.hotKeyName));
  CheckDlgButton(Window(), IDC_ZOOM_SHIFT, (zoom.hotShifts & 1) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_ZOOM_CTRL, (zoom.hotShifts & 2) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_ZOOM_ALT, (zoom.hotShifts & 4) ? BST_CHECKED : BST_UNCHECKED);
  FillCombo(Window(), IDC_ZOOM_LEVEL, kZoomLevels);
  const bool knownZoom = zoom.zoomFactor >= 1 && zoom.zoomFactor <= 8;
  Select(Window(), IDC_ZOOM_LEVEL, knownZoom ? zoom.zoomFactor - 1 : -1);
  CheckRadioButton(Window(), IDC_CONTINUOUS_PAN, IDC_EDGE_PAN,
                   zoom.edgePan ? IDC_EDGE_PAN : IDC_CONTINUOUS_PAN);
  FillCombo(Window(), IDC_ZOOM_CROSSHAIR, kCrosshairs);
  const bool knownLength = zoom.lenCrosshair >= 0 && zoom.lenCrosshair <= 4;
  Select(Window(), IDC_ZOOM_CROSSHAIR,
         zoom.crosshair == 0 ? 0
         : knownLength       ? zoom.lenCrosshair + 1
                             : -1);
  CentreOnParent();
}

void ZoomConfigDialog::OnOK() {
  const ZoomChoice choice{Selection(IDC_ZOOM_LEVEL),        Selection(IDC_ZOOM_CROSSHAIR),
                          Checked(Window(), IDC_EDGE_PAN),  Checked(Window(), IDC_ZOOM_SHIFT),
                          Checked(Window(), IDC_ZOOM_CTRL), Checked(Window(), IDC_ZOOM_ALT),
                          Selection(IDC_ZOOM_KEY)};
  const ZoomApplied applied = WriteZoomChoice(settings_, choice);
  if (magnifier_ != nullptr) {
    for (int command : applied.commands) {
      SendMessageTimeoutA(magnifier_, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_ABORTIFHUNG,
                          kCommandTimeoutMs, nullptr);
    }
  }
  QorvidSetItem(names::kQorvidHotShifts, applied.hotShifts);
  QorvidSetItem(names::kQorvidHotKey, applied.keyCode);
  End(IDOK);
}

CPPage5::CPPage5() : PropertyPage(IDD_ZOOM_IN) {
  OnCommand(IDC_ZOOM_OK, BN_CLICKED, [this] { FindOrStartMagnifier(); });
  OnCommand(IDC_ZOOM_CONFIGURE, BN_CLICKED, [this] {
    ZoomConfigDialog(settings_).DoModal(Window());
    const RECT text = ControlRect(Window(), IDC_ZOOM_HOT_KEY_TEXT);
    InvalidateRect(Window(), &text, TRUE);
    UpdateWindow(Window());
  });
  OnCommand(IDC_ZOOM_HELP, BN_CLICKED, [this] {
    WinHelpA(Window(), "VISTREL.HLP", HELP_CONTENTS, 0);
    WinHelpA(Window(), "VISTREL.HLP", HELP_COMMAND,
             reinterpret_cast<ULONG_PTR>("JI(\"VISTREL.HLP\",\"zoom\")"));
  });
}

void CPPage5::FindOrStartMagnifier() {
  const ZoomSettings zoom = ReadZoomSettings(settings_);
  magnifier_ = FindWindowA(names::kMagnifierClass, MagnifierTitle(zoom.zoomFactor).c_str());
  if (magnifier_ != nullptr) return;
  char commandLine[] = "loupara.exe";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                     nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void CPPage5::OnPaint(HDC dc) {
  const ZoomSettings zoom = ReadZoomSettings(settings_);
  const std::string text = ZoomHotKeyText(zoom.hotShifts, zoom.hotKeyCode);
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Window(), WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const RECT frame = ControlRect(Window(), IDC_ZOOM_HOT_KEY_TEXT);
  const int x =
      frame.left +
      (frame.right - frame.left - static_cast<int>(text.size()) * metrics.tmAveCharWidth) / 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 255));
  TextOutA(dc, x, frame.top, text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc, oldFont);
  DrawSunkenBorder(dc, ControlRect(Window(), IDC_ZOOM_FRAME));
}

#include "vistrel/modes/font_dialog.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/win32/control_rect.h"
#include "vistrel/core/font_size.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr int kStandardPercents[] = {75, 100, 125, 150, 200};
constexpr int kStandardItems = 5;

int StandardItem(int percent) {
  for (int i = 0; i < kStandardItems; ++i) {
    if (kStandardPercents[i] == percent) return i;
  }
  return -1;
}

}  // namespace

FontDialog::FontDialog() : ModalDialog(IDD_FONT_CONFIGURATION) {
  OnCommand(IDC_PERCENT_COMBO, CBN_SELCHANGE, [this] { PercentChosen(); });
}

void FontDialog::OnInitDialog() {
  initialPercent_ = ParsePercent(percentText);
  const FontScale scale = ScaleOfPercent(initialPercent_);
  tickSpacing_ = scale.tickSpacing;
  dpi_ = scale.dpi;
  for (int percent : kStandardPercents) {
    SendDlgItemMessageA(Window(), IDC_PERCENT_COMBO, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(PercentText(percent).c_str()));
  }
  if (StandardItem(initialPercent_) < 0) {
    SendDlgItemMessageA(Window(), IDC_PERCENT_COMBO, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(percentText.c_str()));
  }
  ruler_ = ControlRect(Window(), IDC_RULER);
  sample_ = ControlRect(Window(), IDC_SAMPLE);
  greyPen_ = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
}

void FontDialog::Exchange(ValueExchange& exchange) {
  exchange.ComboString(IDC_PERCENT_COMBO, percentText);
}

void FontDialog::OnCancel() {
  percentText = PercentText(initialPercent_);
  End(IDCANCEL);
}

void FontDialog::Invalidate() {
  InvalidateRect(Window(), &ruler_, TRUE);
  InvalidateRect(Window(), &sample_, TRUE);
}

void FontDialog::PercentChosen() {
  const auto item = SendDlgItemMessageA(Window(), IDC_PERCENT_COMBO, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return;
  char text[32] = "";
  if (SendDlgItemMessageA(Window(), IDC_PERCENT_COMBO, CB_GETLBTEXTLEN, item, 0) >= 31) return;
  SendDlgItemMessageA(Window(), IDC_PERCENT_COMBO, CB_GETLBTEXT, item,
                      reinterpret_cast<LPARAM>(text));
  percentText = text;
  const FontScale scale = ScaleOfPercent(ParsePercent(percentText));
  tickSpacing_ = scale.tickSpacing;
  dpi_ = scale.dpi;
  Invalidate();
}

void FontDialog::Drag(int x) {
  const FontScale scale = ScaleOfDrag(x, ruler_.left, pressX_, spacingAtPress_);
  tickSpacing_ = scale.tickSpacing;
  dpi_ = scale.dpi;
  percentText = PercentText(scale.percent);
  Invalidate();
  ShowPercentInCombo(scale.percent);
}

void FontDialog::ShowPercentInCombo(int percent) {
  HWND combo = GetDlgItem(Window(), IDC_PERCENT_COMBO);
  const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  if (count > kStandardItems) SendMessageA(combo, CB_DELETESTRING, count - 1, 0);
  int item = StandardItem(percent);
  if (item < 0) {
    item = static_cast<int>(
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(percentText.c_str())));
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

INT_PTR FontDialog::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      const int x = GET_X_LPARAM(lParam);
      const int y = GET_Y_LPARAM(lParam);
      if (x > ruler_.left && x < ruler_.right && y > ruler_.top && y < ruler_.bottom) {
        SetCapture(Window());
        dragging_ = true;
        pressX_ = x;
        spacingAtPress_ = tickSpacing_;
      }
      return TRUE;
    }
    case WM_MOUSEMOVE:
      if (dragging_) Drag(GET_X_LPARAM(lParam));
      return TRUE;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
      }
      return TRUE;
  }
  return FALSE;
}

void FontDialog::OnPaint(HDC dc) {
  PaintRuler(dc);
  PaintSample(dc);
}

void FontDialog::OnDestroy() {
  if (greyPen_ != nullptr) DeleteObject(greyPen_);
  greyPen_ = nullptr;
}

void FontDialog::PaintRuler(HDC dc) {
  const int left = ruler_.left;
  const int top = ruler_.top;
  const int right = ruler_.right;
  const int height = ruler_.bottom - ruler_.top;
  // At least a pixel a step, whatever size the dialog was opened with.
  const int step = std::max(1, static_cast<int>(tickSpacing_));
  HGDIOBJ oldPen = SelectObject(dc, greyPen_);
  MoveToEx(dc, left, top, nullptr);
  LineTo(dc, left, top + height);
  // Two passes: grey, then white one pixel to the right and down, with the unit numbers.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) SelectObject(dc, GetStockObject(WHITE_PEN));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    int unit = 0;
    for (int x = left + pass, g = 0; x < right; g = (g + 1) % 4) {
      const int next = std::min(x + step, right);
      const int tickEnd = g == 0 ? top + height : g == 2 ? top + height / 2 : top + height / 4;
      MoveToEx(dc, x, top + 2 - pass, nullptr);
      LineTo(dc, x, tickEnd);
      MoveToEx(dc, x, top + pass, nullptr);
      LineTo(dc, next, top + pass);
      if (pass == 1 && g == 0) {
        char number[16];
        const int length = std::snprintf(number, sizeof(number), "%d", unit++);
        TextOutA(dc, x + 1, top + height, number, length);
      }
      x = next;
    }
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
  }
  SelectObject(dc, oldPen);
}

void FontDialog::PaintSample(HDC dc) {
  char format[128] = "";
  LoadStringA(GetModuleHandleA(nullptr), IDS_FONT_SAMPLE, format, sizeof(format));
  char text[160] = "";
  std::snprintf(text, sizeof(text), format, dpi_);
  const int height = static_cast<int>(std::lround(tickSpacing_ * 0.6f));
  HFONT font =
      CreateFontA(height, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT area = sample_;
  DrawTextA(dc, text, -1, &area, DT_WORDBREAK);
  SelectObject(dc, old);
  DeleteObject(font);
}

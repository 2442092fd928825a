#include "vistrel/monitor/screen_adjustment_page.h"

#include "common/framework/application.h"
#include "common/win32/bitmap_drawing.h"
#include "machine/win32/driver_escape.h"
#include "vistrel/core/adapter_identification.h"
#include "vistrel/shell/resource.h"

namespace {

using Step = ScreenAdjustment::Step;

constexpr ULONG_PTR kHelpContext = 150;

struct StepButton {
  int id;
  Step step;
};

constexpr StepButton kStepButtons[] = {
    {IDC_STEP_UP, Step::kVerticalUp},         {IDC_STEP_DOWN, Step::kVerticalDown},
    {IDC_STEP_VEXP, Step::kVerticalExpand},   {IDC_STEP_VSHR, Step::kVerticalShrink},
    {IDC_STEP_HEXP, Step::kHorizontalExpand}, {IDC_STEP_HSHR, Step::kHorizontalShrink},
    {IDC_STEP_LEFT, Step::kHorizontalLeft},   {IDC_STEP_RIGHT, Step::kHorizontalRight},
};

// The display driver's current mode.
ScreenMode CurrentMode() {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  const ScreenMode mode{machine::GetDeviceCaps(dc, HORZRES), machine::GetDeviceCaps(dc, VERTRES),
                        machine::GetDeviceCaps(dc, BITSPIXEL)};
  ReleaseDC(desktop, dc);
  return mode;
}

int ScreenWidth(settings::MarovaneSettings& settings) {
  const int viewport = settings.ReadScreenResolution().width;
  return viewport != 0 ? viewport : CurrentMode().width;
}

}  // namespace

CPPScreen::CPPScreen() : PropertyPage(IDD_SCREEN_ADJUSTMENT) {
  for (const StepButton& button : kStepButtons) {
    const Step step = button.step;
    OnCommand(button.id, BN_CLICKED, [this, step] {
      adjustment_.Take(step, CurrentMode());
      SetModified(true);
    });
  }
  OnCommand(IDC_UNDO_STEP, BN_CLICKED, [this] { adjustment_.Undo(CurrentMode()); });
  OnCommand(IDC_RESET_TIMING, BN_CLICKED, [this] { OnCancel(); });
  OnCommand(IDC_SCREEN_HELP, BN_CLICKED,
            [this] { Application::Current().ShowHelp(Window(), HELP_CONTEXT, kHelpContext); });
}

void CPPScreen::OnInitDialog() {
  adjustment_.lastStep = Step::kNoStep;
  adjustment_.ReadTiming(CurrentMode());
  // Without the control channel there is no timing to adjust or to put back.
  if (!adjustment_.CanAdjust()) {
    for (const StepButton& button : kStepButtons)
      EnableWindow(GetDlgItem(Window(), button.id), FALSE);
    EnableWindow(GetDlgItem(Window(), IDC_UNDO_STEP), FALSE);
    EnableWindow(GetDlgItem(Window(), IDC_RESET_TIMING), FALSE);
  }
}

bool CPPScreen::OnApply() {
  SendTimingEscape(adjustment_.EscapeValues());
  adjustment_.StoreTiming(settings_, ScreenWidth(settings_), IdentifyChip(direct_));
  SetModified(false);
  return true;
}

void CPPScreen::OnCancel() {
  adjustment_.RestoreTiming(CurrentMode());
  SetModified(false);
}

bool CPPScreen::OnDrawItem(const DRAWITEMSTRUCT& item) {
  DrawBitmapButton(item);
  return true;
}

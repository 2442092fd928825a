// Vistrel: one modal property sheet, one copy at a time.

#include <windows.h>

#include "common/framework/application.h"
#include "common/framework/property_sheet.h"
#include "common/interop/suite_names.h"
#include "vistrel/shell/pages.h"

namespace {

// The sheet's caption marks a running copy: Latchwin centres it and the uninstaller closes it
// by that caption.
class CVistrelPS : public ModalPropertySheet {
 public:
  CVistrelPS() : ModalPropertySheet(names::kVistrelSheetCaption) {}
};

class CVistrelApp : public Application {
 public:
  // A running copy's sheet, found among the top-level windows by its whole caption in any
  // letter case.
  static HWND FindEarlierCopy() {
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
      char caption[30] = "";
      GetWindowTextA(window, caption, sizeof(caption));
      if (lstrcmpiA(caption, names::kVistrelSheetCaption) == 0) return window;
    }
    return nullptr;
  }

  void OnHelp(HWND window, ULONG_PTR /*context*/) override { ShowHelp(window, HELP_FINDER, 0); }

 protected:
  void InitInstance() override {
    if (FindEarlierCopy() != nullptr) return;
    Enable3dControls();

    CVistrelPS sheet;
    CDisplayPg display;
    sheet.AddPage(display);
    CPPScreen screen;
    sheet.AddPage(screen);
    CPPage3 meter;
    sheet.AddPage(meter);
    CPPage4 reachUs;
    sheet.AddPage(reachUs);
    CPPage5 zoom;
    sheet.AddPage(zoom);
    CPPage6 fleetmark;
    sheet.AddPage(fleetmark);

    sheet.DoModal(Instance());

    sheet.RemovePage(fleetmark);
    sheet.RemovePage(zoom);
    sheet.RemovePage(reachUs);
    sheet.RemovePage(meter);
    sheet.RemovePage(screen);
    sheet.RemovePage(display);
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CVistrelApp application;
  return application.Run(instance);
}

// JUBILO.EXE: the launcher panel of the media programs. One copy runs: a second start brings the
// first forward and ends.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "common/framework/application.h"
#include "common/interop/suite_names.h"
#include "common/win32/suite_windows.h"
#include "jubilo/app/launcher_dialog.h"
#include "jubilo/app/resource.h"

namespace {

constexpr const char* kPanelFont = "VGASYS.FON";
constexpr ULONG_PTR kOptionsHelp = 120;

class JubiloApp : public Application {
 protected:
  void InitInstance() override {
    if (HWND running = FindSuiteWindow(names::kLauncherClass, names::kLauncherDevice)) {
      BringForward(running);
      return;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    if (!RegisterClasses() || AddFontResourceA(kPanelFont) == 0) return;
    LauncherDialog panel(ProgramFolder());
    if (panel.Create(nullptr)) panel.RunMessageLoop(nullptr);
    RemoveFontResourceA(kPanelFont);
  }

 private:
  // The running panel comes to the top, shown as this start asks, with its last pop-up.
  static void BringForward(HWND running) {
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
    BringWindowToTop(running);
    ShowWindow(running, show);
    if (show == SW_SHOWNORMAL) BringWindowToTop(GetLastActivePopup(running));
    SetForegroundWindow(running);
  }

  bool RegisterClasses() const {
    WNDCLASSA panel{};
    panel.lpfnWndProc = DefDlgProcA;
    panel.cbWndExtra = DLGWINDOWEXTRA;
    panel.hInstance = Instance();
    panel.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_JUBILO));
    panel.hCursor = LoadCursor(nullptr, IDC_ARROW);
    panel.lpszClassName = names::kLauncherClass;
    HCURSOR hand = LoadCursorA(Instance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    return RegisterClassA(&panel) != 0 && RegisterHandButtonClass(Instance(), hand);
  }

  // F1 anywhere: the options' topic of the help file.
  void OnHelp(HWND window, ULONG_PTR /*context*/) override {
    WinHelpA(window, "JUBILO.HLP", HELP_CONTEXT, kOptionsHelp);
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  JubiloApp application;
  return application.Run(instance);
}

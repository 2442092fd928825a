// PEEKWELL.EXE: the video previewer. One copy runs: a second start brings the first forward.

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/framework/application.h"
#include "common/interop/suite_names.h"
#include "common/win32/resource_text.h"
#include "common/win32/suite_windows.h"
#include "peekwell/app/previewer_dialog.h"
#include "peekwell/app/resource.h"

namespace {

constexpr const char* kClass = names::kPreviewerClass;
// The video services library reports its version by its export by ordinal 2, the major
// number in the high word; 1.10 and newer is what Peekwell reads files with.
constexpr DWORD kOldestVersion = 0x0109FFFF;

class PeekwellApp : public Application {
 public:
  explicit PeekwellApp(int show) : show_(show) {}

 protected:
  // A second start shows the running copy as it was asked to show itself.
  void InitInstance() override {
    if (HWND running = FindSuiteWindow(kClass, std::nullopt)) {
      BringWindowToTop(running);
      ShowWindow(running, show_);
      if (show_ == SW_SHOWNORMAL) BringWindowToTop(GetLastActivePopup(running));
      return;
    }
    if (!VideoServicesRecent()) {
      MessageBoxA(nullptr, ResourceText(IDS_OLD_VIDEO).c_str(), kClass, MB_OK | MB_ICONWARNING);
      return;
    }
    WNDCLASSA previewer{};
    previewer.lpfnWndProc = DefDlgProcA;
    previewer.cbWndExtra = DLGWINDOWEXTRA;
    previewer.hInstance = Instance();
    previewer.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_PEEKWELL));
    previewer.hCursor = LoadCursor(nullptr, IDC_ARROW);
    previewer.lpszClassName = kClass;
    if (RegisterClassA(&previewer) == 0 || !PreviewerDialog::RegisterDeckClass(Instance())) return;
    PreviewerDialog dialog(ProgramFolder());
    if (dialog.Create(nullptr)) dialog.RunMessageLoop(nullptr);
  }

 private:
  static bool VideoServicesRecent() {
    HMODULE library = LoadLibraryA("msvfw32.dll");
    using VersionFunction = DWORD(WINAPI*)();
    const auto version = reinterpret_cast<VersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(2))));
    const bool recent = version != nullptr && version() > kOldestVersion;
    if (library != nullptr) FreeLibrary(library);
    return recent;
  }

  int show_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  PeekwellApp application(show);
  return application.Run(instance);
}

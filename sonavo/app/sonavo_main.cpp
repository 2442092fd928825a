// SONAVO.EXE: the media deck. One program, four players chosen by the command line ("/CD", the
// default, "/MIDI", "/WAVE", "/VIDEO"); one copy of each player runs at a time.

#include <windows.h>

#include <commctrl.h>

#include "common/framework/application.h"
#include "sonavo/app/deck_dialog.h"
#include "sonavo/core/players.h"

namespace {

class SonavoApp : public Application {
 protected:
  void InitInstance() override {
    const sonavo::PlayerKind kind = sonavo::KindOfCommandLine(GetCommandLineA());
    const char* name = sonavo::Traits(kind).name;
    // A running copy of this player comes forward instead.
    if (HWND running = FindWindowA("#32770", name)) {
      SetForegroundWindow(running);
      return;
    }
    if (kind != sonavo::PlayerKind::Cd) {
      MessageBoxA(nullptr, "This player is not part of this build yet; the CD player is.", name,
                  MB_OK | MB_ICONERROR);
      return;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    DeckDialog(ProgramFolder()).DoModal(nullptr);
  }

 private:
  // The program's folder, ending in a backslash.
  std::string ProgramFolder() const {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(Instance(), path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  SonavoApp application;
  return application.Run(instance);
}

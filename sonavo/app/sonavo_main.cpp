// SONAVO.EXE: the media deck. One program, four players chosen by the command line ("/CD", the
// default, "/MIDI", "/WAVE", "/VIDEO"); one copy of each player runs at a time.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "common/framework/application.h"
#include "common/interop/suite_names.h"
#include "common/win32/suite_windows.h"
#include "common/win32/win32_profile.h"
#include "sonavo/app/deck_classes.h"
#include "sonavo/app/deck_dialog.h"
#include "sonavo/app/mci_device.h"
#include "sonavo/app/mci_file_device.h"
#include "sonavo/core/deck_settings.h"
#include "sonavo/core/players.h"

namespace {

// Bounded: a hung first copy must not hang the second.
constexpr UINT kHandOverTimeoutMs = 5000;
constexpr const char* kDeckFont = "VGASYS.FON";

class SonavoApp : public Application {
 public:
  explicit SonavoApp(const char* arguments) : commandLine_(sonavo::ParseCommandLine(arguments)) {}

 protected:
  void InitInstance() override {
    const char* name = sonavo::Traits(commandLine_.kind).name;
    if (HWND running = RunningDeck(commandLine_.kind)) {
      HandOver(running, name);
      return;
    }
    MciDevice kindsDevice(nullptr);
    if (!OpenKindsDevice(commandLine_.kind, name, kindsDevice)) return;
    RunDeck();
  }

 private:
  // A running copy of this player takes the file, if a file player was given one, and comes
  // forward.
  void HandOver(HWND running, const char* name) {
    if (commandLine_.kind != sonavo::PlayerKind::Cd && !commandLine_.path.empty()) {
      Win32Profile settings(ProgramFolder() + sonavo::kSettingsFile);
      settings.WriteString(name, "LoadFile", commandLine_.path);
      SendMessageTimeoutA(running, names::kDeckMsgLoadFile, 0, 0, SMTO_ABORTIFHUNG,
                          kHandOverTimeoutMs, nullptr);
    }
    SetForegroundWindow(running);
  }

  void RunDeck() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The deck's font, there while the deck is.
    if (AddFontResourceA(kDeckFont) == 0 || !RegisterDeckClasses(Instance())) return;
    DeckDialog deck(ProgramFolder(), commandLine_);
    if (!deck.Create(nullptr)) return;
    deck.RunMessageLoop([&deck] { return deck.CompactWindow(); });
    RemoveFontResourceA(kDeckFont);
  }

  // A file player needs its kind's device: opened by type into `device`, or the system's words
  // for what failed and the player ends. Kept open while the player runs, it keeps the device's
  // driver loaded: closing one file's device then never unloads the driver while that device's
  // play thread is still ending (Wine's waveaudio driver crashed the player so, between an
  // album's files). The CD player opens its own and keeps it.
  static bool OpenKindsDevice(sonavo::PlayerKind kind, const char* name, MciDevice& device) {
    if (kind == sonavo::PlayerKind::Cd) return true;
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = sonavo::Traits(kind).deviceType;
    const MCIERROR error = device.Open(MCI_OPEN_TYPE, open);
    if (error != 0) {
      MessageBoxA(nullptr, MciDevice::ErrorText(error).c_str(), name, MB_OK | MB_ICONERROR);
      return false;
    }
    return true;
  }

  // The deck of a running copy of this player: class "AVPLAY", its "DEVICE" the kind.
  static HWND RunningDeck(sonavo::PlayerKind kind) {
    return FindSuiteWindow(names::kDeckClass, static_cast<std::uintptr_t>(kind));
  }

  sonavo::DeckCommandLine commandLine_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  SonavoApp application(arguments);
  return application.Run(instance);
}

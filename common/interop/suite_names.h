#pragma once
// The names by which the suite's programs, and the outside programs they drive, reach one
// another: window classes and captions they search for, the commands and parameters they send.
// Each is part of an interface between two programs, so it is written once, here.

#include <cstdint>

namespace names {

// Vistrel: its sheet, which Vistrel finds to run once and Latchwin keeps centred.
inline constexpr const char* kVistrelSheetCaption = "Marovane Vistrel";
inline constexpr const char* kVistrelProgram = "VISTREL.EXE";

// Trayvel: its hidden command window, which Vistrel and Latchwin's hooks send commands to.
inline constexpr const char* kTrayvelCommandClass = "LatchwinIniApp";
inline constexpr const char* kTrayvelProgram = "trayvel.exe";
// The commands of Trayvel's command window (WM_COMMAND, low word of wParam); any other value
// reconfigures too.
enum TrayCommand : int {
  kReconfigure = 0,
  kLaunchVistrel = 1,
  kTogglePanLock = 2,
  kRemoveTaskbarIcon = 3,
  kAddTaskbarIcon = 4,
};
// Trayvel's pan-lock status window, kept centred in the viewport by Latchwin.
inline constexpr const char* kPanLockStatusClass = "PanLockStatusClass";
inline constexpr const char* kPanLockStatusCaption = "PanLockStatusWnd";
// The welcome dialog of the first start.
inline constexpr const char* kWelcomeClass = "ClassWelcome";

// Latchwin: the library Trayvel loads, and the indexes of its SetDllParms (export ordinal 2).
inline constexpr const char* kLatchwinLibrary = "LATCHWIN.DLL";
inline constexpr unsigned kSetDllParmsOrdinal = 2;
enum DllParameter : std::uint32_t {
  kCommandWindow = 0,
  kLaunchModifiers = 1,
  kLaunchKey = 2,
  kPanModifiers = 3,
  kPanKey = 4,
  kCentreTopLevel = 5,
  kViewportSize = 6,  // width in bits 0-15, height in bits 16-31
};

// Sonavo: each player's deck is a window of class "AVPLAY" whose property "DEVICE" is its kind
// (0 CD, 1 MIDI, 2 wave, 3 video).
inline constexpr const char* kDeckClass = "AVPLAY";
inline constexpr const char* kDeviceProperty = "DEVICE";
// A second copy of a player hands its file to the first with this message (WM_USER+11),
// the path written as `LoadFile` in the player's section of MAROVANE.INI.
inline constexpr unsigned kDeckMsgLoadFile = 0x0400 + 11;
// Jubilo hands a player its window (0 when it goes) and asks it to re-read MAROVANE.INI; the
// video player asks Jubilo to repaint its video screen.
inline constexpr unsigned kDeckMsgAttach = 0x0400 + 42;
inline constexpr unsigned kLauncherMsgRepaintScreen = 0x0400 + 44;
inline constexpr unsigned kDeckMsgReloadSettings = 0x0400 + 48;
// Jubilo's window: class "AVCENTER", property "DEVICE" 5.
inline constexpr const char* kLauncherClass = "AVCENTER";
inline constexpr int kLauncherDevice = 5;
// The mixer's and the previewer's main windows, which Jubilo finds to place their decks.
inline constexpr const char* kMixerClass = "Blendora";
inline constexpr const char* kPreviewerClass = "Peekwell";
// Jubilo's video screen, in its client area, where the video player shows its picture.
inline constexpr int kLauncherScreenLeft = 56;
inline constexpr int kLauncherScreenTop = 49;
inline constexpr int kLauncherScreenRight = 376;
inline constexpr int kLauncherScreenBottom = 289;
// The timer library Tickora: its export by ordinal 2 is the multimedia timer callback that
// sends the window given as user data WM_COMMAND with DeckTick in the low word, once a period.
inline constexpr const char* kTimerLibrary = "TICKORA.DLL";
inline constexpr int kTimerCallbackOrdinal = 2;
inline constexpr int kDeckTick = 3000;

// The magnifier Loupara: its window (titled "Zoom In (Nx)") and the commands Vistrel sends it.
inline constexpr const char* kMagnifierClass = "LOUPARA";
inline constexpr int kMagnifierZoom1x = 500;  // 500-507: zoom 1x-8x
inline constexpr int kMagnifierNoCrosshair = 550;
inline constexpr int kMagnifierCrosshairFull = 551;  // 551-555: full window, 1/2 ... 1/16
inline constexpr int kMagnifierFollowPointer = 700;  // the view follows the pointer
inline constexpr int kMagnifierEdgePan = 701;        // it moves when the pointer leaves it
// Qorvid's items that carry the magnifier's hot key: the modifiers (1 Shift, 2 Ctrl, 4 Alt) and
// the key.
inline constexpr int kQorvidHotShifts = 6;
inline constexpr int kQorvidHotKey = 7;

// The benchmark Fleetmark's window.
inline constexpr const char* kFleetmarkClass = "FleetmarkWClass";

}  // namespace names

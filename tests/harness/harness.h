#pragma once
// Drives the suite's real programs from a test, as a user would: start them, find their windows,
// read and press their controls, answer their message boxes. Every wait has a timeout.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace harness {

using Milliseconds = std::chrono::milliseconds;
inline constexpr Milliseconds kTimeout{10000};

// Polls `condition` until it holds (true) or the timeout passes (false).
bool WaitFor(const std::function<bool()>& condition, Milliseconds timeout = kTimeout);

class Program {
 public:
  // Starts `path` with `arguments` in the program's own folder, with the show command a shortcut
  // would give it, if any; check Started().
  Program(const std::string& path, const std::string& arguments = "",
          std::optional<WORD> show = std::nullopt);
  ~Program();  // ends the process if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  bool WaitForExit(Milliseconds timeout = kTimeout);
  bool Running() const;
  DWORD ExitCode() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Top-level windows, visible or not; processId 0 means any process.
std::vector<HWND> TopLevelWindows(DWORD processId = 0);
// A visible top-level window with this caption (and class, unless empty).
HWND FindWindowByCaption(const std::string& className, const std::string& caption,
                         DWORD processId = 0);
HWND WaitForWindow(const std::string& className, const std::string& caption, DWORD processId = 0,
                   Milliseconds timeout = kTimeout);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
HWND Control(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
std::vector<std::string> ComboItems(HWND dialog, int id);
// The text of the selected item; empty without a selection.
std::string ComboSelectedText(HWND dialog, int id);
// A list box's line; empty for a line it does not have.
std::string ListLineText(HWND list, int line);
int TrackbarPosition(HWND dialog, int id);

// A property sheet's tabs (read through the owning process's memory), the selected one and
// the page shown.
std::vector<std::string> TabCaptions(HWND sheet);
int SelectedTab(HWND sheet);
HWND CurrentPage(HWND sheet);

// Clicks are posted, so a click that opens a modal box does not block the test.
void PressButton(HWND dialog, int id);
void PressCloseBox(HWND window);

// Types a hot-key value (key code in bits 0-7, 0x100 Shift, 0x200 Ctrl, 0x400 Alt) with
// SendInput as fingers would: the modifiers stay down while the key goes down and up, until
// `done` holds or the timeout passes (a hook reads them as they are when it runs).
bool TypeHotKey(int value, const std::function<bool()>& done, Milliseconds timeout = kTimeout);

// Types these keys one after the other, each pressed and released, at a typist's pace.
void PressKeys(const std::vector<WORD>& keys);
// The control that has the keyboard focus in the window's thread, in whatever process.
HWND FocusOf(HWND window);

// The sheet's own Apply button.
inline constexpr int kApplyButton = 0x3021;

struct MessageBox {
  HWND window;
  std::string caption;
  std::string text;
};
// The next message box of the process (a dialog of class "#32770" with the text control 0xFFFF
// and the icon control 0x440).
std::optional<MessageBox> WaitForMessageBox(DWORD processId, Milliseconds timeout = kTimeout);

// Profiles and the registry, as the programs see them; nullopt when absent.
std::optional<std::string> ReadProfile(const std::string& file, const std::string& section,
                                       const std::string& key);
std::optional<std::string> ReadRegistry(HKEY root, const std::string& path,
                                        const std::string& name);
// Wine loads none of `libraries` into the program of that file name from now on: a simulated
// PC without them, for that program only.
void WithoutLibraries(const std::string& program, std::initializer_list<const char*> libraries);

// The folder of the running test executable (where the build put every program).
std::string OwnFolder();

// Repaints the window and its children and waits until the paint has ended.
void WaitUntilPainted(HWND window);
// A picture drawn by `draw` on a memory device context of that size, pixel by pixel
// (0x00RRGGBB, rows from the top).
std::vector<std::uint32_t> DrawnPixels(SIZE size, const std::function<void(HDC)>& draw);
// What the screen shows over the window, as the program left it: nothing is repainted first.
std::vector<std::uint32_t> ScreenPixels(HWND window);

// Saves a picture of the window as NAME.bmp in the folder MAROVANE_SCREENSHOTS names (a
// Windows path), when it is set; scripts/test sets it to build/screenshots. It waits for the
// window to be painted afresh, unless `settle` is false (a window that is busy).
void SaveScreenshot(HWND window, const std::string& name, bool settle = true);

// Runs the machine's tool (MACHINE.EXE beside the test) and returns what it printed.
std::string RunMachineTool(const std::string& arguments);

}  // namespace harness

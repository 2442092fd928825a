// Trayvel and Latchwin end to end: the tray companion started as Windows starts it, hot keys
// typed with SendInput, windows of another program created where the hooks can see them.

#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <set>
#include <thread>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

// Alt released after a swallowed key opens the window's menu, so the key typed more than once
// goes without it.
constexpr int kCtrlShiftP = 0x300 | 'P';
constexpr int kCtrlAltV = 0x600 | 'V';
constexpr const char* kStartedVistrel = "C:\\Program Files\\Marovane\\VISTREL\\VISTREL.EXE|";

// A 200 x 100 window centred in the 800 x 600 viewport panned to (224, 168).
constexpr POINT kCentred{224 + 300, 168 + 250};

class TrayvelTest : public harness::ScenarioTest {
 protected:
  void SetUp() override {
    ScenarioTest::SetUp();
    if (HasFatalFailure()) return;
    Configure("Display", "Mode", "1024,768,8");
    Boot();
    machine::PanViewport(224, 168);
  }

  static void SetKey(const char* key, const std::string& value) {
    WritePrivateProfileStringA("Marovane", key, value.c_str(), "system.ini");
  }
  static std::string Key(const char* key) {
    return harness::ReadProfile("system.ini", "Marovane", key).value_or("(none)");
  }
  static std::string TrayvelPath() {
    return std::string(layout::kDisplayToolsFolder) + "\\TRAYVEL.EXE";
  }

  // Starts Trayvel and waits for its command window; `configured` waits for its first
  // Reconfigure too (a sent command overtakes the posted one and does the same).
  void StartTrayvel(bool configured = true) {
    trayvel_ = std::make_unique<Program>(TrayvelPath());
    ASSERT_TRUE(trayvel_->Started());
    ASSERT_TRUE(harness::WaitFor([&] { return (tray_ = CommandWindow()) != nullptr; }));
    if (configured) Command(0);
  }
  HWND CommandWindow() const {
    for (HWND window : harness::TopLevelWindows(trayvel_->Id())) {
      if (harness::ClassName(window) == names::kTrayvelCommandClass) return window;
    }
    return nullptr;
  }
  void Command(WPARAM command) const {
    SendMessageTimeoutA(tray_, WM_COMMAND, command, 0, SMTO_NORMAL, 10000, nullptr);
  }
  bool HasTaskbarIcon() const {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = tray_;
    record.uID = 107;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
  }

  // A window of another program; the probe keeps it until the test ends.
  HWND OpenWindow(const std::string& caption, int x, int y) {
    probes_.push_back(std::make_unique<Program>(
        harness::OwnFolder() + "\\WINDOW_PROBE.EXE",
        "window " + std::to_string(x) + " " + std::to_string(y) + " 200 100 \"" + caption + "\""));
    return harness::WaitForWindow("WindowProbe", caption, probes_.back()->Id());
  }
  static bool IsAt(HWND window, POINT corner) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.left == corner.x && rect.top == corner.y;
  }
  // Keys go to the window in front, whose program runs the keyboard hook.
  bool Type(int hotKey, const std::function<bool()>& done,
            harness::Milliseconds timeout = harness::kTimeout) {
    if (typingPad_ == nullptr) {
      typingPad_ = OpenWindow("Typing pad", 300, 300);
      SetForegroundWindow(typingPad_);
      // Wine takes the keyboard's state afresh from X when the focus moves: type after that.
      EXPECT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == typingPad_; }));
      std::this_thread::sleep_for(harness::Milliseconds(200));
    }
    return harness::TypeHotKey(hotKey, done, timeout);
  }
  static bool VistrelStarted() {
    return StartedPrograms().find(kStartedVistrel) != std::string::npos;
  }
  static bool Locked(std::uint32_t times) {
    return machine::State()->escapes.panLockCount == times;
  }
  // The top-level windows of a class, in any process.
  static std::vector<HWND> WindowsOfClass(const std::string& className) {
    std::vector<HWND> found;
    for (HWND window : harness::TopLevelWindows()) {
      if (harness::ClassName(window) == className) found.push_back(window);
    }
    return found;
  }
  static HWND StatusWindow() {
    for (HWND window : WindowsOfClass(names::kPanLockStatusClass)) {
      if (IsWindowVisible(window)) return window;
    }
    return nullptr;
  }
  static std::string StatusText(HWND status) {
    HWND text = FindWindowExA(status, harness::Control(status, 101), "Static", nullptr);
    return harness::WindowText(text);
  }

  std::unique_ptr<Program> trayvel_;
  HWND tray_ = nullptr;
  std::vector<std::unique_ptr<Program>> probes_;
  HWND typingPad_ = nullptr;
};

TEST_F(TrayvelTest, ASecondStartLeavesOneCopyThatRereadsItsSettings) {
  ASSERT_TRUE(InstallStandIn("VISTREL.EXE"));
  StartTrayvel();
  SetKey("HotKeyVistrel", std::to_string(kCtrlAltV));
  Program second(TrayvelPath());
  ASSERT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(trayvel_->Running());
  // Only the posted Reconfigure tells the running copy of the new key.
  EXPECT_TRUE(harness::WaitFor(
      [&] { return Type(kCtrlAltV, VistrelStarted, harness::Milliseconds(300)); }));
  EXPECT_EQ(WindowsOfClass(names::kTrayvelCommandClass).size(), 1u);
}

TEST_F(TrayvelTest, WhilePanningNewWindowsOfOtherProgramsOpenInTheViewportButDosBoxesDoNot) {
  SetKey("ScreenResolution", "800,600");
  SetKey("Latchwin", "1");
  StartTrayvel();
  HWND window = OpenWindow("Report", 900, 700);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(harness::WaitFor([&] { return IsAt(window, kCentred); }));
  HWND dosBox = OpenWindow("MS-DOS Prompt", 900, 700);
  ASSERT_NE(dosBox, nullptr);
  EXPECT_TRUE(IsAt(dosBox, {900, 700}));
}

TEST_F(TrayvelTest, TheModeChangeReachesTrayvelAsADisplayChange) {
  Configure("Display", "Mode", "800,600,8");
  Boot();
  SetKey("ScreenResolution", "800,600");
  SetKey("Latchwin", "1");
  StartTrayvel();
  // 800 x 600 on an 800 x 600 screen: nothing is moved.
  HWND before = OpenWindow("Before", 700, 550);
  ASSERT_NE(before, nullptr);
  EXPECT_TRUE(IsAt(before, {700, 550}));

  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  ASSERT_EQ(machine::ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  machine::PanViewport(224, 168);
  // The notification was sent before this message.
  SendMessageTimeoutA(tray_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
  HWND after = OpenWindow("After", 900, 700);
  ASSERT_NE(after, nullptr);
  EXPECT_TRUE(harness::WaitFor([&] { return IsAt(after, kCentred); }));
}

TEST_F(TrayvelTest, ThePanHotKeyLocksWithItsStatusWindowAndTwoQuickTogglesShowOnlyTheSecond) {
  SetKey("ScreenResolution", "800,600");
  SetKey("HotKeyPan", std::to_string(kCtrlShiftP));
  StartTrayvel();
  ASSERT_TRUE(Type(kCtrlShiftP, [] { return Locked(1); }));
  HWND status = nullptr;
  ASSERT_TRUE(harness::WaitFor([&] { return (status = StatusWindow()) != nullptr; }));
  harness::SaveScreenshot(status, "trayvel-status-locked", false);
  EXPECT_EQ(harness::WindowText(status), names::kPanLockStatusCaption);
  EXPECT_EQ(StatusText(status), "Screen locked");
  EXPECT_EQ(Key("PanLock"), "1");
  EXPECT_EQ(machine::State()->escapes.panLocked, 1u);
  EXPECT_EQ(machine::State()->escapes.panLockCount, 1u);
  RECT rect{};
  GetWindowRect(status, &rect);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 48);
  EXPECT_EQ(rect.left, 224 + 300);
  EXPECT_EQ(rect.top, 168 + 276);
  EXPECT_NE(GetWindowLongA(status, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // The padlock closes frame by frame (four in all: a busy machine may hide the first from
  // this poll), then the window goes after about a second.
  std::set<LRESULT> frames;
  EXPECT_TRUE(harness::WaitFor([&] {
    if (!IsWindow(status)) return true;
    frames.insert(SendMessageA(harness::Control(status, 101), STM_GETICON, 0, 0));
    return false;
  }));
  frames.erase(0);
  EXPECT_GE(frames.size(), 2u);
  EXPECT_LE(frames.size(), 4u);

  ASSERT_TRUE(Type(kCtrlShiftP, [] { return Locked(2); }));
  ASSERT_TRUE(Type(kCtrlShiftP, [] { return Locked(3); }));
  ASSERT_TRUE(harness::WaitFor([&] { return (status = StatusWindow()) != nullptr; }));
  const std::vector<HWND> shown = WindowsOfClass(names::kPanLockStatusClass);
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(), IsWindowVisible), 1);
  EXPECT_EQ(StatusText(status), "Screen locked");
  EXPECT_EQ(Key("PanLock"), "1");
}

TEST_F(TrayvelTest, TheVistrelHotKeyWorksWithoutPanningAndThePanKeyDoesNot) {
  ASSERT_TRUE(InstallStandIn("VISTREL.EXE"));
  SetKey("HotKeyVistrel", std::to_string(kCtrlAltV));
  SetKey("HotKeyPan", std::to_string(kCtrlShiftP));
  StartTrayvel();
  EXPECT_FALSE(Type(
      kCtrlShiftP, [] { return Locked(1); }, harness::Milliseconds(500)));
  EXPECT_TRUE(Type(kCtrlAltV, VistrelStarted));
  EXPECT_EQ(Key("PanLock"), "(none)");
  EXPECT_EQ(machine::State()->escapes.panLockCount, 0u);
}

TEST_F(TrayvelTest, ClosingTheCommandWindowSwitchesTheHooksOff) {
  SetKey("ScreenResolution", "800,600");
  SetKey("Latchwin", "1");
  StartTrayvel();
  HWND before = OpenWindow("Before", 900, 700);
  EXPECT_TRUE(harness::WaitFor([&] { return IsAt(before, kCentred); }));
  PostMessageA(tray_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(trayvel_->WaitForExit());
  EXPECT_EQ(trayvel_->ExitCode(), 0u);
  HWND after = OpenWindow("After", 900, 700);
  ASSERT_NE(after, nullptr);
  EXPECT_TRUE(IsAt(after, {900, 700}));
}

TEST_F(TrayvelTest, TheFirstStartWelcomesTheUserAndForgetsTheInstallationKeys) {
  ASSERT_TRUE(InstallStandIn("VISTREL.EXE"));
  SetKey("InitialInstall", "1");
  SetKey("Refresh", "1,2,3,-1,-1,-1");
  SetKey("RefreshRate", "1");
  StartTrayvel(false);
  HWND welcome = harness::WaitForWindow(names::kWelcomeClass, "Marovane", trayvel_->Id());
  ASSERT_NE(welcome, nullptr);
  harness::SaveScreenshot(welcome, "trayvel-welcome");
  EXPECT_NE(GetWindowLongA(welcome, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(harness::WindowText(harness::Control(welcome, IDOK)), "Yes");
  EXPECT_EQ(harness::WindowText(harness::Control(welcome, IDCANCEL)), "No");
  EXPECT_EQ(Key("InitialInstall"), "(none)");
  EXPECT_EQ(Key("Refresh"), "(none)");
  EXPECT_EQ(Key("RefreshRate"), "(none)");
  harness::PressButton(welcome, IDOK);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(welcome); }));
  EXPECT_TRUE(harness::WaitFor(VistrelStarted));
  EXPECT_TRUE(trayvel_->Running());
}

TEST_F(TrayvelTest, TheTaskbarIconStartsVistrelOnADoubleClickOnly) {
  ASSERT_TRUE(InstallStandIn("VISTREL.EXE"));
  StartTrayvel();
  EXPECT_TRUE(HasTaskbarIcon());
  for (LPARAM click : {WM_LBUTTONUP, WM_RBUTTONUP, WM_RBUTTONDBLCLK}) {
    SendMessageA(tray_, WM_USER, 107, click);
  }
  EXPECT_EQ(StartedPrograms(), "");
  SendMessageA(tray_, WM_USER, 107, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(harness::WaitFor(VistrelStarted));

  // A Vistrel that cannot be started is not reported (the stand-in is gone once it has ended).
  ASSERT_TRUE(harness::WaitFor([] { return DeleteFileA(VistrelPath().c_str()) != FALSE; }));
  SendMessageA(tray_, WM_USER, 107, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(harness::WaitForMessageBox(trayvel_->Id(), harness::Milliseconds(500)));
  EXPECT_TRUE(trayvel_->Running());
}

TEST_F(TrayvelTest, WithoutTheTaskbarIconSettingNoIconAndNoMessage) {
  SetKey("TaskbarIcon", "0");
  StartTrayvel();
  EXPECT_FALSE(HasTaskbarIcon());
  EXPECT_FALSE(harness::WaitForMessageBox(trayvel_->Id(), harness::Milliseconds(500)));
  Command(4);
  EXPECT_TRUE(HasTaskbarIcon());
}

TEST_F(TrayvelTest, ATaskbarThatRefusesTheIconIsReportedAndTrayvelRunsOn) {
  Program tray(harness::OwnFolder() + "\\WINDOW_PROBE.EXE", "full-tray");
  ASSERT_TRUE(harness::WaitFor([&] {
    const std::vector<HWND> windows = harness::TopLevelWindows(tray.Id());
    return std::any_of(windows.begin(), windows.end(),
                       [](HWND window) { return harness::ClassName(window) == "Shell_TrayWnd"; });
  }));
  trayvel_ = std::make_unique<Program>(TrayvelPath());
  const auto box = harness::WaitForMessageBox(trayvel_->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Latchwin");
  EXPECT_EQ(box->text, "Could not create taskbar icon.");
  harness::PressButton(box->window, IDOK);
  EXPECT_TRUE(harness::WaitFor([&] { return (tray_ = CommandWindow()) != nullptr; }));
  EXPECT_TRUE(trayvel_->Running());
}

TEST_F(TrayvelTest, WithoutLatchwinTrayvelSaysSoAndEnds) {
  ASSERT_TRUE(DeleteFileA((std::string(layout::kDisplayToolsFolder) + "\\LATCHWIN.DLL").c_str()));
  Program trayvel(TrayvelPath());
  const auto box = harness::WaitForMessageBox(trayvel.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Latchwin");
  EXPECT_EQ(box->text, "Error loading LATCHWIN.DLL.");
  harness::PressButton(box->window, IDOK);
  EXPECT_TRUE(trayvel.WaitForExit());
  EXPECT_TRUE(WindowsOfClass(names::kTrayvelCommandClass).empty());
}

TEST_F(TrayvelTest, VistrelsApplyRemovesTheIconAndRestartsTrayvel) {
  StartTrayvel();
  ASSERT_TRUE(HasTaskbarIcon());
  SetKey("TaskbarIcon", "0");
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 0);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_PAN_LOCK);
  ASSERT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(sheet_, harness::kApplyButton); }));
  harness::PressButton(sheet_, IDOK);
  ASSERT_TRUE(vistrel.WaitForExit());
  EXPECT_FALSE(HasTaskbarIcon());
  EXPECT_EQ(Key("PanLock"), "1");
  EXPECT_TRUE(trayvel_->Running());
  EXPECT_EQ(WindowsOfClass(names::kTrayvelCommandClass).size(), 1u);
}

}  // namespace

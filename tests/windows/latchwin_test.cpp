// LATCHWIN.DLL loaded as Trayvel loads it: the block all processes share, the install rule and
// the hook procedures called with crafted records, over a 1024 x 768 desktop panned to
// (224, 168) with an 800 x 600 viewport.

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "common/interop/suite_names.h"
#include "latchwin/dll/latchwin.h"
#include "machine/win32/simulator.h"
#include "tests/harness/harness.h"

namespace {

// A window of this size centred in the viewport.
constexpr int kWidth = 200;
constexpr int kHeight = 100;
constexpr RECT kCentred{224 + 300, 168 + 250, 224 + 300 + kWidth, 168 + 250 + kHeight};

template <typename Function>
Function Bind(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::vector<WPARAM>& Commands() {
  static std::vector<WPARAM> commands;
  return commands;
}

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) Commands().push_back(wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

class LatchwinTest : public testing::Test {
 protected:
  void SetUp() override {
    WritePrivateProfileStringA("Display", "Mode", "1024,768,8", machine::kConfigFile);
    machine::Boot();
    machine::PanViewport(224, 168);
    library_ = LoadLibraryA((harness::OwnFolder() + "\\" + names::kLatchwinLibrary).c_str());
    ASSERT_NE(library_, nullptr);
    setDllParms_ = reinterpret_cast<latchwin::SetDllParmsFunction>(
        reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(2))));
    ASSERT_NE(setDllParms_, nullptr);
    setDllParms_(6, 0x02580320);  // 800 x 600
    setDllParms_(5, 0);
  }
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
    if (library_ != nullptr) FreeLibrary(library_);
  }

  HWND Window(const char* className, const char* caption, DWORD style, HWND owner = nullptr) {
    HWND window = CreateWindowExA(0, className, caption, style, 0, 0, kWidth, kHeight, owner,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(window);
    return window;
  }
  static RECT Where(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  static bool IsCentred(HWND window) {
    const RECT rect = Where(window);
    return EqualRect(&kCentred, &rect) != FALSE;
  }

  HMODULE library_ = nullptr;
  latchwin::SetDllParmsFunction setDllParms_ = nullptr;
  std::vector<HWND> windows_;
};

TEST_F(LatchwinTest, TheCreationHookCentresDialogsThatOpenOutsideTheViewport) {
  auto cbt = Bind<HOOKPROC>(library_, "CbtFunc");
  HWND dialog = Window("#32770", "", WS_POPUP);
  HWND button = Window("Button", "", WS_POPUP);
  auto created = [&](HWND window, int code, int x, int y) {
    CREATESTRUCTA create{};
    create.x = x;
    create.y = y;
    create.cx = kWidth;
    create.cy = kHeight;
    CBT_CREATEWNDA record{&create, nullptr};
    cbt(code, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&record));
    return POINT{create.x, create.y};
  };
  const POINT outside = created(dialog, HCBT_CREATEWND, 0, 0);
  EXPECT_EQ(outside.x, kCentred.left);
  EXPECT_EQ(outside.y, kCentred.top);
  const POINT inside = created(dialog, HCBT_CREATEWND, 300, 300);
  EXPECT_EQ(inside.x, 300);
  EXPECT_EQ(inside.y, 300);
  EXPECT_EQ(created(button, HCBT_CREATEWND, 0, 0).x, 0);
  EXPECT_EQ(created(dialog, HCBT_ACTIVATE, 0, 0).x, 0);
}

TEST_F(LatchwinTest, TheShellHookCentresChosenTopLevelWindowsButNeverADosBox) {
  auto shell = Bind<HOOKPROC>(library_, "ShellFunc");
  auto created = [&](HWND window) {
    shell(HSHELL_WINDOWCREATED, reinterpret_cast<WPARAM>(window), 0);
    return IsCentred(window);
  };
  EXPECT_TRUE(created(Window("Static", "marovane vistrel", WS_OVERLAPPED)));
  EXPECT_TRUE(created(Window("Static", names::kPanLockStatusCaption, WS_POPUP)));
  EXPECT_FALSE(created(Window("Static", "Notepad", WS_OVERLAPPED)));

  setDllParms_(5, 1);
  EXPECT_TRUE(created(Window("Static", "Notepad", WS_OVERLAPPED)));
  EXPECT_TRUE(created(Window("Static", "A long caption then MS-DOS", WS_OVERLAPPED)));
  EXPECT_FALSE(created(Window("Static", "MS-DOS Prompt", WS_OVERLAPPED)));
  EXPECT_FALSE(created(Window("Static", "Owned", WS_POPUP, Window("Static", "Owner", WS_POPUP))));
  EXPECT_FALSE(created(Window("Static", "Command - MS-DOS", WS_OVERLAPPED)));
}

TEST_F(LatchwinTest, InstallingTwiceInstallsOnceAndOneRemovalRemoves) {
  auto install = Bind<latchwin::InstallFunction>(library_, "InstallShellHook");
  EXPECT_EQ(install(1), 1);
  EXPECT_EQ(install(1), 1);
  EXPECT_TRUE(IsCentred(Window("Static", names::kVistrelSheetCaption, WS_OVERLAPPED | WS_VISIBLE)));
  EXPECT_EQ(install(0), 1);
  EXPECT_FALSE(
      IsCentred(Window("Static", names::kVistrelSheetCaption, WS_OVERLAPPED | WS_VISIBLE)));
  EXPECT_EQ(install(0), 1);
}

TEST_F(LatchwinTest, AnotherProcessSeesTheParametersThisOneSet) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RecordCommands;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CommandRecorder";
  RegisterClassA(&windowClass);
  HWND recorder = Window("CommandRecorder", "", WS_POPUP);
  setDllParms_(0, static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(recorder)));
  setDllParms_(3, 0);
  setDllParms_(4, VK_F8);
  setDllParms_(1, 0);
  setDllParms_(2, VK_F9);

  // The probe's hook sends synchronously: take its message while it waits.
  auto press = [](int key) {
    harness::Program probe(harness::OwnFolder() + "\\WINDOW_PROBE.EXE",
                           "key " + std::to_string(key));
    EXPECT_TRUE(harness::WaitFor([&] {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      return !probe.Running();
    }));
    return probe.ExitCode();
  };
  EXPECT_EQ(press(VK_F8), 1u);
  EXPECT_EQ(press(VK_F9), 1u);
  EXPECT_EQ(press(VK_F10), 0u);
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{2, 1}));
}

}  // namespace

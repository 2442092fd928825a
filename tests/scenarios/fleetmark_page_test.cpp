// The Fleetmark page end to end with the benchmark stand-in.

#include <windows.h>

#include <gtest/gtest.h>
#include <prsht.h>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

class FleetmarkPageTest : public harness::ScenarioTest {
 protected:
  // Benchmarks outlive the page that started them.
  void TearDown() override {
    for (HWND window : Benchmarks()) {
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, ProcessOf(window))) {
        TerminateProcess(process, 0);
        CloseHandle(process);
      }
    }
    harness::WaitFor([] { return Benchmarks().empty(); });
  }
  static std::vector<HWND> Benchmarks() {
    std::vector<HWND> windows;
    for (HWND window : harness::TopLevelWindows()) {
      if (IsWindowVisible(window) && harness::ClassName(window) == names::kFleetmarkClass) {
        windows.push_back(window);
      }
    }
    return windows;
  }
  static DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
  }
};

TEST_F(FleetmarkPageTest, GoStartsTheBenchmarkWhichRunsAndShowsItsFigures) {
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 5);
  ASSERT_NE(page, nullptr);
  harness::SaveScreenshot(sheet_, "fleetmark-page");
  harness::PressButton(page, IDC_GO);
  ASSERT_TRUE(harness::WaitFor([] { return Benchmarks().size() == 1; }));
  HWND benchmark = Benchmarks().front();
  // It runs by itself ("1") for two seconds and puts its figures in its caption.
  ASSERT_TRUE(harness::WaitFor(
      [&] { return harness::WindowText(benchmark).find("fills/s") != std::string::npos; }));
  harness::SaveScreenshot(benchmark, "fleetmark");
}

TEST_F(FleetmarkPageTest, LeavingThePageEndsOnlyTheBenchmarkStartedLast) {
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 5);
  ASSERT_NE(page, nullptr);
  SendMessageA(sheet_, PSM_SETCURSEL, 0, 0);  // leaving before any Go! ends nothing
  SendMessageA(sheet_, PSM_SETCURSEL, 5, 0);
  harness::PressButton(page, IDC_GO);
  ASSERT_TRUE(harness::WaitFor([] { return Benchmarks().size() == 1; }));
  const DWORD first = ProcessOf(Benchmarks().front());
  harness::PressButton(page, IDC_GO);
  ASSERT_TRUE(harness::WaitFor([] { return Benchmarks().size() == 2; }));

  SendMessageA(sheet_, PSM_SETCURSEL, 0, 0);
  ASSERT_TRUE(harness::WaitFor([] { return Benchmarks().size() == 1; }));
  EXPECT_EQ(ProcessOf(Benchmarks().front()), first);
  EXPECT_TRUE(vistrel.Running());
}

// OK, Escape (the sheet's Cancel) and the close box end the sheet without leaving the page: the
// benchmark ends with it.
TEST_F(FleetmarkPageTest, OkCancelOrTheCloseBoxEndsTheBenchmarkWithVistrel) {
  enum class Ending { kOk, kEscape, kCloseBox };
  for (const Ending ending : {Ending::kOk, Ending::kEscape, Ending::kCloseBox}) {
    const int which = static_cast<int>(ending);
    Program vistrel(VistrelPath());
    HWND page = OpenVistrelPage(vistrel, 5);
    ASSERT_NE(page, nullptr);
    // Go clicked: the button takes the focus and is pressed.
    PostMessageA(sheet_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(harness::Control(page, IDC_GO)),
                 TRUE);
    harness::PressButton(page, IDC_GO);
    ASSERT_TRUE(harness::WaitFor([] { return Benchmarks().size() == 1; })) << which;
    // Back to the sheet, as a user would bring it in front of the benchmark.
    SetForegroundWindow(sheet_);
    ASSERT_TRUE(harness::WaitFor([this] { return GetForegroundWindow() == sheet_; })) << which;
    switch (ending) {
      case Ending::kOk:
        harness::PressButton(sheet_, IDOK);
        break;
      case Ending::kEscape:
        harness::PressKeys({VK_ESCAPE});
        break;
      case Ending::kCloseBox:
        harness::PressCloseBox(sheet_);
        break;
    }
    ASSERT_TRUE(vistrel.WaitForExit()) << which;
    EXPECT_TRUE(harness::WaitFor([] { return Benchmarks().empty(); })) << which;
  }
}

TEST_F(FleetmarkPageTest, WithoutTheBenchmarkProgramGoShowsNothing) {
  ASSERT_TRUE(DeleteFileA((std::string(layout::kDisplayToolsFolder) + "\\fleetmark.exe").c_str()));
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 5);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_GO);
  EXPECT_FALSE(harness::WaitForMessageBox(vistrel.Id(), harness::Milliseconds(500)));
  EXPECT_TRUE(Benchmarks().empty());
  EXPECT_TRUE(vistrel.Running());
}

}  // namespace

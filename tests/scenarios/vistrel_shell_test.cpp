// Vistrel's shell end to end: the real VISTREL.EXE in a fresh simulated PC.

#include <windows.h>

#include <gtest/gtest.h>
#include <prsht.h>

#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

const std::string kSheet = names::kVistrelSheetCaption;

class VistrelShellTest : public harness::ScenarioTest {
 protected:
  // Waits for the program to end, failing if it showed any window meanwhile.
  static bool EndsWithoutAWindow(Program& program) {
    bool sawWindow = false;
    const bool ended = harness::WaitFor([&] {
      for (HWND window : harness::TopLevelWindows(program.Id())) {
        sawWindow = sawWindow || IsWindowVisible(window);
      }
      return !program.Running();
    });
    return ended && !sawWindow;
  }

  // A top-level window of this test process with the given caption.
  static HWND ForeignWindow(const std::string& caption) {
    return CreateWindowExA(0, "STATIC", caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
};

TEST_F(VistrelShellTest, TheSheetOpensWithItsSixTabsTheFirstSelectedAndApplyDisabled) {
  Program vistrel(VistrelPath());
  HWND sheet = harness::WaitForWindow("#32770", kSheet, vistrel.Id());
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(harness::TabCaptions(sheet),
            (std::vector<std::string>{"Display Configuration", "Screen Adjustment",
                                      "Refresh Rate Meter", "Reach Us", "Zoom In", "Fleetmark"}));
  EXPECT_EQ(harness::SelectedTab(sheet), 0);
  EXPECT_FALSE(harness::IsEnabled(sheet, harness::kApplyButton));
  EXPECT_TRUE(harness::IsEnabled(sheet, IDOK));
  EXPECT_TRUE(harness::IsEnabled(sheet, IDCANCEL));
}

TEST_F(VistrelShellTest, ASecondStartEndsSilentlyAndLeavesTheFirstAsItWas) {
  Program first(VistrelPath());
  HWND sheet = harness::WaitForWindow("#32770", kSheet, first.Id());
  ASSERT_NE(sheet, nullptr);
  SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
  HWND foreground = GetForegroundWindow();

  Program second(VistrelPath());
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(EndsWithoutAWindow(second));
  EXPECT_EQ(second.ExitCode(), 0u);

  EXPECT_TRUE(first.Running());
  EXPECT_EQ(harness::FindWindowByCaption("#32770", kSheet, first.Id()), sheet);
  EXPECT_EQ(harness::SelectedTab(sheet), 2);
  EXPECT_EQ(GetForegroundWindow(), foreground);
}

TEST_F(VistrelShellTest, AForeignWindowWithTheCaptionInOtherLettersStopsVistrel) {
  HWND foreign = ForeignWindow("MAROVANE VISTREL");
  ASSERT_NE(foreign, nullptr);
  Program vistrel(VistrelPath());
  ASSERT_TRUE(vistrel.Started());
  EXPECT_TRUE(EndsWithoutAWindow(vistrel));
  EXPECT_EQ(vistrel.ExitCode(), 0u);
  DestroyWindow(foreign);
}

TEST_F(VistrelShellTest, ACaptionThatOnlyBeginsWithTheSheetsDoesNotCount) {
  HWND foreign = ForeignWindow("Marovane Vistrel 2");
  ASSERT_NE(foreign, nullptr);
  Program vistrel(VistrelPath());
  EXPECT_NE(harness::WaitForWindow("#32770", kSheet, vistrel.Id()), nullptr);
  DestroyWindow(foreign);
}

TEST_F(VistrelShellTest, WithoutTheThreeDimensionalControlsLibraryTheSheetOpensSilently) {
  harness::WithoutLibraries("VISTREL.EXE", {"ctl3d32"});
  Program vistrel(VistrelPath());
  EXPECT_NE(harness::WaitForWindow("#32770", names::kVistrelSheetCaption, vistrel.Id()), nullptr);
  EXPECT_FALSE(harness::WaitForMessageBox(vistrel.Id(), harness::Milliseconds(500)));
}

TEST_F(VistrelShellTest, OkCancelAndTheCloseBoxEachEndTheProgram) {
  const std::vector<std::pair<const char*, std::function<void(HWND)>>> endings = {
      {"OK", [](HWND sheet) { harness::PressButton(sheet, IDOK); }},
      {"Cancel", [](HWND sheet) { harness::PressButton(sheet, IDCANCEL); }},
      {"close box", [](HWND sheet) { harness::PressCloseBox(sheet); }},
  };
  for (const auto& [name, end] : endings) {
    Program vistrel(VistrelPath());
    HWND sheet = harness::WaitForWindow("#32770", kSheet, vistrel.Id());
    ASSERT_NE(sheet, nullptr) << name;
    end(sheet);
    EXPECT_TRUE(vistrel.WaitForExit()) << name;
    EXPECT_EQ(vistrel.ExitCode(), 0u) << name;
  }
}

}  // namespace

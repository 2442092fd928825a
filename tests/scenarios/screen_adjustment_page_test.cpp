// The Screen Adjustment page end to end: steps on the card, Apply to the driver and system.ini,
// Reset back to the timing found.

#include <windows.h>

#include <gtest/gtest.h>
#include <prsht.h>

#include "common/display/timing_set.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

class ScreenPageTest : public harness::ScenarioTest {
 protected:
  static int Field(TimingField field) {
    machine::DirectPorts ports;
    Crtc crtc(ports, 0x3D4);
    return ReadTimingField(crtc, field);
  }
  static std::vector<std::uint8_t> Registers() {
    const auto& crtc = machine::State()->card.registers.crtc;
    return std::vector<std::uint8_t>(crtc, crtc + 0x70);
  }
};

TEST_F(ScreenPageTest, AStepMovesThePictureApplyStoresItAndResetPutsItBack) {
  const auto found = Registers();
  const int start = Field(kVerticalRetraceStart);
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 1);
  ASSERT_NE(page, nullptr);
  harness::SaveScreenshot(sheet_, "screen-adjustment");

  harness::PressButton(page, IDC_STEP_UP);
  ASSERT_TRUE(harness::WaitFor([&] { return Field(kVerticalRetraceStart) == start + 1; }));
  EXPECT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(sheet_, harness::kApplyButton); }));
  harness::PressButton(sheet_, harness::kApplyButton);
  ASSERT_TRUE(harness::WaitFor([] { return machine::State()->escapes.timingCount == 1; }));
  const auto& timing = machine::State()->escapes.timing;
  EXPECT_EQ(timing[kVerticalRetraceStart], start + 1);
  EXPECT_EQ(timing[kHorizontalTotal], kTimingUnchanged);
  // The escape goes out first, then the page stores the values.
  std::optional<std::string> stored;
  ASSERT_TRUE(harness::WaitFor([&] {
    return (stored = harness::ReadProfile("system.ini", "Marovane", "C800-765")).has_value();
  }));
  EXPECT_EQ(stored->rfind("65535,65535,65535,65535,65535,65535," + std::to_string(start + 1), 0),
            0u)
      << *stored;

  harness::PressButton(page, IDC_RESET_TIMING);
  ASSERT_TRUE(harness::WaitFor([&] { return Field(kVerticalRetraceStart) == start; }));
  EXPECT_EQ(Registers(), found);
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "C800-765"), stored);
}

TEST_F(ScreenPageTest, WithoutTheControlDeviceTheStepsAreDisabled) {
  Configure("Card", "ControlDevice", "0");
  Boot();
  Program vistrel(VistrelPath());
  for (int warning = 0; warning < 2; ++warning) {
    const auto box = harness::WaitForMessageBox(vistrel.Id());
    ASSERT_TRUE(box.has_value());
    harness::PressButton(box->window, IDOK);
    ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(box->window); }));
  }
  const auto found = Registers();
  HWND page = OpenVistrelPage(vistrel, 1);
  ASSERT_NE(page, nullptr);
  for (int id : {IDC_STEP_UP, IDC_STEP_RIGHT, IDC_UNDO_STEP, IDC_RESET_TIMING}) {
    EXPECT_FALSE(harness::IsEnabled(page, id)) << id;
  }
  EXPECT_TRUE(harness::IsEnabled(page, IDC_SCREEN_HELP));
  harness::PressButton(sheet_, IDCANCEL);
  EXPECT_TRUE(vistrel.WaitForExit());
  EXPECT_EQ(Registers(), found);
}

}  // namespace

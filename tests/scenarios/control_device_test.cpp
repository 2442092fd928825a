// Vistrel's two pages that reach the card open the graphics control device as the sheet is built.

#include <windows.h>

#include <gtest/gtest.h>
#include <prsht.h>

#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

const std::string kSheet = names::kVistrelSheetCaption;

class ControlDeviceTest : public harness::ScenarioTest {};

TEST_F(ControlDeviceTest, AMissingDeviceGivesTwoWarningsBeforeTheSheet) {
  Configure("Card", "ControlDevice", "0");
  Boot();
  Program vistrel(VistrelPath());
  for (int warning = 1; warning <= 2; ++warning) {
    SCOPED_TRACE(warning);
    const auto box = harness::WaitForMessageBox(vistrel.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Couldn't load VSTLS3.VXD!");
    EXPECT_EQ(box->caption, "Error");  // no caption of its own
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), nullptr);
    EXPECT_EQ(harness::FindWindowByCaption("#32770", kSheet, vistrel.Id()), nullptr);
    harness::PressButton(box->window, IDOK);
    ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(box->window); }));
  }
  HWND sheet = harness::WaitForWindow("#32770", kSheet, vistrel.Id());
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(harness::SelectedTab(sheet), 0);
  EXPECT_EQ(harness::TabCaptions(sheet).size(), 6u);
  EXPECT_FALSE(harness::WaitForMessageBox(vistrel.Id(), harness::Milliseconds(300)));
}

TEST_F(ControlDeviceTest, WithTheDevicePresentNoBoxAppears) {
  Program vistrel(VistrelPath());
  ASSERT_NE(harness::WaitForWindow("#32770", kSheet, vistrel.Id()), nullptr);
  EXPECT_FALSE(harness::WaitForMessageBox(vistrel.Id(), harness::Milliseconds(300)));
}

}  // namespace

// The Display Configuration page end to end, on the simulated PC's card and modes.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;
using Strings = std::vector<std::string>;

class DisplayPageTest : public harness::ScenarioTest {
 protected:
  // Starts Vistrel and returns its first page.
  HWND OpenPage() {
    vistrel_ = std::make_unique<Program>(VistrelPath());
    sheet_ = harness::WaitForWindow("#32770", names::kVistrelSheetCaption, vistrel_->Id());
    return sheet_ == nullptr ? nullptr : harness::CurrentPage(sheet_);
  }

  std::unique_ptr<Program> vistrel_;
};

TEST_F(DisplayPageTest, TheColourListOffersTheDepthsTheCardHasModesFor) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboItems(page, IDC_COLOUR_COMBO),
            (Strings{"16 Color", "256 Color", "High Color (16 bit)", "True Color (24 bit)",
                     "True Color (32 bit)"}));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_COLOUR_COMBO), "256 Color");
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_DESKTOP_TEXT)), "800 by 600 pixels");
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Small Fonts");
}

TEST_F(DisplayPageTest, AHalfMegabyteCardOffersSixteenAnd256ColoursOnly) {
  Configure("Card", "Memory", "512");
  Boot();
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboItems(page, IDC_COLOUR_COMBO), (Strings{"16 Color", "256 Color"}));
}

TEST_F(DisplayPageTest, MovingTheDesktopSliderUpdatesTheTextsAndEnablesApply) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(harness::IsEnabled(sheet_, harness::kApplyButton));
  // As a drag leaves it: the position changes and the page's poll notices.
  SendMessageA(harness::Control(page, IDC_DESKTOP_SLIDER), TBM_SETPOS, TRUE, 2);
  EXPECT_TRUE(harness::WaitFor([&] {
    return harness::WindowText(harness::Control(page, IDC_DESKTOP_TEXT)) == "1024 by 768 pixels";
  }));
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_VIEWPORT_TEXT)), "1024 by 768 pixels");
  EXPECT_TRUE(harness::IsEnabled(sheet_, harness::kApplyButton));
  harness::SaveScreenshot(sheet_, "display-page-1024");
  EXPECT_EQ(harness::ComboItems(page, IDC_REFRESH_COMBO),
            (Strings{"Auto", "Interlaced", "60 Hz", "70 Hz", "75 Hz", "90 Hz"}));
}

TEST_F(DisplayPageTest, TheRefreshListChangesWithTheConfiguredChip) {
  Configure("Card", "Chip", "Vision968");
  Boot();
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboItems(page, IDC_REFRESH_COMBO),
            (Strings{"Auto", "56 Hz", "60 Hz", "72 Hz", "75 Hz", "90 Hz", "120 Hz", "150 Hz"}));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_REFRESH_COMBO), "Auto");
}

TEST_F(DisplayPageTest, TheRefreshListChangesWithTheVideoMemory) {
  Configure("Card", "Memory", "4096");
  Configure("Display", "Mode", "1280,1024,16");
  Boot();
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_COLOUR_COMBO), "High Color (16 bit)");
  EXPECT_EQ(harness::ComboItems(page, IDC_REFRESH_COMBO), (Strings{"Auto", "Interlaced"}));
}

TEST_F(DisplayPageTest, TheHotKeyDialogRoundTripsBothKeysAndMarksThePageChanged) {
  ASSERT_TRUE(InstallStandIn("TRAYVEL.EXE"));
  WritePrivateProfileStringA("Marovane", "HotKeyVistrel", "275", "system.ini");  // Shift+0x13
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_HOT_KEYS);
  HWND dialog = harness::WaitForWindow("#32770", "Hot Key Selection", vistrel_->Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PAN_KEY).size(), 78u);
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PAN_KEY), "(none)");
  EXPECT_FALSE(harness::IsChecked(dialog, IDC_PAN_SHIFT));
  harness::SaveScreenshot(dialog, "hot-key-dialog");
  // A key outside the table opens as "(none)" with its modifiers.
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_VISTREL_KEY), "(none)");
  EXPECT_TRUE(harness::IsChecked(dialog, IDC_VISTREL_SHIFT));

  SendMessageA(harness::Control(dialog, IDC_PAN_KEY), CB_SETCURSEL, 12, 0);  // F12
  SendMessageA(harness::Control(dialog, IDC_PAN_SHIFT), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(harness::Control(dialog, IDC_PAN_CTRL), BM_SETCHECK, BST_CHECKED, 0);
  harness::PressButton(dialog, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyPan"), "891");
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyVistrel"), "256");
  EXPECT_TRUE(harness::WaitFor(
      [] { return StartedPrograms().find("\\TRAYVEL.EXE|") != std::string::npos; }));
  EXPECT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(sheet_, harness::kApplyButton); }));

  // Opened again, it shows what it stored; Cancel stores nothing.
  harness::PressButton(page, IDC_HOT_KEYS);
  dialog = harness::WaitForWindow("#32770", "Hot Key Selection", vistrel_->Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PAN_KEY), "F12");
  EXPECT_TRUE(harness::IsChecked(dialog, IDC_PAN_CTRL));
  EXPECT_FALSE(harness::IsChecked(dialog, IDC_PAN_ALT));
  SendMessageA(harness::Control(dialog, IDC_PAN_ALT), BM_SETCHECK, BST_CHECKED, 0);
  harness::PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyPan"), "891");
  EXPECT_EQ(StartedPrograms().find("TRAYVEL.EXE"), StartedPrograms().rfind("TRAYVEL.EXE"));
}

class FontDialogTest : public DisplayPageTest {
 protected:
  void SetUp() override {
    DisplayPageTest::SetUp();
    SetFontDpi("120");
  }
  HWND OpenFontDialog(HWND page) {
    harness::PressButton(page, IDC_CUSTOM_FONT);
    return harness::WaitForWindow("#32770", "Font Configuration", vistrel_->Id());
  }
  static POINT RulerPoint(HWND dialog, int fromLeft) {
    RECT ruler{};
    GetWindowRect(harness::Control(dialog, IDC_RULER), &ruler);
    POINT point{ruler.left + fromLeft, (ruler.top + ruler.bottom) / 2};
    ScreenToClient(dialog, &point);
    return point;
  }
  static void Mouse(HWND dialog, UINT message, POINT point) {
    SendMessageA(dialog, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(point.x, point.y));
  }
};

TEST_F(FontDialogTest, ItOpensAtTheSizesPercentageAndCancelKeepsTheSize) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Large Fonts");
  HWND dialog = OpenFontDialog(page);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PERCENT_COMBO),
            (Strings{"75%", "100%", "125%", "150%", "200%"}));
  EXPECT_EQ(harness::WindowText(harness::Control(dialog, IDC_PERCENT_COMBO)), "125%");
  EXPECT_EQ(harness::WindowText(harness::Control(dialog, IDC_FONT_INSTRUCTION)),
            "To set custom font size, drag ruler.");
  harness::SaveScreenshot(dialog, "font-dialog");
  harness::PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Large Fonts");
  EXPECT_FALSE(harness::IsEnabled(sheet_, harness::kApplyButton));
}

TEST_F(FontDialogTest, DraggingTheRulerChoosesACustomSize) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  HWND dialog = OpenFontDialog(page);
  ASSERT_NE(dialog, nullptr);
  // At 125 % a step is 31.25 pixels; half the distance from the left edge halves it.
  Mouse(dialog, WM_LBUTTONDOWN, RulerPoint(dialog, 100));
  Mouse(dialog, WM_MOUSEMOVE, RulerPoint(dialog, 50));
  Mouse(dialog, WM_LBUTTONUP, RulerPoint(dialog, 50));
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PERCENT_COMBO), "62%");
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PERCENT_COMBO).size(), 6u);
  Mouse(dialog, WM_LBUTTONDOWN, RulerPoint(dialog, 100));
  Mouse(dialog, WM_MOUSEMOVE, RulerPoint(dialog, 161));
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PERCENT_COMBO), "100%");
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PERCENT_COMBO).size(), 5u);
  Mouse(dialog, WM_LBUTTONUP, RulerPoint(dialog, 161));
  harness::PressButton(dialog, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Small Fonts");
  EXPECT_TRUE(harness::IsEnabled(sheet_, harness::kApplyButton));
}

}  // namespace

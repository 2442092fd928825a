// The help files in the viewer: the suite's Help buttons, F1 and the help macros open readable
// topics of VISTREL.HLP and JUBILO.HLP in Wine's help viewer.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

constexpr int kJubiloReachUs = 1171;
constexpr int kJubiloConfigure = 1173;
constexpr int kPeekwellHelp = 121;

// The text of the topic the help viewer shows (its rich-text view); empty without a viewer.
std::string TopicShown(HWND* viewer) {
  *viewer = FindWindowA("MS_WINHELP", nullptr);
  HWND text =
      *viewer != nullptr ? FindWindowExA(*viewer, nullptr, "RichEdit20A", nullptr) : nullptr;
  char shown[4096] = "";
  if (text != nullptr) {
    SendMessageTimeoutA(text, WM_GETTEXT, sizeof(shown), reinterpret_cast<LPARAM>(shown),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
  }
  return shown;
}

// Waits until the viewer shows the topic of this title; the viewer, or nullptr.
HWND WaitForTopic(const std::string& title) {
  HWND viewer = nullptr;
  harness::WaitFor([&] { return TopicShown(&viewer).rfind(title + "\r", 0) == 0; });
  return TopicShown(&viewer).rfind(title + "\r", 0) == 0 ? viewer : nullptr;
}

class HelpTest : public harness::ScenarioTest {
 protected:
  void TearDown() override {
    if (HWND viewer = FindWindowA("MS_WINHELP", nullptr)) PostMessageA(viewer, WM_CLOSE, 0, 0);
  }
};

TEST_F(HelpTest, TheDisplayPagesHelpOpensItsTopicAndF1OnTheSheetTheContents) {
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 0);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_DISPLAY_HELP);
  HWND viewer = WaitForTopic("Display Configuration");
  ASSERT_NE(viewer, nullptr) << TopicShown(&viewer);
  harness::SaveScreenshot(viewer, "help-display-configuration");

  SetForegroundWindow(sheet_);
  harness::WaitFor([&] { return GetForegroundWindow() == sheet_; });
  harness::PressKeys({VK_F1});
  viewer = WaitForTopic("Vistrel, the display control panel");
  ASSERT_NE(viewer, nullptr) << TopicShown(&viewer);
  SetForegroundWindow(viewer);
  harness::SaveScreenshot(viewer, "help-vistrel-contents");
}

// The meter, Zoom In and Peekwell open the contents and then jump with the JI macro, which
// Wine's viewer does not take from a program (HELP_COMMAND): it stays on the contents, which
// leads to their topics. The native tests check that the macros' targets exist.
TEST_F(HelpTest, TheMetersHelpOpensTheContents) {
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 2);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_METER_HELP);
  HWND viewer = WaitForTopic("Vistrel, the display control panel");
  ASSERT_NE(viewer, nullptr) << TopicShown(&viewer);
  EXPECT_NE(TopicShown(&viewer).find("Refresh Rate Meter"), std::string::npos);
}

TEST_F(HelpTest, JubilosReachUsOpensContext170) {
  Program jubilo(std::string(layout::kMediaFolder) + "\\JUBILO.EXE");
  HWND panel = harness::WaitForWindow(names::kLauncherClass, "Marovane Jubilo", jubilo.Id());
  ASSERT_NE(panel, nullptr);
  harness::PressButton(panel, kJubiloReachUs);
  HWND viewer = WaitForTopic("Reach Us");
  ASSERT_NE(viewer, nullptr) << TopicShown(&viewer);
  EXPECT_NE(TopicShown(&viewer).find("Marovane Graphics Ltd."), std::string::npos);
  harness::SaveScreenshot(viewer, "help-jubilo-reach-us");
}

// Configure Options has a Help button, on every page, which opens the sheet's topic (context
// 120) as F1 does.
TEST_F(HelpTest, JubilosOptionsSheetHasAHelpButtonThatOpensItsTopic) {
  Program jubilo(std::string(layout::kMediaFolder) + "\\JUBILO.EXE");
  HWND panel = harness::WaitForWindow(names::kLauncherClass, "Marovane Jubilo", jubilo.Id());
  ASSERT_NE(panel, nullptr);
  harness::PressButton(panel, kJubiloConfigure);
  HWND sheet = harness::WaitForWindow("#32770", "Configure Options", jubilo.Id());
  ASSERT_NE(sheet, nullptr);
  HWND help = harness::Control(sheet, IDHELP);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(IsWindowVisible(help) && IsWindowEnabled(help));
  // The button clicked: it answers as to the mouse.
  PostMessageA(help, BM_CLICK, 0, 0);
  HWND viewer = WaitForTopic("Configure Options");
  ASSERT_NE(viewer, nullptr) << TopicShown(&viewer);
}

TEST_F(HelpTest, PeekwellsHelpFindsVistrelsFileBesideIt) {
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
  ASSERT_NE(window, nullptr);
  harness::PressButton(window, kPeekwellHelp);
  HWND viewer = WaitForTopic("Vistrel, the display control panel");
  EXPECT_NE(viewer, nullptr) << TopicShown(&viewer);
}

}  // namespace

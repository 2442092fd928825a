// The application framework's sheet and pages, driven from a second thread while the sheet
// runs modally on the test's own thread.

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "common/framework/property_sheet.h"
#include "tests/harness/harness.h"

namespace {

constexpr int kEdit = 1001;
constexpr int kChangedBox = 1002;
constexpr int kCombo = 1003;
const std::string kCaption = "Framework Test";

class TestPage : public PropertyPage {
 public:
  explicit TestPage(int templateId) : PropertyPage(templateId) {
    OnCommand(kChangedBox, BN_CLICKED,
              [this] { SetModified(harness::IsChecked(Window(), kChangedBox)); });
  }

  std::string text = "first value";
  std::string colour = "Green";
  int applied = 0;
  int cancelled = 0;
  // Texts this page refuses to be left with, or to apply.
  std::string refusedOnLeaving, refusedOnApply;

 protected:
  void OnInitDialog() override {
    for (const char* item : {"Red", "Green", "Blue"}) {
      SendDlgItemMessageA(Window(), kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
  }
  void Exchange(ValueExchange& exchange) override {
    if (GetDlgItem(Window(), kEdit) == nullptr) return;
    exchange.Text(kEdit, text);
    exchange.ComboString(kCombo, colour);
  }
  bool OnKillActive() override { return text != refusedOnLeaving; }
  bool OnApply() override {
    ++applied;
    return text != refusedOnApply;
  }
  void OnCancel() override { ++cancelled; }
};

class FrameworkTest : public testing::Test {
 protected:
  // Runs the sheet here and `drive` on a second thread once the sheet is on the screen.
  void RunSheet(const std::function<void(HWND sheet)>& drive) {
    std::thread driver([&] {
      HWND sheet = harness::WaitForWindow("", kCaption, GetCurrentProcessId());
      if (sheet == nullptr) return;
      drive(sheet);
    });
    ModalPropertySheet sheet(kCaption);
    sheet.AddPage(first);
    sheet.AddPage(second);
    sheet.AddPage(third);
    result = sheet.DoModal(GetModuleHandleA(nullptr));
    driver.join();
  }

  static HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  static void Click(HWND page, int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }
  static bool ApplyEnabled(HWND sheet) { return harness::IsEnabled(sheet, harness::kApplyButton); }

  TestPage first{501};
  TestPage second{502};
  TestPage third{503};
  INT_PTR result = 0;
};

TEST_F(FrameworkTest, ApplyFollowsTheChangedMarksOfAllPages) {
  std::vector<bool> apply;
  RunSheet([&](HWND sheet) {
    apply.push_back(ApplyEnabled(sheet));
    HWND page1 = CurrentPage(sheet);
    Click(page1, kChangedBox);
    apply.push_back(ApplyEnabled(sheet));
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    HWND page2 = CurrentPage(sheet);
    Click(page2, kChangedBox);
    Click(page1, kChangedBox);
    apply.push_back(ApplyEnabled(sheet));  // the second page is still changed
    Click(page2, kChangedBox);
    apply.push_back(ApplyEnabled(sheet));
    harness::PressButton(sheet, IDOK);
  });
  EXPECT_EQ(apply, (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(result, IDOK);
}

TEST_F(FrameworkTest, ValuesGoToTheControlsOnActivationAndBackOnLeaving) {
  std::string shownText, shownColour, restoredText, restoredColour;
  RunSheet([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    shownText = harness::WindowText(GetDlgItem(page, kEdit));
    // The list is filled by the page's own initialisation: its stored value must be selected.
    shownColour = harness::ComboSelectedText(page, kCombo);
    SetDlgItemTextA(page, kEdit, "typed");
    SendDlgItemMessageA(page, kCombo, CB_SETCURSEL, 2, 0);
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    // Away from the page its controls change; coming back shows the values kept on leaving.
    SetDlgItemTextA(page, kEdit, "lost");
    SendDlgItemMessageA(page, kCombo, CB_SETCURSEL, 0, 0);
    SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
    restoredText = harness::WindowText(GetDlgItem(page, kEdit));
    restoredColour = harness::WindowText(GetDlgItem(page, kCombo));
    harness::PressButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(shownText, "first value");
  EXPECT_EQ(shownColour, "Green");
  EXPECT_EQ(first.text, "typed");
  EXPECT_EQ(first.colour, "Blue");
  EXPECT_EQ(restoredText, "typed");
  EXPECT_EQ(restoredColour, "Blue");
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FrameworkTest, OkAppliesEveryPageThatWasShownAndOnlyThose) {
  RunSheet([&](HWND sheet) {
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    harness::PressButton(sheet, IDOK);
  });
  EXPECT_EQ(first.applied, 1);
  EXPECT_EQ(second.applied, 1);
  EXPECT_EQ(third.applied, 0);
  EXPECT_EQ(first.cancelled + second.cancelled + third.cancelled, 0);
}

TEST_F(FrameworkTest, CancelAndTheCloseBoxReachThePagesThatWereShown) {
  RunSheet([&](HWND sheet) { harness::PressCloseBox(sheet); });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(first.cancelled, 1);
  EXPECT_EQ(second.cancelled, 0);
  EXPECT_EQ(first.applied, 0);
}

TEST_F(FrameworkTest, APageCanRefuseToBeLeftOrApplied) {
  first.refusedOnLeaving = "half typed";
  first.refusedOnApply = "not yet";
  int pageAfterRefusedLeave = -1;
  bool openAfterRefusedApply = false;
  RunSheet([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    SetDlgItemTextA(page, kEdit, "half typed");
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    pageAfterRefusedLeave = harness::SelectedTab(sheet);
    SetDlgItemTextA(page, kEdit, "not yet");
    SendMessageA(sheet, PSM_APPLY, 0, 0);
    openAfterRefusedApply = IsWindow(sheet) && CurrentPage(sheet) == page;
    SetDlgItemTextA(page, kEdit, "done");
    harness::PressButton(sheet, IDOK);
  });
  EXPECT_EQ(pageAfterRefusedLeave, 0);
  EXPECT_TRUE(openAfterRefusedApply);
  EXPECT_EQ(first.text, "done");
  EXPECT_EQ(result, IDOK);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>

#include "machine/core/card.h"
#include "machine/core/display_modes.h"
#include "tests/native/fakes.h"
#include "tests/native/page_fakes.h"
#include "vistrel/core/mode_change.h"

namespace {

using Box = ApplyActions::Box;

class FakeActions : public ApplyActions {
 public:
  void SendTrayCommand(int command) override { trayCommands.push_back(command); }
  void StartTrayvel() override { ++trayvelStarts; }
  void SendPanLockEscape(bool locked) override { panLocks.push_back(locked); }
  bool Ask(Box box, const std::string& text) override {
    boxes.push_back(box);
    texts.push_back(text);
    return box == Box::RestartQuestion ? answerRestart : answerNotice;
  }
  long ChangeDisplaySettings(const ModeRecord& mode) override {
    changes.push_back(std::to_string(mode.width) + "x" + std::to_string(mode.bitsPerPixel));
    return changeResult;
  }
  bool StartRestartProgram() override {
    ++restarts;
    return true;
  }
  bool LogOff() override {
    ++logOffs;
    return logOffWorks;
  }
  void Beep() override { ++beeps; }
  bool RunVideoTest() override {
    ++videoTests;
    return confirm;
  }

  bool answerRestart = true;
  bool answerNotice = true;
  bool confirm = true;
  bool logOffWorks = true;
  long changeResult = 0;
  std::vector<int> trayCommands;
  int trayvelStarts = 0;
  std::vector<bool> panLocks;
  std::vector<Box> boxes;
  std::vector<std::string> texts;
  std::vector<std::string> changes;
  int restarts = 0;
  int logOffs = 0;
  int beeps = 0;
  int videoTests = 0;
};

class ApplyTest : public SimulatedPage {
 protected:
  void SetUp() override { page.Initialise(); }
  std::optional<std::string> Setting(const std::string& key) {
    if (!profile.Has("Marovane", key)) return std::nullopt;
    return profile.Value("Marovane", key);
  }
  bool FontsWritten() {
    return registry.HasKey(RegRoot::LocalMachine, "Config\\0001\\Display\\Fonts");
  }

  FakeActions actions;
  ModeChange change{page, store, registry, controls, actions};
};

TEST(DescribeModeTest, TheModeDescriptionQuotesRateAndScanRateUnlessAuto) {
  FakeControls strings;
  const std::vector<RefreshEntry> list = {{-1, "Auto"}, {3, "75 Hz"}};
  EXPECT_EQ(DescribeMode("Prefix", 800, 600, 1024, 3, 1, list, strings),
            "Prefix\n\nMode selected: 800x600 / 1024x768, 256 Color, 75 Hz refresh rate, 48 kHz "
            "scan rate.");
  EXPECT_EQ(DescribeMode("", 640, 480, 640, -1, 4, list, strings),
            "\n\nMode selected: 640x480 / 640x480, True Color (32 bit), Auto refresh rate.");
  // An unknown code shows the first entry; an unknown width and depth their defaults.
  EXPECT_EQ(DescribeMode("", 1152, 864, 1152, 9, 7, {{-1, "Auto"}}, strings),
            "\n\nMode selected: 1152x864 / 640x480, 256 Color, Auto refresh rate.");
}

TEST_F(ApplyTest, TheBounceModeIsAnotherWidthAtTheSameDepth) {
  page.BuildModeList();
  const auto widthAt = [&](int position) { return page.modeList.Entry(position)->mode.width; };
  EXPECT_EQ(widthAt(BounceMode(page.modeList, 1024, 8)), 800u);
  EXPECT_EQ(widthAt(BounceMode(page.modeList, 800, 8)), 1024u);
  EXPECT_EQ(widthAt(BounceMode(page.modeList, 640, 32)), 640u);  // no 1024 at 32 bits in 2 MB
  EXPECT_EQ(BounceMode(page.modeList, 800, 12), -1);
}

TEST_F(ApplyTest, TheTypicalRoadWidensTheDesktopAndKeepsItWhenConfirmed) {
  page.popupCentering = 1;
  MoveSlider(IDC_DESKTOP_SLIDER, 2);
  MoveSlider(IDC_VIEWPORT_SLIDER, 1);
  controls.controls[IDC_REFRESH_COMBO].selection = 4;  // "75 Hz"
  page.RefreshSelected();
  change.Apply();

  EXPECT_EQ(Setting("TaskbarIcon"), "1");
  EXPECT_EQ(Setting("Latchwin"), "1");
  EXPECT_EQ(Setting("PanLock"), "0");
  EXPECT_EQ(actions.trayCommands, std::vector<int>{4});
  EXPECT_EQ(actions.trayvelStarts, 1);
  EXPECT_EQ(actions.panLocks, std::vector<bool>{false});
  ASSERT_EQ(actions.boxes, std::vector<Box>{Box::ChangeNotice});
  EXPECT_EQ(actions.texts[0].rfind("Windows will now change", 0), 0u);
  EXPECT_NE(actions.texts[0].find("restored.\n\nMode selected: 800x600 / 1024x768, 256 Color, "
                                  "75 Hz refresh rate, 48 kHz scan rate."),
            std::string::npos);
  EXPECT_EQ(actions.changes, std::vector<std::string>{"1024x8"});
  EXPECT_EQ(Setting("ScreenResolution"), "800,600");
  EXPECT_EQ(Setting("Refresh"), "-1,3,-1,-1,-1,-1");
  EXPECT_EQ(page.applied.desktopArea, 2);
  EXPECT_EQ(page.applied.viewportArea, 1);
  EXPECT_FALSE(controls.changed);
}

TEST_F(ApplyTest, AnUnconfirmedTestPutsTheOldModeAndSettingsBack) {
  actions.confirm = false;
  profile.WriteString("Marovane", "Refresh", "-1,2,-1,-1,-1,-1");
  page.Initialise();
  MoveSlider(IDC_DESKTOP_SLIDER, 2);
  change.Apply();
  EXPECT_EQ(actions.changes, (std::vector<std::string>{"1024x8", "800x8"}));
  EXPECT_EQ(Setting("ScreenResolution"), std::nullopt);
  // The tried 1024 slot gets back the code it held: the applied one read with it.
  EXPECT_EQ(Setting("Refresh"), "-1,2,-1,-1,-1,-1");
  EXPECT_EQ(actions.boxes.back(), Box::Restored);
  EXPECT_EQ(actions.texts.back(), "Windows has restored your original display configuration.");
  EXPECT_EQ(page.pending.desktopArea, 1);
  EXPECT_EQ(page.previousDesktopArea, 2);
  EXPECT_EQ(page.previousColorDepth, 1);
  EXPECT_EQ(controls.controls[IDC_DESKTOP_SLIDER].sliderPosition, 1);
  EXPECT_TRUE(FontsWritten());  // the applied size, written again
  EXPECT_FALSE(controls.changed);
}

TEST_F(ApplyTest, ChangingOnlyTheRateBouncesThroughAnotherMode) {
  controls.controls[IDC_REFRESH_COMBO].selection = 2;
  page.RefreshSelected();
  change.Apply();
  EXPECT_EQ(actions.changes, (std::vector<std::string>{"1024x8", "800x8"}));
  EXPECT_EQ(actions.videoTests, 1);
  EXPECT_EQ(Setting("Refresh"), "-1,1,-1,-1,-1,-1");  // "60 Hz"
}

TEST_F(ApplyTest, ANewDepthAsksToRestartAndNoPutsThePageBack) {
  actions.answerRestart = false;
  controls.Choose(IDC_COLOUR_COMBO, "High Color (16 bit)");
  page.UpdateAfterChange();
  change.Apply();
  ASSERT_EQ(actions.boxes, std::vector<Box>{Box::RestartQuestion});
  EXPECT_EQ(actions.texts[0].rfind("You must restart your computer", 0), 0u);
  EXPECT_TRUE(actions.changes.empty());
  EXPECT_EQ(page.pending.colorDepth, 1);
  EXPECT_EQ(page.previousColorDepth, 2);
  EXPECT_EQ(controls.Selected(IDC_COLOUR_COMBO), "256 Color");
  EXPECT_EQ(Setting("ScreenResolution"), std::nullopt);
  EXPECT_EQ(Setting("Refresh"), std::nullopt);
  EXPECT_FALSE(FontsWritten());
}

TEST_F(ApplyTest, YesSetsTheModeAndStartsTheRestartWithFontsOnlyForANewSize) {
  controls.Choose(IDC_COLOUR_COMBO, "High Color (16 bit)");
  page.UpdateAfterChange();
  actions.changeResult = 1;  // the driver wants the restart
  change.Apply();
  EXPECT_EQ(actions.changes, std::vector<std::string>{"800x16"});
  EXPECT_EQ(actions.restarts, 1);
  EXPECT_EQ(actions.logOffs, 0);
  EXPECT_EQ(Setting("Refresh"), "-1,-1,-1,-1,-1,-1");
  EXPECT_FALSE(FontsWritten());
  EXPECT_EQ(page.applied.colorDepth, 1);
  EXPECT_TRUE(controls.changed);

  page.CustomFontChosen(120);
  change.Apply();
  EXPECT_TRUE(FontsWritten());
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "DPILogicalX"),
            "120");
  EXPECT_EQ(actions.restarts, 2);
}

TEST_F(ApplyTest, ADesktopWithoutAModeIsNotSupported) {
  page.pending.desktopArea = page.pending.viewportArea = 4;
  page.pending.colorDepth = 4;
  change.Apply();
  ASSERT_EQ(actions.boxes, std::vector<Box>{Box::NotSupported});
  EXPECT_EQ(actions.texts[0], "1600 horizontal res with 32 color depth not supported.");
  EXPECT_TRUE(actions.changes.empty());
  EXPECT_TRUE(controls.changed);
}

TEST_F(ApplyTest, NoDisplayChangeStillHandsOverTheOptions) {
  page.panLock = 1;
  change.Apply();
  EXPECT_EQ(Setting("PanLock"), "1");
  EXPECT_EQ(actions.panLocks, std::vector<bool>{true});
  EXPECT_EQ(actions.trayvelStarts, 1);
  EXPECT_TRUE(actions.boxes.empty());
  EXPECT_TRUE(actions.changes.empty());
  EXPECT_FALSE(controls.changed);
}

TEST_F(ApplyTest, ARefusedDynamicChangeLogsOffAndBeepsWhenThatFails) {
  MoveSlider(IDC_DESKTOP_SLIDER, 2);
  actions.changeResult = -1;
  actions.logOffWorks = false;
  change.Apply();
  EXPECT_EQ(actions.logOffs, 1);
  EXPECT_EQ(actions.beeps, 1);
}

TEST_F(ApplyTest, WhenTheWayBackIsRefusedTooTheUserIsLoggedOffAgain) {
  MoveSlider(IDC_DESKTOP_SLIDER, 2);
  actions.changeResult = -1;
  actions.confirm = false;
  change.Apply();
  EXPECT_EQ(actions.changes, (std::vector<std::string>{"1024x8", "800x8"}));
  EXPECT_EQ(actions.logOffs, 2);
  EXPECT_EQ(actions.beeps, 0);
}

// At 640 x 480 the page shows Small Fonts whatever size is in effect: an Apply there (of a Pan
// Lock change, say) changes no font and asks nothing; leaving 640 x 480 shows the size again.
class Apply640Test : public ApplyTest {
 protected:
  void SetUp() override {
    registry.Put(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "DPILogicalX", "120");
    driver.screenWidth = 640;
    page.Initialise();
  }
};

TEST_F(Apply640Test, AtSmallFontsBy640AnApplyAsksNoRestartForAFontNobodyChanged) {
  ASSERT_EQ(page.pending.fontDpi, 96);
  page.ToggleOption(IDC_PAN_LOCK);
  change.Apply();
  EXPECT_EQ(actions.restarts, 0);
  EXPECT_EQ(std::count(actions.boxes.begin(), actions.boxes.end(), Box::RestartQuestion), 0);
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "DPILogicalX"),
            "120");
  EXPECT_EQ(Setting("PanLock"), "1");

  MoveSlider(IDC_DESKTOP_SLIDER, 1);
  EXPECT_EQ(page.pending.fontDpi, 120);
  EXPECT_EQ(controls.Selected(IDC_FONT_COMBO), "Large Fonts");
}

TEST_F(ApplyTest, A640DesktopAndViewportDeleteTheViewportKey) {
  profile.WriteString("Marovane", "ScreenResolution", "640,480");
  MoveSlider(IDC_DESKTOP_SLIDER, 0);
  change.Apply();
  EXPECT_EQ(Setting("ScreenResolution"), std::nullopt);
}

}  // namespace

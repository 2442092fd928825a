#include <gtest/gtest.h>

#include "machine/core/card.h"
#include "machine/core/display_modes.h"
#include "tests/native/fakes.h"
#include "tests/native/page_fakes.h"
#include "vistrel/core/display_configuration.h"
#include "vistrel/shell/resource.h"

namespace {

class DisplayConfigurationTest : public SimulatedPage {
 protected:
  void Start() { page.Initialise(); }
  void ChooseColour(const std::string& name) {
    controls.Choose(IDC_COLOUR_COMBO, name);
    page.UpdateAfterChange();
  }
  bool Enabled(int id) { return controls.controls[id].enabled; }
};

TEST_F(DisplayConfigurationTest, StartShowsTheScreenAndOffersOnlyDepthsWithModes) {
  profile.WriteString("Marovane", "PanLock", "1");
  Start();
  EXPECT_EQ(controls.Items(IDC_COLOUR_COMBO),
            (std::vector<std::string>{"16 Color", "256 Color", "High Color (16 bit)",
                                      "True Color (24 bit)", "True Color (32 bit)"}));
  EXPECT_EQ(controls.Selected(IDC_COLOUR_COMBO), "256 Color");
  EXPECT_EQ(page.pending.desktopArea, 1);
  EXPECT_EQ(page.pending.viewportArea, 1);
  EXPECT_EQ(controls.controls[IDC_DESKTOP_TEXT].text, "800 by 600 pixels");
  EXPECT_TRUE(controls.controls[IDC_PAN_LOCK].checked);
  EXPECT_TRUE(controls.controls[IDC_SHOW_ICON].checked);
  EXPECT_FALSE(controls.controls[IDC_POPUP_CENTERING].checked);
  EXPECT_TRUE(controls.timerStarted);
  EXPECT_EQ(controls.Selected(IDC_FONT_COMBO), "Small Fonts");
  EXPECT_FALSE(controls.changed);

  FakeControls small;
  driver.memoryKb = 512;
  DisplayConfiguration halfMegabyte({store, registry, driver, card}, small);
  halfMegabyte.Initialise();
  EXPECT_EQ(small.Items(IDC_COLOUR_COMBO), (std::vector<std::string>{"16 Color", "256 Color"}));
}

TEST_F(DisplayConfigurationTest, SixteenColoursTakeTheWhole1280DesktopAndFreezeTheSliders) {
  Start();
  ChooseColour("16 Color");
  EXPECT_EQ(page.pending.desktopArea, 3);
  EXPECT_EQ(page.pending.viewportArea, 3);
  EXPECT_EQ(controls.controls[IDC_DESKTOP_SLIDER].sliderPosition, 3);
  EXPECT_TRUE(controls.changed);
  MoveSlider(IDC_DESKTOP_SLIDER, 1);
  EXPECT_EQ(page.pending.desktopArea, 3);
}

TEST_F(DisplayConfigurationTest, SixteenColoursWithoutA1280ModeKeepTheAppliedDesktop) {
  registry.Put(RegRoot::DynData, "Config Manager\\Enum\\C1", "HardWareKey", "MONITOR\\X\\1");
  registry.Put(RegRoot::LocalMachine, "Enum\\MONITOR\\X\\1", "Driver", "MONITOR\\0000");
  registry.Put(RegRoot::LocalMachine, "System\\CurrentControlSet\\Services\\Class\\MONITOR\\0000",
               "MaxResolution", "1024,768");
  Start();
  ChooseColour("16 Color");
  EXPECT_EQ(page.pending.desktopArea, 1);
  EXPECT_EQ(page.pending.viewportArea, 1);
}

TEST_F(DisplayConfigurationTest, The640DesktopForcesSmallFontsAndDisablesTheFontControls) {
  registry.Put(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "DPILogicalX", "120");
  Start();
  EXPECT_EQ(controls.Selected(IDC_FONT_COMBO), "Large Fonts");
  MoveSlider(IDC_DESKTOP_SLIDER, 0);
  EXPECT_EQ(page.pending.fontDpi, 96);
  EXPECT_EQ(controls.Selected(IDC_FONT_COMBO), "Small Fonts");
  EXPECT_FALSE(Enabled(IDC_FONT_COMBO));
  EXPECT_FALSE(Enabled(IDC_CUSTOM_FONT));
  MoveSlider(IDC_DESKTOP_SLIDER, 2);
  EXPECT_TRUE(Enabled(IDC_FONT_COMBO));
}

TEST_F(DisplayConfigurationTest, TheViewportFollowsAnUntouchedSliderAndNeverExceedsTheDesktop) {
  Start();
  MoveSlider(IDC_DESKTOP_SLIDER, 2);
  EXPECT_EQ(page.pending.desktopArea, 2);
  EXPECT_EQ(page.pending.viewportArea, 2);
  MoveSlider(IDC_VIEWPORT_SLIDER, 1);
  EXPECT_EQ(page.pending.viewportArea, 1);
  EXPECT_TRUE(Enabled(IDC_PAN_LOCK));
  EXPECT_TRUE(Enabled(IDC_VIEWPORT_CONTROL));
  // A viewport beyond the desktop is pulled down to it.
  MoveSlider(IDC_VIEWPORT_SLIDER, 4);
  EXPECT_EQ(page.pending.viewportArea, 2);
  EXPECT_EQ(controls.controls[IDC_VIEWPORT_SLIDER].sliderPosition, 2);
  EXPECT_EQ(controls.controls[IDC_VIEWPORT_TEXT].text, "1024 by 768 pixels");
  EXPECT_FALSE(Enabled(IDC_PAN_LOCK));
  EXPECT_FALSE(Enabled(IDC_POPUP_CENTERING));
  EXPECT_FALSE(Enabled(IDC_VIEWPORT_CONTROL));
}

TEST_F(DisplayConfigurationTest, OneWidthAtADepthGivesSinglePositionSliders) {
  driver.memoryKb = 1024;
  Start();
  ChooseColour("True Color (24 bit)");  // only 640 x 480 fits a megabyte at 24 bits
  EXPECT_EQ(controls.controls[IDC_DESKTOP_SLIDER].sliderMax, 0);
  EXPECT_EQ(controls.controls[IDC_VIEWPORT_SLIDER].sliderMax, 0);
  for (int id : {IDC_VIEWPORT_SLIDER, IDC_VIEWPORT_GROUP, IDC_VIEWPORT_TEXT, IDC_DESKTOP_LESS,
                 IDC_DESKTOP_MORE, IDC_VIEWPORT_LESS, IDC_VIEWPORT_MORE}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
}

TEST_F(DisplayConfigurationTest, TwentyFourBitsOfferNoSmallerViewport) {
  driver.memoryKb = 4096;
  Start();
  ChooseColour("True Color (24 bit)");
  EXPECT_FALSE(Enabled(IDC_VIEWPORT_SLIDER));
  EXPECT_TRUE(Enabled(IDC_DESKTOP_LESS));
  ChooseColour("256 Color");
  EXPECT_TRUE(Enabled(IDC_VIEWPORT_SLIDER));
}

TEST_F(DisplayConfigurationTest, AStoredViewportWiderThanTheScreenCountsAsTheScreen) {
  driver.screenWidth = 1024;
  profile.WriteString("Marovane", "ScreenResolution", "1280,1024");
  Start();
  EXPECT_EQ(page.pending.viewportArea, 2);
  profile.WriteString("Marovane", "ScreenResolution", "1152,864");
  FakeControls other;
  DisplayConfiguration again({store, registry, driver, card}, other);
  again.Initialise();
  EXPECT_EQ(again.pending.viewportArea, again.pending.desktopArea);
  profile.WriteString("Marovane", "ScreenResolution", "800,600");
  FakeControls third;
  DisplayConfiguration smaller({store, registry, driver, card}, third);
  smaller.Initialise();
  EXPECT_EQ(smaller.pending.viewportArea, 1);
  EXPECT_TRUE(third.controls[IDC_PAN_LOCK].enabled);
}

TEST_F(DisplayConfigurationTest, TheFontItemsDataNotItsTextDecidesTheSize) {
  registry.Put(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "DPILogicalX", "144");
  Start();
  EXPECT_EQ(controls.Selected(IDC_FONT_COMBO), "Custom Font Size");
  controls.Choose(IDC_FONT_COMBO, "Large Fonts");
  page.UpdateAfterChange();
  EXPECT_EQ(page.pending.fontDpi, 120);
  controls.Choose(IDC_FONT_COMBO, "Custom Font Size");
  page.UpdateAfterChange();
  EXPECT_EQ(page.pending.fontDpi, 120);
  page.CustomFontChosen(132);
  EXPECT_EQ(page.pending.fontDpi, 132);
  EXPECT_EQ(controls.Selected(IDC_FONT_COMBO), "Custom Font Size");
}

TEST_F(DisplayConfigurationTest, TheRefreshListFollowsTheViewportAndFallsBackToItsFirstEntry) {
  profile.WriteString("Marovane", "Refresh", "-1,3,-1,-1,-1,-1");
  Start();
  EXPECT_EQ(
      controls.Items(IDC_REFRESH_COMBO),
      (std::vector<std::string>{"Auto", "56 Hz", "60 Hz", "72 Hz", "75 Hz", "90 Hz", "120 Hz"}));
  EXPECT_EQ(controls.Selected(IDC_REFRESH_COMBO), "75 Hz");
  EXPECT_EQ(page.applied.refreshCode, 3);
  // The 640 row has no code 3.
  profile.WriteString("Marovane", "Refresh", "3,3,-1,-1,-1,-1");
  MoveSlider(IDC_DESKTOP_SLIDER, 0);
  EXPECT_EQ(controls.Selected(IDC_REFRESH_COMBO), "Auto");
  controls.controls[IDC_REFRESH_COMBO].selection = 2;
  controls.changed = false;
  page.RefreshSelected();
  EXPECT_EQ(page.pending.refreshCode, 1);
  EXPECT_TRUE(controls.changed);
}

TEST_F(DisplayConfigurationTest, TheSliderPollDoesNothingUnlessASliderMoved) {
  Start();
  const int invalidations = controls.pictureInvalidations;
  for (int i = 0; i < 5; ++i) page.PollSliders();
  EXPECT_EQ(controls.pictureInvalidations, invalidations);
  EXPECT_FALSE(controls.changed);
}

TEST_F(DisplayConfigurationTest, OptionsFlipAndCustomFontCancelMarksByTheSize) {
  Start();
  page.CustomFontCancelled();
  EXPECT_FALSE(controls.changed);
  page.pending.fontDpi = 120;
  page.CustomFontCancelled();
  EXPECT_TRUE(controls.changed);
  page.pending.fontDpi = page.applied.fontDpi;
  page.CustomFontCancelled();
  EXPECT_TRUE(controls.changed);  // not unmarked: another change may wait
  page.ToggleOption(IDC_POPUP_CENTERING);
  EXPECT_EQ(page.popupCentering, 1);
  page.ToggleOption(IDC_POPUP_CENTERING);
  EXPECT_EQ(page.popupCentering, 0);
}

}  // namespace

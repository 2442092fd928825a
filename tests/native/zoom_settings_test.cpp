#include <gtest/gtest.h>

#include "tests/native/fakes.h"
#include "vistrel/core/zoom_settings.h"

namespace {

class ZoomSettingsTest : public testing::Test {
 protected:
  std::string Get(const std::string& key) { return profile.Value("Marovane", key); }
  MemoryProfile profile;
  settings::MarovaneSettings store{profile};
};

TEST_F(ZoomSettingsTest, TheTableHasFiftyOneKeysWithoutLetters) {
  const auto& table = ZoomKeyTable();
  ASSERT_EQ(table.size(), 51u);
  EXPECT_EQ(table[0].name, "F1");
  EXPECT_EQ(table[12].name, "0");
  EXPECT_EQ(table[13].code, '1');
  EXPECT_EQ(table[50].name, "/");
  EXPECT_EQ(ZoomKeyByName("numeric KEYPAD 3"), 25);
  EXPECT_EQ(ZoomKeyByName("A"), -1);
}

TEST_F(ZoomSettingsTest, NoSettingsMeanAltOneAtTwiceTheSize) {
  const ZoomSettings zoom = ReadZoomSettings(store);
  EXPECT_EQ(zoom.zoomFactor, 2);
  EXPECT_EQ(zoom.hotKeyCode, '1');
  EXPECT_EQ(ZoomHotKeyText(zoom.hotShifts, zoom.hotKeyCode), "Alt+1");
  EXPECT_EQ(ZoomHotKeyText(7, 0x7B), "Shift+Ctrl+Alt+F12");
  EXPECT_EQ(MagnifierTitle(zoom.zoomFactor), "Zoom In (2x)");
  EXPECT_EQ(MagnifierTitle(8), "Zoom In (8x)");
  EXPECT_EQ(MagnifierTitle(12), "Zoom In (2x)");
  profile.WriteString("Marovane", "HotKeyZoom", "Q");
  EXPECT_EQ(ReadZoomSettings(store).hotKeyCode, 0);
  EXPECT_EQ(ZoomHotKeyText(4, 0), "Alt+");
}

TEST_F(ZoomSettingsTest, OkWritesTheChoiceAndCommandsTheMagnifier) {
  const ZoomApplied applied = WriteZoomChoice(store, {7, 0, true, true, true, true, 11});
  EXPECT_EQ(Get("ZoomFactor"), "8");
  EXPECT_EQ(Get("Crosshair"), "0");
  EXPECT_FALSE(profile.Has("Marovane", "LenCrosshair"));  // left as it was
  EXPECT_EQ(Get("EdgePan"), "1");
  EXPECT_EQ(Get("HotShifts"), "7");
  EXPECT_EQ(Get("HotKeyZoom"), "F12");
  EXPECT_EQ(applied.commands, (std::vector<int>{507, 701, 550}));
  EXPECT_EQ(applied.hotShifts, 7);
  EXPECT_EQ(applied.keyCode, 0x7B);

  const ZoomApplied quarter = WriteZoomChoice(store, {0, 3, false, false, false, false, 12});
  EXPECT_EQ(Get("LenCrosshair"), "2");
  EXPECT_EQ(Get("Crosshair"), "1");
  EXPECT_EQ(quarter.commands, (std::vector<int>{500, 700, 553}));
}

TEST_F(ZoomSettingsTest, UnselectedItemsAndBadValuesKeepToTheLists) {
  profile.WriteString("Marovane", "ZoomFactor", "12");
  profile.WriteString("Marovane", "LenCrosshair", "9");
  const ZoomApplied applied = WriteZoomChoice(store, {-1, -1, false, false, false, true, -1});
  EXPECT_EQ(applied.commands, (std::vector<int>{501, 700, 554}));
  EXPECT_EQ(Get("ZoomFactor"), "2");
  EXPECT_EQ(Get("HotKeyZoom"), "1");
  EXPECT_EQ(applied.keyCode, '1');
}

}  // namespace

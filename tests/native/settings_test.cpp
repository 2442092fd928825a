#include <gtest/gtest.h>

#include "common/settings/marovane_settings.h"
#include "tests/native/fakes.h"

using settings::MarovaneSettings;

namespace {

class SettingsTest : public testing::Test {
 protected:
  void Put(const std::string& key, const std::string& value) {
    profile.WriteString("Marovane", key, value);
  }
  std::string Get(const std::string& key) const { return profile.Value("Marovane", key); }

  MemoryProfile profile;
  MarovaneSettings store{profile};
};

TEST_F(SettingsTest, AbsentKeysGiveTheirDefaults) {
  EXPECT_EQ(store.Read(settings::kTaskbarIcon), 1);
  EXPECT_EQ(store.Read(settings::kLatchwin), 0);
  EXPECT_EQ(store.Read(settings::kZoomFactor), 2);
  EXPECT_EQ(store.Read(settings::kHotShifts), 4);
  EXPECT_EQ(store.Read(settings::kHotKeyZoom), "1");
  EXPECT_EQ(store.Read(settings::kRefresh), std::vector<int>(6, -1));
  const settings::Size viewport = store.ReadScreenResolution();
  EXPECT_EQ(viewport.width, 0);
  EXPECT_EQ(viewport.height, 0);
}

TEST_F(SettingsTest, IntegersAreWrittenInDecimalAndReadAsTheProfileFunctionsReadThem) {
  store.Write(settings::kHotKeyPan, 0x200 + 'P');
  EXPECT_EQ(Get("HotKeyPan"), "592");
  EXPECT_EQ(store.Read(settings::kHotKeyPan), 592);
  store.Write(settings::kPanLock, 1);
  EXPECT_EQ(Get("PanLock"), "1");

  // What GetPrivateProfileIntA makes of each text: the default only for an empty one.
  const std::pair<const char*, int> read[] = {
      {"", 1},      {"   ", 1}, {"1x", 1},          {"1 ; note", 1},
      {" -3 ", -3}, {"+7", 7},  {"0x1F", 31},       {"0b101", 5},
      {"0o17", 15}, {"yes", 0}, {"- 1", 0},         {"99999999999999", 276447231},
      {"\"2\"", 2}, {"09", 9},  {"4294967295", -1},
  };
  for (const auto& [text, number] : read) {
    Put("TaskbarIcon", text);
    EXPECT_EQ(store.Read(settings::kTaskbarIcon), number) << '"' << text << '"';
  }
}

TEST_F(SettingsTest, ShortOrGarbageListsTakeTheMissingNumbersFromTheDefault) {
  Put("Refresh", "5,6");
  EXPECT_EQ(store.Read(settings::kRefresh), (std::vector<int>{5, 6, -1, -1, -1, -1}));
  Put("Refresh", "abc");
  EXPECT_EQ(store.Read(settings::kRefresh), std::vector<int>(6, -1));
  Put("Refresh", "1,x,3,,5,6,7,8");
  EXPECT_EQ(store.Read(settings::kRefresh), (std::vector<int>{1, -1, 3, -1, 5, 6}));
  Put("ScreenResolution", "800");
  EXPECT_EQ(store.ReadScreenResolution().width, 800);
  EXPECT_EQ(store.ReadScreenResolution().height, 0);
  // Read as Trayvel reads it, up to the first fault.
  Put("ScreenResolution", "800x600");
  EXPECT_EQ(store.ReadScreenResolution().width, 800);
  EXPECT_EQ(store.ReadScreenResolution().height, 0);
  Put("ScreenResolution", "abc,600");
  EXPECT_EQ(store.ReadScreenResolution().width, 0);
  EXPECT_EQ(store.ReadScreenResolution().height, 0);
}

TEST_F(SettingsTest, OverlongValuesAreCutToTheirBuffers) {
  // 29 characters fit the Refresh buffer; what follows is never seen.
  Put("Refresh", "1,2,3,4,5,6" + std::string(18, ' ') + "999");
  EXPECT_EQ(store.Read(settings::kRefresh), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  Put("HotKeyZoom", std::string(80, 'Z'));
  EXPECT_EQ(store.Read(settings::kHotKeyZoom), std::string(49, 'Z'));
  store.Write(settings::kHotKeyZoom, std::string(60, 'A'));
  EXPECT_EQ(Get("HotKeyZoom"), std::string(49, 'A'));
}

TEST_F(SettingsTest, ScreenResolutionWithWidthZeroDeletesTheKey) {
  store.WriteScreenResolution(800, 600);
  EXPECT_EQ(Get("ScreenResolution"), "800,600");
  store.WriteScreenResolution(0, 600);
  EXPECT_FALSE(profile.Has("Marovane", "ScreenResolution"));
  EXPECT_EQ(store.ReadScreenResolution().width, 0);
}

TEST_F(SettingsTest, RefreshSlotsSkipThe1152WideResolution) {
  EXPECT_EQ(settings::RefreshSlot(0), 0);
  EXPECT_EQ(settings::RefreshSlot(2), 2);
  EXPECT_EQ(settings::RefreshSlot(3), 4);
  EXPECT_EQ(settings::RefreshSlot(4), 5);
  EXPECT_EQ(settings::RefreshSlot(5), -1);
  EXPECT_EQ(settings::RefreshSlot(-1), -1);

  Put("Refresh", "0,1,2,3,4,5");
  store.WriteRefresh(3, 9);
  EXPECT_EQ(Get("Refresh"), "0,1,2,3,9,5");
  store.WriteRefresh(1, -1);
  EXPECT_EQ(Get("Refresh"), "0,-1,2,3,9,5");
  EXPECT_EQ(store.ReadRefresh(3), 9);
  EXPECT_EQ(store.ReadRefresh(4), 5);
  store.WriteRefresh(7, 4);
  EXPECT_EQ(Get("Refresh"), "0,-1,2,3,9,5");
  EXPECT_EQ(store.ReadRefresh(7), -1);
}

TEST_F(SettingsTest, RefreshWrittenToAnAbsentKeyStartsFromAuto) {
  store.WriteRefresh(4, 2);
  EXPECT_EQ(Get("Refresh"), "-1,-1,-1,-1,-1,2");
}

TEST_F(SettingsTest, TimingKeysAreNamedByWidthAndChip) {
  EXPECT_EQ(settings::TimingSetting(1024, "764").key, "C1024-764");
  EXPECT_EQ(settings::TimingSetting(1152, "764").key, "C1152-764");
  EXPECT_EQ(settings::TimingSetting(640, "732").key, "C640-732");
  EXPECT_EQ(settings::TimingSetting(720, "732").key, "C640-732");
  const auto timing = settings::TimingSetting(800, "764");
  EXPECT_EQ(store.Read(timing), std::vector<int>(9, -1));
  store.Write(timing, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_EQ(Get("C800-764"), "1,2,3,4,5,6,7,8,9");
}

}  // namespace

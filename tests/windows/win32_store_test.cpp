// The Win32 profile and registry implementations against the real API.

#include <gtest/gtest.h>
#include <windows.h>

#include "common/settings/marovane_settings.h"
#include "common/store/reg_key.h"
#include "common/win32/win32_profile.h"
#include "common/win32/win32_registry.h"
#include "machine/win32/simulator.h"
#include "tests/harness/harness.h"
#include "vistrel/core/monitor_search.h"

namespace {

TEST(Win32ProfileTest, BareSystemIniIsTheOneInTheWindowsFolder) {
  Win32Profile profile("system.ini");
  settings::MarovaneSettings store(profile);
  store.WriteScreenResolution(800, 600);
  store.Write(settings::kPanLock, 1);
  const std::string path = machine::WindowsFolder() + "\\system.ini";
  EXPECT_EQ(harness::ReadProfile(path, "Marovane", "ScreenResolution"), "800,600");
  EXPECT_EQ(harness::ReadProfile(path, "Marovane", "PanLock"), "1");

  store.WriteScreenResolution(0, 0);
  EXPECT_EQ(harness::ReadProfile(path, "Marovane", "ScreenResolution"), std::nullopt);
  EXPECT_EQ(store.ReadScreenResolution().width, 0);
}

TEST(Win32ProfileTest, ReadsAreCutToTheBufferAndAbsentKeysGiveTheDefault) {
  Win32Profile profile("system.ini");
  profile.WriteString("Marovane", "HotKeyZoom", std::string(70, 'k'));
  EXPECT_EQ(profile.ReadString("Marovane", "HotKeyZoom", "1", 50), std::string(49, 'k'));
  EXPECT_EQ(profile.ReadString("Marovane", "NoSuchKey", "dflt", 50), "dflt");
  profile.DeleteKey("Marovane", "HotKeyZoom");
  EXPECT_EQ(settings::MarovaneSettings(profile).Read(settings::kHotKeyZoom), "1");
}

TEST(Win32ProfileTest, KeysListInFileOrderWholeOnlyAndASectionGoesAtOnce) {
  const std::string path = machine::WindowsFolder() + "\\albums.abm";
  Win32Profile profile(path);
  for (const char* name : {"Rock", "Jazz", "Blues"}) {
    ASSERT_TRUE(profile.WriteString("List of Albums", name, ""));
  }
  EXPECT_EQ(profile.ReadKeys("List of Albums", 3277),
            (std::vector<std::string>{"Rock", "Jazz", "Blues"}));
  // "Rock\0Jazz\0" fills 10 characters; Blues does not fit whole, nor Jazz in 9.
  EXPECT_EQ(profile.ReadKeys("List of Albums", 12), (std::vector<std::string>{"Rock", "Jazz"}));
  EXPECT_EQ(profile.ReadKeys("List of Albums", 9), std::vector<std::string>{"Rock"});
  EXPECT_TRUE(profile.ReadKeys("Nowhere", 3277).empty());

  ASSERT_TRUE(profile.DeleteSection("List of Albums"));
  EXPECT_TRUE(profile.ReadKeys("List of Albums", 3277).empty());
  // A file in a folder that does not exist cannot be written.
  EXPECT_FALSE(Win32Profile("C:\\no such folder\\x.abm").WriteString("A", "B", "C"));
}

class Win32RegistryTest : public testing::Test {
 protected:
  void TearDown() override { registry.DeleteKey(RegRoot::LocalMachine, kPath); }
  const std::string kPath = "Software\\Marovane\\Test";
  Win32Registry registry;
};

TEST_F(Win32RegistryTest, AMissingValueIsCreatedEmptyByTheRead) {
  WriteRegistryString(registry, RegRoot::LocalMachine, kPath, "Written", "123");
  // Opened as the programs open it, not created: Wine refuses a write through a key opened for
  // reading only.
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  ASSERT_EQ(key.Open(kPath), reg::kOk);
  std::string value = "untouched";
  key.ReadString("Written", value, 50);
  EXPECT_EQ(value, "123");
  key.ReadString("Missing", value, 50);
  EXPECT_EQ(value, "");
  EXPECT_EQ(harness::ReadRegistry(HKEY_LOCAL_MACHINE, kPath, "Missing"), "");
}

TEST_F(Win32RegistryTest, AKeyThatDidNotOpenLeavesTheBufferUnchanged) {
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  EXPECT_NE(key.Open(kPath + "\\Absent"), reg::kOk);
  std::string value = "untouched";
  key.ReadString("Anything", value, 50);
  EXPECT_EQ(value, "untouched");
}

TEST_F(Win32RegistryTest, LongValuesAreCutAndSubkeysEnumerate) {
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  key.Create(kPath + "\\Child");
  key.Create(kPath);
  key.WriteString("Long", std::string(400, 'x'));
  std::string value;
  key.ReadString("Long", value, 256);
  EXPECT_EQ(value, std::string(255, 'x'));
  std::string name;
  EXPECT_EQ(key.EnumSubkey(0, 50, &name), reg::kOk);
  EXPECT_EQ(name, "Child");
  EXPECT_EQ(key.EnumSubkey(1, 50, &name), reg::kNoMoreItems);
  key.Close();
  registry.DeleteKey(RegRoot::LocalMachine, kPath + "\\Child");
}

TEST(BootedRegistryTest, TheMonitorIsFoundThroughHkeyDynData) {
  WritePrivateProfileStringA("Monitor", "MaxResolution", "1024,768", machine::kConfigFile);
  machine::Boot();
  Win32Registry registry;
  const settings::Size maximum = ReadMaxResolution(registry);
  EXPECT_EQ(maximum.width, 1024);
  EXPECT_EQ(maximum.height, 768);
  EXPECT_EQ(
      harness::ReadRegistry(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Settings", "DPILogicalX"),
      "96");

  // A PC without a monitor device node: the search ends without one.
  WritePrivateProfileStringA("Monitor", "MaxResolution", "", machine::kConfigFile);
  machine::Boot();
  EXPECT_EQ(FindMonitorDriverKey(registry), std::nullopt);
  EXPECT_EQ(ReadMaxResolution(registry).width, 1600);
}

}  // namespace

#include <gtest/gtest.h>

#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "tests/native/fakes.h"
#include "vistrel/core/monitor_search.h"

namespace {

const std::string kSettings = win95reg::kDisplaySettings;

TEST(RegKeyTest, ReadingAMissingValueCreatesItEmpty) {
  MemoryRegistry registry;
  registry.Put(RegRoot::LocalMachine, kSettings, "DPILogicalX", "120");
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  ASSERT_EQ(key.Open(kSettings), reg::kOk);

  std::string value = "old";
  key.ReadString("DPILogicalX", value, 50);
  EXPECT_EQ(value, "120");
  key.ReadString("DPIPhysicalY", value, 50);
  EXPECT_EQ(value, "");
  EXPECT_TRUE(registry.HasValue(RegRoot::LocalMachine, kSettings, "DPIPhysicalY"));
}

TEST(RegKeyTest, OnlyAMissingValueIsCreatedAndOnlyWhereTheKeyMayBeWritten) {
  MemoryRegistry registry;
  registry.Put(RegRoot::LocalMachine, kSettings, "DPILogicalX", "120");
  registry.growingValues.insert("dpilogicalx");
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  ASSERT_EQ(key.Open(kSettings), reg::kOk);
  std::string value = "old";
  key.ReadString("DPILogicalX", value, 50);
  EXPECT_EQ(value, "old");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kSettings, "DPILogicalX"), "120");

  // Where writing is refused, the key opens for reading and nothing is created.
  registry.Put(RegRoot::DynData, "Config Manager\\Enum\\1", "HardWareKey", "MONITOR\\X");
  registry.readOnlyRoots.insert(RegRoot::DynData);
  key.SetRoot(RegRoot::DynData);
  ASSERT_EQ(key.Open("Config Manager\\Enum\\1"), reg::kOk);
  key.ReadString("HardWareKey", value, 50);
  EXPECT_EQ(value, "MONITOR\\X");
  key.ReadString("Missing", value, 50);
  EXPECT_EQ(value, "MONITOR\\X");
  EXPECT_FALSE(registry.HasValue(RegRoot::DynData, "Config Manager\\Enum\\1", "Missing"));
  // A key opened for reading refuses a write, as on Windows NT and Wine.
  RegistryApi::Handle readOnly = 0;
  ASSERT_EQ(registry.OpenKey(RegRoot::LocalMachine, kSettings, RegAccess::Read, &readOnly),
            reg::kOk);
  EXPECT_EQ(registry.SetString(readOnly, "DPILogicalY", "120"), reg::kAccessDenied);
  registry.CloseKey(readOnly);
}

TEST(RegKeyTest, AKeyThatFailedToOpenLeavesTheTextUnchangedAndWritesNothing) {
  MemoryRegistry registry;
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  EXPECT_NE(key.Open("No\\Such\\Key"), reg::kOk);
  std::string value = "kept";
  key.ReadString("Anything", value, 50);
  EXPECT_EQ(value, "kept");
  key.WriteString("Anything", "x");
  EXPECT_FALSE(registry.HasKey(RegRoot::LocalMachine, "No\\Such\\Key"));
}

TEST(RegKeyTest, ReadsAreCutToTheBufferAndKeysAreClosed) {
  MemoryRegistry registry;
  registry.Put(RegRoot::LocalMachine, "Long", "Text", std::string(300, 'a'));
  {
    RegKey key(registry);
    key.SetRoot(RegRoot::LocalMachine);
    key.Open("Long");
    std::string value;
    key.ReadString("Text", value, 256);
    EXPECT_EQ(value.size(), 255u);
    key.Create("Other");
    key.WriteString("Name", "value");
    EXPECT_EQ(registry.OpenCount(), 1);
  }
  EXPECT_EQ(registry.OpenCount(), 0);
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, "Other", "Name"), "value");
}

// A Windows 95 registry with a few device nodes; the monitor's is the third.
TEST(RegKeyTest, TheOneCallReadAndWriteCreateOnlyWhatTheyWrite) {
  MemoryRegistry registry;
  EXPECT_EQ(ReadRegistryString(registry, RegRoot::LocalMachine, "A\\B", "Value"), "");
  EXPECT_FALSE(registry.HasKey(RegRoot::LocalMachine, "A\\B"));
  WriteRegistryString(registry, RegRoot::LocalMachine, "A\\B", "Value", "text");
  EXPECT_EQ(ReadRegistryString(registry, RegRoot::LocalMachine, "A\\B", "Value"), "text");
  EXPECT_EQ(ReadRegistryString(registry, RegRoot::LocalMachine, "A\\B", "Other"), "");
  EXPECT_EQ(registry.ValueCount(RegRoot::LocalMachine, "A\\B"), 1u);
  EXPECT_EQ(registry.OpenCount(), 0);
}

class MonitorSearchTest : public testing::Test {
 protected:
  void AddNode(const std::string& node, const std::string& hardwareKey) {
    registry.Put(RegRoot::DynData, "Config Manager\\Enum\\" + node, "HardWareKey", hardwareKey);
  }
  void AddMonitor(const std::string& hardwareKey, const std::string& maxResolution) {
    AddNode("C29A3C40", hardwareKey);
    registry.Put(RegRoot::LocalMachine, "Enum\\" + hardwareKey, "Driver", "MONITOR\\0000");
    registry.Put(RegRoot::LocalMachine, kMonitorClass, "MaxResolution", maxResolution);
  }
  void SetUp() override {
    AddNode("C29A1B20", "ROOT\\*PNP0000\\0000");
    AddNode("C29A2B30", "PCI\\VEN_5333&DEV_8811\\BUS_00&DEV_0F&FUNC_00");
  }

  const std::string kMonitorClass = "System\\CurrentControlSet\\Services\\Class\\MONITOR\\0000";
  MemoryRegistry registry;
};

TEST_F(MonitorSearchTest, FindsTheMonitorAndItsMaximum) {
  AddMonitor("MONITOR\\DEFAULT_MONITOR\\0001", "1024,768");
  EXPECT_EQ(FindMonitorDriverKey(registry), kMonitorClass);
  const settings::Size maximum = ReadMaxResolution(registry);
  EXPECT_EQ(maximum.width, 1024);
  EXPECT_EQ(maximum.height, 768);
}

TEST_F(MonitorSearchTest, WithoutAMonitorAnyModeUpTo1600x1280Goes) {
  EXPECT_EQ(FindMonitorDriverKey(registry), std::nullopt);
  EXPECT_EQ(ReadMaxResolution(registry).width, 1600);
  EXPECT_EQ(ReadMaxResolution(registry).height, 1280);
}

TEST_F(MonitorSearchTest, AMonitorInLowerCaseIsNotFound) {
  AddMonitor("monitor\\default_monitor\\0001", "640,480");
  EXPECT_EQ(FindMonitorDriverKey(registry), std::nullopt);
  EXPECT_EQ(ReadMaxResolution(registry).width, 1600);
}

TEST_F(MonitorSearchTest, AnUnusableMaximumFallsBackAndIsLeftAsItWas) {
  for (const char* value : {"", "1024", "wide,tall", "0,0"}) {
    registry = MemoryRegistry();
    SetUp();
    AddMonitor("MONITOR\\DEFAULT_MONITOR\\0001", value);
    EXPECT_EQ(ReadMaxResolution(registry).width, 1600) << value;
    EXPECT_EQ(ReadMaxResolution(registry).height, 1280) << value;
    EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kMonitorClass, "MaxResolution"), value);
  }
}

TEST_F(MonitorSearchTest, AMissingMaximumValueIsCreatedEmpty) {
  AddNode("C29A3C40", "MONITOR\\DEFAULT_MONITOR\\0001");
  registry.Put(RegRoot::LocalMachine, "Enum\\MONITOR\\DEFAULT_MONITOR\\0001", "Driver",
               "MONITOR\\0000");
  registry.Put(RegRoot::LocalMachine, kMonitorClass, "DriverDesc", "Plug and Play Monitor");
  EXPECT_EQ(ReadMaxResolution(registry).width, 1600);
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kMonitorClass, "MaxResolution"), "");
}

TEST(MonitorSearchEmptyTest, NoDeviceTreeAtAllEndsTheSearch) {
  MemoryRegistry registry;
  EXPECT_EQ(FindMonitorDriverKey(registry), std::nullopt);
}

}  // namespace

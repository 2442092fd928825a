#include <gtest/gtest.h>

#include "machine/core/display_modes.h"
#include "machine/core/machine_config.h"
#include "machine/core/shared_state.h"
#include "tests/native/fakes.h"

using machine::ChangeResult;
using machine::DisplayMode;

namespace {

bool Lists(const std::vector<DisplayMode>& modes, DisplayMode mode) {
  return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

TEST(ModeListTest, ModesAreThoseThatFitTheVideoMemory) {
  const auto half = machine::ModesForMemory(512);
  EXPECT_TRUE(Lists(half, {800, 600, 8}));
  EXPECT_TRUE(Lists(half, {1024, 768, 4}));
  EXPECT_FALSE(Lists(half, {1024, 768, 8}));
  EXPECT_FALSE(Lists(half, {640, 480, 16}));

  const auto two = machine::ModesForMemory(2048);
  EXPECT_TRUE(Lists(two, {1600, 1200, 8}));
  EXPECT_TRUE(Lists(two, {1152, 864, 16}));
  EXPECT_TRUE(Lists(two, {1024, 768, 16}));
  EXPECT_FALSE(Lists(two, {1280, 1024, 16}));
  EXPECT_TRUE(Lists(two, {800, 600, 32}));
  EXPECT_FALSE(Lists(two, {1024, 768, 24}));

  const auto four = machine::ModesForMemory(4096);
  EXPECT_TRUE(Lists(four, {1280, 1024, 24}));
  EXPECT_TRUE(Lists(four, {1280, 1024, 4}));
  // The 16-colour modes stop at 1280 x 1024 however much memory there is.
  EXPECT_FALSE(Lists(four, {1600, 1200, 4}));
  EXPECT_TRUE(Lists(four, {1600, 1200, 16}));
  EXPECT_FALSE(Lists(four, {1600, 1200, 24}));
}

TEST(ModeListTest, ModesComeByDepthThenBySize) {
  const auto modes = machine::ModesForMemory(1024);
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes.front(), (DisplayMode{640, 480, 4}));
  for (std::size_t i = 1; i < modes.size(); ++i) {
    const auto& a = modes[i - 1];
    const auto& b = modes[i];
    EXPECT_TRUE(a.bitsPerPixel < b.bitsPerPixel ||
                (a.bitsPerPixel == b.bitsPerPixel && a.width < b.width));
  }
}

TEST(ModeChangeTest, SameDepthIsAtOnceOtherDepthWaitsForRestartUnknownIsRefused) {
  machine::DisplayState state{{800, 600, 8}, {800, 600, 8}, 0, 96};
  EXPECT_EQ(machine::ChangeMode(state, {1024, 768, 8}, 2048), ChangeResult::Successful);
  EXPECT_EQ(state.current, (DisplayMode{1024, 768, 8}));

  EXPECT_EQ(machine::ChangeMode(state, {800, 600, 16}, 2048), ChangeResult::Restart);
  EXPECT_EQ(state.current, (DisplayMode{1024, 768, 8}));
  EXPECT_EQ(state.afterRestart, (DisplayMode{800, 600, 16}));
  EXPECT_EQ(state.restartPending, 1u);

  EXPECT_EQ(machine::ChangeMode(state, {1280, 1024, 16}, 2048), ChangeResult::BadMode);
  EXPECT_EQ(machine::ChangeMode(state, {1000, 700, 8}, 2048), ChangeResult::BadMode);
  EXPECT_EQ(state.current, (DisplayMode{1024, 768, 8}));
  EXPECT_EQ(state.afterRestart, (DisplayMode{800, 600, 16}));

  // Choosing the current depth again overrides the depth that waited.
  EXPECT_EQ(machine::ChangeMode(state, {640, 480, 8}, 2048), ChangeResult::Successful);
  EXPECT_EQ(state.restartPending, 0u);
}

class MachineConfigTest : public testing::Test {
 protected:
  machine::MachineConfig Read() { return machine::ReadMachineConfig(ini); }
  void Put(const char* section, const char* key, const char* value) {
    ini.WriteString(section, key, value);
  }
  MemoryProfile ini;
};

TEST_F(MachineConfigTest, AnAbsentFileGivesTheDefaultPc) {
  const auto config = Read();
  EXPECT_EQ(config.chip, machine::Chip::Trio64VPlus);
  EXPECT_EQ(config.memoryKb, 2048u);
  EXPECT_TRUE(config.controlDevice);
  EXPECT_TRUE(config.hasMonitor);
  EXPECT_EQ(config.monitorMaxWidth, 1280u);
  EXPECT_EQ(config.monitorMaxHeight, 1024u);
  EXPECT_EQ(config.bootMode, (DisplayMode{800, 600, 8}));
}

TEST_F(MachineConfigTest, EveryValueIsRead) {
  Put("Card", "Chip", "vision968");
  Put("Card", "Memory", "4096");
  Put("Card", "ControlDevice", "0");
  Put("Monitor", "MaxResolution", "1024,768");
  Put("Display", "Mode", "1280,1024,24");
  const auto config = Read();
  EXPECT_EQ(config.chip, machine::Chip::Vision968);
  EXPECT_STREQ(machine::ChipName(config.chip), "Vision968");
  EXPECT_EQ(config.memoryKb, 4096u);
  EXPECT_FALSE(config.controlDevice);
  EXPECT_EQ(config.monitorMaxWidth, 1024u);
  EXPECT_EQ(config.bootMode, (DisplayMode{1280, 1024, 24}));
}

TEST_F(MachineConfigTest, AnEmptyMaximumMeansNoMonitorDeviceNode) {
  Put("Monitor", "MaxResolution", "");
  EXPECT_FALSE(Read().hasMonitor);
}

TEST_F(MachineConfigTest, MalformedValuesFallBackToTheDefaults) {
  Put("Card", "Chip", "Trio65");
  Put("Card", "Memory", "3000");
  Put("Card", "ControlDevice", "maybe");
  Put("Monitor", "MaxResolution", "1024,x");
  Put("Display", "Mode", "800,600");
  auto config = Read();
  EXPECT_EQ(config.chip, machine::Chip::Trio64VPlus);
  EXPECT_EQ(config.memoryKb, 2048u);
  EXPECT_TRUE(config.controlDevice);
  EXPECT_TRUE(config.hasMonitor);
  EXPECT_EQ(config.monitorMaxWidth, 1280u);
  EXPECT_EQ(config.bootMode, (DisplayMode{800, 600, 8}));

  // A mode the memory cannot hold is no boot mode either.
  Put("Card", "Memory", "1024");
  Put("Display", "Mode", "1024,768,16");
  config = Read();
  EXPECT_EQ(config.bootMode, (DisplayMode{800, 600, 8}));
  Put("Display", "Mode", "800,600,8,1");
  EXPECT_EQ(Read().bootMode, (DisplayMode{800, 600, 8}));
}

TEST(SharedStateTest, BootStartsFromTheConfigurationAndCountsBoots) {
  machine::SharedState state{};
  EXPECT_FALSE(machine::IsValid(state));
  machine::MachineConfig config;
  config.chip = machine::Chip::Trio32;
  config.bootMode = {640, 480, 4};
  machine::Boot(state, config, -1);
  EXPECT_TRUE(machine::IsValid(state));
  EXPECT_EQ(state.bootCount, 1u);
  EXPECT_EQ(state.card.chip, machine::Chip::Trio32);
  EXPECT_EQ(state.display.current, (DisplayMode{640, 480, 4}));

  machine::RecordPowerRequest(state.power, 0, 0x42);
  state.display.restartPending = 1;
  machine::Boot(state, config, -1);
  EXPECT_EQ(state.bootCount, 2u);
  EXPECT_EQ(state.power.logoffCount, 0u);
  EXPECT_EQ(state.display.restartPending, 0u);
}

TEST(SharedStateTest, ARestartBringsTheWaitingDepthAndTheFontSize) {
  machine::SharedState state{};
  machine::Boot(state, machine::MachineConfig{}, -1);
  ASSERT_EQ(machine::ApplyModeChange(state, {1024, 768, 16}, 1, -1),
            machine::ChangeResult::Restart);
  machine::Restart(state, 3, 120);
  EXPECT_EQ(state.display.current, (DisplayMode{1024, 768, 16}));
  EXPECT_EQ(state.display.restartPending, 0u);
  EXPECT_EQ(state.display.fontDpi, 120u);
  EXPECT_EQ(state.card.registers.refreshHz, 75u);
  const auto& crtc = state.card.registers.crtc;
  EXPECT_EQ(crtc[0x13] | ((crtc[0x51] >> 4) & 0x03) << 8, 1024 * 2 / 8);
  EXPECT_EQ(state.power.restartCount, 1u);
  // Without a waiting depth the mode stays.
  machine::Restart(state, -1, 96);
  EXPECT_EQ(state.display.current, (DisplayMode{1024, 768, 16}));
  EXPECT_EQ(state.power.restartCount, 2u);
}

TEST(SharedStateTest, ARefusingDriverFailsEveryChange) {
  MemoryProfile ini;
  ini.WriteString("Display", "RefuseChanges", "1");
  machine::SharedState state{};
  machine::Boot(state, machine::ReadMachineConfig(ini), -1);
  EXPECT_EQ(machine::ApplyModeChange(state, {1024, 768, 8}, 1, -1), machine::ChangeResult::Failed);
  EXPECT_EQ(state.display.current, (DisplayMode{800, 600, 8}));
}

TEST(SharedStateTest, PowerRequestsAreCountedByKind) {
  machine::PowerBlock power{};
  machine::RecordPowerRequest(power, 0, 0x42);
  machine::RecordPowerRequest(power, 0x2, 0);
  machine::RecordPowerRequest(power, 0x2 | 0x4, 0);
  machine::RecordPowerRequest(power, 0x1, 7);
  EXPECT_EQ(power.logoffCount, 1u);
  EXPECT_EQ(power.restartCount, 2u);
  EXPECT_EQ(power.shutdownCount, 1u);
  EXPECT_EQ(power.lastFlags, 0x1u);
  EXPECT_EQ(power.lastReason, 7u);
}

}  // namespace

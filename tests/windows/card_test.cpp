// The card under Wine: the control device and the escape as Vistrel uses them, direct ports,
// and one card for every process.

#include <windows.h>

#include <gtest/gtest.h>

#include <future>

#include "common/display/port_io.h"
#include "machine/win32/driver_escape.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"
#include "tests/harness/harness.h"
#include "vistrel/core/adapter_identification.h"
#include "vistrel/shell/graphics_channel.h"

namespace {

class CardTest : public testing::Test {
 protected:
  void SetUp() override {
    // The default PC, whatever an earlier test of this process configured.
    DeleteFileA((machine::WindowsFolder() + "\\" + machine::kConfigFile).c_str());
    machine::Boot();
  }
  static void Configure(const char* key, const char* value) {
    WritePrivateProfileStringA("Card", key, value, machine::kConfigFile);
    machine::Boot();
  }
  static std::uint8_t DirectCrtc(std::uint8_t index) {
    machine::OutPort(0x3D4, index);
    return machine::InPort(0x3D5);
  }
  static machine::CardRegisters& Registers() { return machine::State()->card.registers; }
};

TEST_F(CardTest, TheChannelReadsAndWritesCrtcRegisters) {
  GraphicsChannel channel;
  ASSERT_TRUE(channel.IsOpen());
  Crtc crtc(channel, vga::kColourCrtcIndex);
  crtc.Write(0x38, 0x48);
  crtc.Write(0x39, 0xA5);
  EXPECT_EQ(crtc.Read(0x30), 0xE1);
  crtc.Write(0x40, 0x5A);
  EXPECT_EQ(Registers().crtc[0x40], 0x5A);
  EXPECT_EQ(channel.ReadPort(0x216A), 0xFF);
}

TEST_F(CardTest, WithoutTheDeviceTheChannelWarnsOnceAndChangesNothing) {
  Configure("ControlDevice", "0");
  // The warning box blocks the constructor until it is answered.
  auto opened = std::async(std::launch::async, [] {
    auto channel = std::make_unique<GraphicsChannel>();
    return channel;
  });
  const auto box = harness::WaitForMessageBox(GetCurrentProcessId());
  ASSERT_TRUE(box.has_value());
  harness::PressButton(box->window, IDOK);
  auto channel = opened.get();
  EXPECT_FALSE(channel->IsOpen());
  const std::uint8_t cr13 = Registers().crtc[0x13];
  Crtc(*channel, vga::kColourCrtcIndex).Write(0x13, cr13 + 1);
  EXPECT_EQ(Registers().crtc[0x13], cr13);
  channel->WritePort(vga::kColourCrtcIndex, 0x13);
  EXPECT_EQ(channel->ReadPort(vga::kColourCrtcIndex + 1, 0x77), 0x77);
  EXPECT_FALSE(harness::WaitForMessageBox(GetCurrentProcessId(), harness::Milliseconds(100)));
}

TEST_F(CardTest, TheEscapeReachesTheDriver) {
  SendPanLockEscape(true);
  EXPECT_EQ(machine::State()->escapes.panLocked, 1u);
  std::array<std::uint16_t, kTimingFieldCount> values;
  values.fill(kTimingUnchanged);
  values[kEndVerticalBlank] = 0x42;
  SendTimingEscape(values);
  EXPECT_EQ(Registers().crtc[0x16], 0x42);
  EXPECT_EQ(machine::State()->escapes.timing[kEndVerticalBlank], 0x42);
  EXPECT_EQ(machine::State()->escapes.count, 2u);

  HDC dc = GetDC(nullptr);
  char output[2] = {'x', 'x'};
  EXPECT_EQ(machine::ExtEscape(dc, 1234, 0, nullptr, sizeof(output), output), 0);
  // The driver answers within the output it was given.
  const char lock[] = {1, 0, 1, 0};
  EXPECT_EQ(machine::ExtEscape(dc, 3535, sizeof(lock), lock, 1, output), 1);
  EXPECT_EQ(output[0], 0);
  EXPECT_EQ(output[1], 'x');
  ReleaseDC(nullptr, dc);
}

TEST_F(CardTest, DirectPortsIdentifyTheConfiguredCard) {
  machine::DirectPorts ports;
  EXPECT_EQ(IdentifyChip(ports), 2);
  EXPECT_EQ(IdentifyMemory(ports), 2);
  Configure("Chip", "Vision968");
  Configure("Memory", "4096");
  EXPECT_EQ(IdentifyChip(ports), 4);
  EXPECT_EQ(IdentifyMemory(ports), 4);
  EXPECT_EQ(harness::ReadProfile("system.ini", "boot", "display.drv"), "s3mrv.drv");
}

TEST_F(CardTest, TwoProcessesSeeOneCard) {
  machine::OutPortWord(0x3D4, 0x4838);
  machine::OutPortWord(0x3D4, 0xA539);
  machine::OutPortWord(0x3D4, 0x5A40);
  EXPECT_NE(harness::RunMachineTool("show").find("\n  40: 5A"), std::string::npos);

  harness::RunMachineTool("crtc 41 3C");
  EXPECT_EQ(DirectCrtc(0x41), 0x3C);
}

TEST_F(CardTest, TheModesRefreshRateComesFromTheRefreshKey) {
  WritePrivateProfileStringA("Marovane", "Refresh", "-1,-1,3,-1,-1,-1", "system.ini");
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  ASSERT_EQ(machine::ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(Registers().refreshHz, 75u);
  EXPECT_EQ(DirectCrtc(0x01), 1024 / 8 - 1);
  const std::string shown = harness::RunMachineTool("show");
  EXPECT_NE(shown.find("1024x768x8 flags 0x1 -> 0"), std::string::npos) << shown;
}

}  // namespace

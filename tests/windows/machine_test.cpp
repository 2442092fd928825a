// The machine's display driver and power functions, and its state shared between processes.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "machine/win32/simulator.h"
#include "machine/win32/system.h"
#include "tests/harness/harness.h"

namespace {

class MachineTest : public testing::Test {
 protected:
  void SetUp() override {
    // The default PC, whatever an earlier test of this process configured.
    DeleteFileA((machine::WindowsFolder() + "\\" + machine::kConfigFile).c_str());
    machine::Boot();
  }

  static DEVMODEA Mode(DWORD width, DWORD height, DWORD bits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bits;
    return mode;
  }
};

TEST_F(MachineTest, EnumerationListsTheModesOfTheMemoryThenFails) {
  DEVMODEA mode{};
  DWORD count = 0;
  bool has1600 = false;
  while (machine::EnumDisplaySettingsA(nullptr, count, &mode)) {
    EXPECT_EQ(mode.dmFields, DWORD{DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT});
    has1600 = has1600 || (mode.dmPelsWidth == 1600 && mode.dmBitsPerPel == 8);
    ++count;
  }
  EXPECT_TRUE(has1600);
  EXPECT_EQ(count, machine::ModesForMemory(2048).size());
  ASSERT_TRUE(machine::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  EXPECT_EQ(mode.dmPelsWidth, 800u);
}

TEST_F(MachineTest, ChangesFollowTheDriversRules) {
  DEVMODEA wider = Mode(1024, 768, 8);
  EXPECT_EQ(machine::ChangeDisplaySettingsA(&wider, CDS_UPDATEREGISTRY), DISP_CHANGE_SUCCESSFUL);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(machine::GetDeviceCaps(screen, HORZRES), 1024);
  EXPECT_EQ(machine::GetDeviceCaps(screen, BITSPIXEL), 8);

  DEVMODEA deeper = Mode(1024, 768, 16);
  EXPECT_EQ(machine::ChangeDisplaySettingsA(&deeper, CDS_UPDATEREGISTRY), DISP_CHANGE_RESTART);
  EXPECT_EQ(machine::GetDeviceCaps(screen, BITSPIXEL), 8);
  DEVMODEA registry{};
  machine::EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &registry);
  EXPECT_EQ(registry.dmBitsPerPel, 16u);

  DEVMODEA unknown = Mode(1000, 700, 8);
  EXPECT_EQ(machine::ChangeDisplaySettingsA(&unknown, CDS_UPDATEREGISTRY), DISP_CHANGE_BADMODE);
  DEVMODEA tested = Mode(640, 480, 8);
  EXPECT_EQ(machine::ChangeDisplaySettingsA(&tested, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(machine::GetDeviceCaps(screen, HORZRES), 1024);
  EXPECT_EQ(machine::GetDeviceCaps(screen, PLANES), ::GetDeviceCaps(screen, PLANES));
  ReleaseDC(nullptr, screen);
}

TEST_F(MachineTest, PowerRequestsAreRecordedAndTheSessionSurvives) {
  EXPECT_TRUE(machine::ExitWindowsEx(EWX_LOGOFF, 0x42));
  EXPECT_TRUE(machine::ExitWindowsEx(EWX_REBOOT, 0));
  EXPECT_EQ(machine::State()->power.logoffCount, 1u);
  EXPECT_EQ(machine::State()->power.restartCount, 1u);
  EXPECT_EQ(machine::State()->power.lastFlags, DWORD{EWX_REBOOT});
}

TEST_F(MachineTest, TwoProcessesSeeOneMachine) {
  DEVMODEA mode = Mode(1152, 864, 8);
  ASSERT_EQ(machine::ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY), DISP_CHANGE_SUCCESSFUL);
  machine::ExitWindowsEx(EWX_LOGOFF, 0x42);
  const std::string shown = harness::RunMachineTool("show");
  EXPECT_NE(shown.find("mode: 1152 x 864 x 8"), std::string::npos) << shown;
  EXPECT_NE(shown.find("power: logoff 1"), std::string::npos) << shown;

  // The other way: the tool reconfigures and boots, and this process sees the new card.
  harness::RunMachineTool("set Card Chip Vision964");
  harness::RunMachineTool("set Display Mode 640,480,4");
  const std::string booted = harness::RunMachineTool("boot");
  EXPECT_NE(booted.find("card: Vision964"), std::string::npos) << booted;
  EXPECT_EQ(machine::State()->card.chip, machine::Chip::Vision964);
  EXPECT_EQ(machine::State()->display.current, (machine::DisplayMode{640, 480, 4}));
  EXPECT_EQ(machine::State()->power.logoffCount, 0u);
}

TEST_F(MachineTest, TheViewportFollowsThePointerUnlessThePanLockIsSet) {
  WritePrivateProfileStringA("Display", "Mode", "1024,768,8", machine::kConfigFile);
  machine::Boot();
  WritePrivateProfileStringA("Marovane", "ScreenResolution", "800,600", "system.ini");
  const machine::DisplayMode desktop{1024, 768, 8};
  auto origin = [&] {
    return machine::Card(machine::State()->card.registers, nullptr).ViewportOrigin(desktop);
  };
  harness::Program pointer(harness::OwnFolder() + "\\MACHINE.EXE", "pointer");
  SetCursorPos(1000, 700);
  // The start address counts double words: at 8 bits the corner moves in steps of four.
  EXPECT_TRUE(harness::WaitFor([&] { return origin() == machine::PanPosition{200, 101}; }));

  const char lock[] = {1, 0, 1, 0};
  char output[2];
  EXPECT_EQ(machine::ExtEscape(nullptr, 3535, sizeof(lock), lock, sizeof(output), output), 1);
  SetCursorPos(0, 0);
  EXPECT_FALSE(harness::WaitFor(
      [&] {
        return origin() == machine::PanPosition{0, 0};
      },
      harness::Milliseconds(300)));
  const char unlock[] = {1, 0, 0, 0};
  machine::ExtEscape(nullptr, 3535, sizeof(unlock), unlock, sizeof(output), output);
  EXPECT_TRUE(harness::WaitFor([&] { return origin() == machine::PanPosition{0, 0}; }));
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/fakes.h"
#include "trayvel/core/tray_logic.h"

namespace {

// Latchwin's functions as Trayvel calls them, noted in order.
class RecordingLatchwin : public trayvel::Latchwin {
 public:
  void SetDllParms(std::uint32_t index, std::uint32_t value) override {
    calls.push_back("Set(" + std::to_string(index) + "," + std::to_string(value) + ")");
  }
  void InstallPopupFilter(bool on) override { Note("Popup", on); }
  void InstallPanLockFilter(bool on) override { Note("PanLock", on); }
  void InstallShellHook(bool on) override { Note("Shell", on); }
  void InstallCallWndRetHook(bool on) override { Note("CallWndRet", on); }

  std::vector<std::string> calls;

 private:
  void Note(const std::string& name, bool on) { calls.push_back(name + (on ? "(1)" : "(0)")); }
};

TEST(ViewportCheckTest, PansWhenTheViewportDiffersFromTheScreen) {
  const trayvel::Viewport both = trayvel::CheckViewport("800,600", 1024, 768);
  EXPECT_TRUE(both.panning);
  EXPECT_EQ(both.width, 800);
  EXPECT_EQ(both.height, 600);

  const trayvel::Viewport widthOnly = trayvel::CheckViewport("800", 1024, 768);
  EXPECT_TRUE(widthOnly.panning);
  EXPECT_EQ(widthOnly.width, 800);
  EXPECT_EQ(widthOnly.height, 768);

  EXPECT_FALSE(trayvel::CheckViewport("1024,768", 1024, 768).panning);
  EXPECT_FALSE(trayvel::CheckViewport("", 1024, 768).panning);
  EXPECT_FALSE(trayvel::CheckViewport("garbage", 1024, 768).panning);
  EXPECT_EQ(trayvel::CheckViewport("", 1024, 768).width, 1024);
}

// Scanned as "%d,%d": the scan stops at the first thing it cannot read, and what it did not
// reach keeps the screen's size.
TEST(ViewportCheckTest, AMalformedValueIsScannedUpToItsFirstFault) {
  struct Case {
    const char* value;
    bool panning;
    int width, height;
  };
  const Case cases[] = {{"800x600", true, 800, 768},          {"abc,600", false, 1024, 768},
                        {"800,600abc", true, 800, 600},       {" 800, 600", true, 800, 600},
                        {"800 ,600", true, 800, 768},         {"+800,-600", true, 800, -600},
                        {"99999999999,600", false, 1024, 768}};
  for (const Case& c : cases) {
    const trayvel::Viewport viewport = trayvel::CheckViewport(c.value, 1024, 768);
    EXPECT_EQ(viewport.panning, c.panning) << c.value;
    EXPECT_EQ(viewport.width, c.width) << c.value;
    EXPECT_EQ(viewport.height, c.height) << c.value;
  }
}

TEST(ViewportCheckTest, PacksTheViewportAsTwoSixteenBitHalves) {
  EXPECT_EQ(trayvel::PackViewport(1024, 768), 0x03000400u);
  EXPECT_EQ(trayvel::PackViewport(0x12345, -1), 0xFFFF2345u);
}

class ReconfigureTest : public testing::Test {
 protected:
  std::vector<std::string> Reconfigure() {
    trayvel::Reconfigure(settings, 1024, 768, latchwin);
    return latchwin.calls;
  }

  MemoryProfile profile;
  settings::MarovaneSettings settings{profile};
  RecordingLatchwin latchwin;
};

TEST_F(ReconfigureTest, WithoutPanningOnlyTheVistrelHotKeyStays) {
  profile.WriteString("Marovane", "HotKeyVistrel", "1622");  // Ctrl+Alt+V
  profile.WriteString("Marovane", "HotKeyPan", "1616");
  profile.WriteString("Marovane", "Latchwin", "1");
  profile.WriteString("Marovane", "ScreenResolution", "1024,768");
  EXPECT_EQ(Reconfigure(),
            (std::vector<std::string>{"Set(1,1536)", "Set(2,86)", "Set(3,0)", "Set(4,0)",
                                      "Set(5,0)", "Popup(0)", "Shell(0)", "CallWndRet(0)"}));
}

TEST_F(ReconfigureTest, PanningWithCentringSwitchesEveryHookOn) {
  profile.WriteString("Marovane", "HotKeyPan", "1616");
  profile.WriteString("Marovane", "Latchwin", "1");
  profile.WriteString("Marovane", "ScreenResolution", "800,600");
  EXPECT_EQ(Reconfigure(), (std::vector<std::string>{"Set(1,0)", "Set(2,0)", "Set(3,1536)",
                                                     "Set(4,80)", "Shell(1)", "Set(6,39322400)",
                                                     "Set(5,1)", "Popup(1)", "CallWndRet(1)"}));
}

TEST_F(ReconfigureTest, PanningWithoutCentringKeepsTheShellHookForVistrel) {
  profile.WriteString("Marovane", "HotKeyPan", "1616");
  profile.WriteString("Marovane", "ScreenResolution", "800");
  // The shell hook centres Vistrel in the new viewport, so it gets the size here too.
  EXPECT_EQ(Reconfigure(), (std::vector<std::string>{"Set(1,0)", "Set(2,0)", "Set(3,1536)",
                                                     "Set(4,80)", "Shell(1)", "Set(6,50332448)",
                                                     "Set(5,0)", "Popup(0)", "CallWndRet(0)"}));
}

TEST(VistrelPathTest, TheVistrelFolderBelowProgramDir) {
  EXPECT_EQ(trayvel::VistrelProgram("C:\\TOOLS\\"), "C:\\TOOLS\\VISTREL\\VISTREL.EXE");
  EXPECT_EQ(trayvel::VistrelProgram("C:\\TOOLS"), "C:\\TOOLS\\VISTREL\\VISTREL.EXE");
  EXPECT_EQ(trayvel::VistrelFolder("C:\\TOOLS\\"), "C:\\TOOLS\\VISTREL");
  EXPECT_EQ(trayvel::VistrelProgram(""), "\\VISTREL\\VISTREL.EXE");
}

TEST(FirstStartTest, TheStartMenuGroupAndTheKeysForgotten) {
  EXPECT_EQ(trayvel::StartMenuGroup("C:\\Start Menu\\Programs", "Marovane Tools"),
            "C:\\Start Menu\\Programs\\Marovane Tools");
  MemoryProfile profile;
  for (const char* key : {"InitialInstall", "Refresh", "RefreshRate", "PanLock"}) {
    profile.WriteString("Marovane", key, "1");
  }
  settings::MarovaneSettings settings(profile);
  trayvel::ForgetInstallation(settings);
  EXPECT_FALSE(profile.Has("Marovane", "InitialInstall"));
  EXPECT_FALSE(profile.Has("Marovane", "Refresh"));
  EXPECT_FALSE(profile.Has("Marovane", "RefreshRate"));
  EXPECT_TRUE(profile.Has("Marovane", "PanLock"));
}

std::vector<int> Frames(bool locking) {
  trayvel::StatusAnimation animation(locking);
  std::vector<int> icons{animation.Icon()};
  int ticks = 0;
  for (bool over = false; !over;) {
    over = animation.Tick();
    ++ticks;
    if (animation.Icon() != icons.back()) icons.push_back(animation.Icon());
  }
  icons.push_back(ticks);
  return icons;
}

TEST(StatusAnimationTest, ThePadlockClosesOrOpensInTheFirstThreeOfTenTicks) {
  EXPECT_EQ(Frames(true), (std::vector<int>{101, 102, 103, 104, 10}));
  EXPECT_EQ(Frames(false), (std::vector<int>{104, 103, 102, 101, 10}));
}

}  // namespace

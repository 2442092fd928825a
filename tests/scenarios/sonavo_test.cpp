// Sonavo's CD player end to end: the real program, the simulated drive behind MCI, the deck's
// buttons, MAROVANE.INI and cd.abm beside the program.

#include <windows.h>

#include <gtest/gtest.h>

#include "machine/win32/install.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

constexpr int kPlayPause = 1018;
constexpr int kEject = 1024;
constexpr int kEntryField = 1034;
constexpr int kStatusLine = 1063;

class SonavoTest : public harness::ScenarioTest {
 protected:
  void SetUp() override {
    harness::ScenarioTest::SetUp();
    Configure("CD", "Tracks", "1500,1500,3000");
    Boot();
  }
  static std::string MediaFile(const std::string& name) {
    return std::string(machine::kMediaFolder) + "\\" + name;
  }
  HWND StartCdPlayer(Program& sonavo) {
    deck_ = harness::WaitForWindow("#32770", "CD Player", sonavo.Id());
    return deck_;
  }
  bool Shows(int id, const std::string& text) {
    return harness::WaitFor(
        [&] { return harness::WindowText(harness::Control(deck_, id)) == text; });
  }

  HWND deck_ = nullptr;
};

TEST_F(SonavoTest, TheCdPlayerPlaysTheDiscTrackAfterTrackAndEjectLeavesItEmpty) {
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  EXPECT_TRUE(Shows(kStatusLine, "Track 01"));
  harness::PressButton(deck_, kPlayPause);
  EXPECT_TRUE(Shows(kStatusLine, "Playing"));
  EXPECT_TRUE(Shows(kEntryField, "02"));
  EXPECT_TRUE(Shows(kStatusLine, "Track 02"));
  harness::SaveScreenshot(deck_, "cd-player");

  harness::PressButton(deck_, kEject);
  EXPECT_TRUE(Shows(kStatusLine, "CD not inserted"));
  EXPECT_TRUE(Shows(kEntryField, ""));
  // The catalogue knows the disc, with its default names and play list.
  EXPECT_EQ(harness::ReadProfile(MediaFile("cd.abm"), "CD List", "Number of CDs"), "1");
}

TEST_F(SonavoTest, ASecondCopyOfAPlayerEndsAndClosingKeepsTheSettings) {
  WritePrivateProfileStringA("CD Player", "TrackRepeat", "1", MediaFile("MAROVANE.INI").c_str());
  WritePrivateProfileStringA("CD Player", "Repeat", "1", MediaFile("MAROVANE.INI").c_str());
  Program sonavo(MediaFile("SONAVO.EXE"));
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  ASSERT_TRUE(Shows(kStatusLine, "Track 01"));
  Program second(MediaFile("SONAVO.EXE"), "/cd");
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(sonavo.Running());

  harness::PressCloseBox(deck_);
  ASSERT_TRUE(sonavo.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "CD Player", "TrackRepeat"), "1");
  const auto disc = harness::ReadProfile(MediaFile("cd.abm"), "CD List", "1");
  ASSERT_TRUE(disc.has_value());
  EXPECT_EQ(harness::ReadProfile(MediaFile("cd.abm"), *disc, "Selection"), "1");
}

}  // namespace

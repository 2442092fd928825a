// Sonavo end to end: the real program, the simulated drive behind MCI, Wine's wave and video
// devices, the deck's buttons, MAROVANE.INI and the album files beside the program.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/interop/suite_names.h"
#include "machine/core/sample_media.h"
#include "machine/win32/install.h"
#include "tests/harness/harness.h"
#include "tests/harness/media_files.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

constexpr int kPlayPause = 1018;
constexpr int kEject = 1024;
constexpr int kRewind = 1021;
constexpr int kEntryField = 1034;
constexpr int kTimeField = 1035;
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
  HWND StartCdPlayer(Program& sonavo) { return StartPlayer(sonavo, "CD Player"); }
  HWND StartPlayer(Program& sonavo, const char* name) {
    deck_ = harness::WaitForWindow(names::kDeckClass, name, sonavo.Id());
    return deck_;
  }
  // Types into a control of another program's dialog: the text is set again until the control
  // holds it (a dialog still finishing its start can put its own text there meanwhile).
  static bool Type(HWND dialog, int id, const std::string& text) {
    return harness::WaitFor([&] {
      SetDlgItemTextA(dialog, id, text.c_str());
      return harness::WindowText(harness::Control(dialog, id)) == text;
    });
  }
  static void Set(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), MediaFile("MAROVANE.INI").c_str());
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

TEST_F(SonavoTest, AWaveAlbumPlaysEveryFileToItsEnd) {
  ASSERT_TRUE(harness::WriteFileBytes(MediaFile("one.wav"), machine::WaveFileBytes(1000)));
  ASSERT_TRUE(harness::WriteFileBytes(MediaFile("two.wav"), machine::WaveFileBytes(1000)));
  const std::string album = MediaFile("wave.abm");
  WritePrivateProfileStringA("List of Albums", "Mix", "", album.c_str());
  WritePrivateProfileStringA("Mix", "Tracks", "2", album.c_str());
  WritePrivateProfileStringA("Mix", "1", MediaFile("one.wav").c_str(), album.c_str());
  WritePrivateProfileStringA("Mix", "2", MediaFile("two.wav").c_str(), album.c_str());
  Set("Wave Player", "AutoLoad", "1");
  Set("Wave Player", "CurAlbum", "Mix");
  Set("Wave Player", "AutoPlay", "1");
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  EXPECT_TRUE(Shows(kStatusLine, "Playing"));
  EXPECT_TRUE(Shows(kEntryField, "02"));
  // After the last file the album stops.
  EXPECT_TRUE(Shows(kStatusLine, "Ready"));
  harness::PressCloseBox(deck_);
  ASSERT_TRUE(sonavo.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(album, "Mix", "Selection"), "2");
}

TEST_F(SonavoTest, AVideoOnTheCommandLineOpensInItsWindowAndASecondStartHandsItOver) {
  ASSERT_TRUE(harness::WriteFileBytes("C:\\A.AVI", machine::VideoFileBytes(10)));
  ASSERT_TRUE(harness::WriteFileBytes("C:\\B.AVI", machine::VideoFileBytes(10)));
  Program sonavo(MediaFile("SONAVO.EXE"), "/video /play C:\\A.AVI");
  ASSERT_NE(StartPlayer(sonavo, "Video Player"), nullptr);
  HWND playback = harness::WaitForWindow("PlaybackWClass", "A.AVI", sonavo.Id());
  ASSERT_NE(playback, nullptr);
  harness::SaveScreenshot(playback, "video-playback");
  harness::PressButton(deck_, 1149);  // one step faster than normal
  EXPECT_TRUE(Shows(1151, "2000"));
  EXPECT_EQ(harness::ReadProfile(MediaFile("video.abm"), "P-r-e-v-i-e-w", "1"), "C:\\A.AVI");

  Program second(MediaFile("SONAVO.EXE"), "/VIDEO /PLAY C:\\B.AVI");
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_NE(harness::WaitForWindow("PlaybackWClass", "B.AVI", sonavo.Id()), nullptr);
  EXPECT_TRUE(sonavo.Running());
}

TEST_F(SonavoTest, TheMidiPlayerPlaysAFileOnTheSimulatedSequencer) {
  ASSERT_TRUE(
      harness::WriteFileBytes("C:\\song.mid", machine::MidiFileBytes(96, {{0, 250000}}, 384)));
  Set("MIDI Player", "AutoPlay", "1");
  Program sonavo(MediaFile("SONAVO.EXE"), "/MIDI C:\\song.mid");
  ASSERT_NE(StartPlayer(sonavo, "MIDI Player"), nullptr);
  EXPECT_TRUE(Shows(kStatusLine, "Playing"));
  EXPECT_TRUE(Shows(kStatusLine, "Ready"));
}

TEST_F(SonavoTest, ProgramEditWritesTheDiscsTitleNamesAndPlayList) {
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  ASSERT_TRUE(Shows(kStatusLine, "Track 01"));
  harness::PressButton(deck_, 1049);
  HWND edit = harness::WaitForWindow("#32770", "Program Edit", sonavo.Id());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(harness::WindowText(harness::Control(edit, 1175)), "Trac&k 01:");
  EXPECT_EQ(harness::WindowText(harness::Control(edit, 1063)), "Track 01");
  harness::SaveScreenshot(edit, "program-edit");
  ASSERT_TRUE(Type(edit, 1059, "Short Pieces"));
  ASSERT_TRUE(Type(edit, 1063, "Overture"));
  const auto holds = [&](int id, const std::string& text) {
    return harness::WaitFor(
        [&] { return harness::WindowText(harness::Control(edit, id)) == text; });
  };
  harness::PressButton(edit, 1097);  // Set Name: track 2 is next
  EXPECT_TRUE(holds(1175, "Trac&k 02:"));
  harness::PressButton(edit, 1096);  // Delete the play list
  ASSERT_TRUE(holds(1060, "0"));
  SendDlgItemMessageA(edit, 1065, LB_SETSEL, FALSE, -1);  // Set Name selected track 2
  SendDlgItemMessageA(edit, 1065, LB_SETSEL, TRUE, 2);
  harness::PressButton(edit, 1093);  // Add track 3
  EXPECT_TRUE(holds(1060, "1"));
  harness::PressButton(edit, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(edit); }));

  const std::string album = MediaFile("cd.abm");
  const auto disc = harness::ReadProfile(album, "CD List", "1");
  ASSERT_TRUE(disc.has_value());
  EXPECT_EQ(harness::ReadProfile(album, *disc, "Title"), "Short Pieces");
  EXPECT_EQ(harness::ReadProfile(album, *disc, "1"), "Overture");
  // Written "3 "; the profile functions read it without the trailing blank.
  EXPECT_EQ(harness::ReadProfile(album, *disc, "Playlist"), "3");
  EXPECT_TRUE(Shows(kStatusLine, "Overture"));
}

TEST_F(SonavoTest, RewindAtTheStartOfTheDiscGoesToTheEndOfTheRange) {
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  ASSERT_TRUE(Shows(kStatusLine, "Track 01"));
  harness::PressButton(deck_, kPlayPause);
  ASSERT_TRUE(Shows(kStatusLine, "Playing"));
  // NORMAL plays to the end of the disc: 1.5 + 1.5 + 3 seconds from track 1's start.
  harness::PressButton(deck_, kRewind);
  EXPECT_TRUE(Shows(kTimeField, "00:06"));
}

TEST_F(SonavoTest, LoadOnAFilePlayerPlaysTheChosenFile) {
  ASSERT_TRUE(harness::WriteFileBytes("C:\\chosen.wav", machine::WaveFileBytes(1000)));
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  harness::PressButton(deck_, kEject);
  HWND open = harness::WaitForWindow("#32770", "Load Wave File/Album", sonavo.Id());
  ASSERT_NE(open, nullptr);
  harness::SaveScreenshot(open, "load-wave");
  ASSERT_TRUE(Type(open, 0x47C, "C:\\chosen.wav"));  // the file name
  harness::PressButton(open, IDOK);
  // The file is the album's one entry (the status line soon shows the device's state).
  EXPECT_TRUE(Shows(kEntryField, "01"));
  EXPECT_EQ(harness::ReadProfile(MediaFile("wave.abm"), "P-r-e-v-i-e-w", "1"), "C:\\chosen.wav");
}

}  // namespace

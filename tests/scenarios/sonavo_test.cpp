// Sonavo end to end: the real program, the simulated drive behind MCI, Wine's wave and video
// devices, the deck's buttons, MAROVANE.INI and the album files beside the program.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/suite_windows.h"
#include "machine/core/sample_media.h"
#include "tests/harness/harness.h"
#include "tests/harness/media_files.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

const std::string kCorpus = MEDIA_CORPUS;

constexpr int kPlayPause = 1018;
constexpr int kEject = 1024;
constexpr int kRewind = 1021;
constexpr int kForward = 1022;
constexpr int kPositionBar = 1033;
constexpr UINT kBarGetPos = WM_USER + 24;
constexpr int kEntryField = 1034;
constexpr int kTimeField = 1035;
constexpr int kStatusLine = 1063;

// A stand-in for Jubilo's panel: a window of class "AVCENTER" with "DEVICE" 5 and the buttons of
// the CD, MIDI and wave players (1105-1107), on a thread of its own that answers its messages.
class LauncherStandIn {
 public:
  LauncherStandIn() {
    thread_ = std::thread([this] {
      threadId_ = GetCurrentThreadId();
      WNDCLASSA panel{};
      panel.lpfnWndProc = DefWindowProcA;
      panel.hInstance = GetModuleHandleA(nullptr);
      panel.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
      panel.lpszClassName = names::kLauncherClass;
      RegisterClassA(&panel);
      HWND window = CreateWindowExA(0, names::kLauncherClass, "Marovane Jubilo",
                                    WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 420, 160,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      SetPropA(window, names::kDeviceProperty, reinterpret_cast<HANDLE>(names::kLauncherDevice));
      for (int kind = 0; kind < 3; ++kind) {
        CreateWindowExA(0, "BUTTON", sonavo_names[kind], WS_CHILD | WS_VISIBLE, 20, 10 + kind * 45,
                        142, 31, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1105 + kind)),
                        nullptr, nullptr);
      }
      // The video player's button, the video deck's place and the controls it covers.
      for (int id : {1108, 1176, 1178, 1124}) {
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 180, 10, 40, 20, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
      }
      window_ = window;
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
      DestroyWindow(window);
    });
    harness::WaitFor([this] { return window_ != nullptr; });
  }
  ~LauncherStandIn() { Close(); }
  HWND Window() const { return window_; }
  // A player's window that Sonavo places in the panel, once it shows.
  HWND WaitForChild(int id) const {
    HWND child = nullptr;
    harness::WaitFor([&] {
      child = GetDlgItem(window_, id);
      return child != nullptr && IsWindowVisible(child);
    });
    return child != nullptr && IsWindowVisible(child) ? child : nullptr;
  }
  // Jubilo closes as Jubilo does: the video player takes its picture back, the decks of the
  // players that live only in the panel are closed, then the panel goes.
  void Close() {
    if (!thread_.joinable()) return;
    if (HWND video = FindSuiteWindow(names::kDeckClass, kVideoKind)) {
      SendMessageTimeoutA(video, names::kDeckMsgAttach, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    }
    for (int kind = 0; kind <= kVideoKind; ++kind) {
      HWND player = FindSuiteWindow(names::kDeckClass, static_cast<std::uintptr_t>(kind));
      HWND deck = GetDlgItem(window_, 105 + kind);
      if (player != nullptr && !IsWindowVisible(player) && deck != nullptr) {
        PostMessageA(deck, WM_CLOSE, 0, 0);
      }
    }
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

 private:
  static constexpr const char* sonavo_names[] = {"CD", "MIDI", "Wave"};
  static constexpr int kVideoKind = 3;
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

class SonavoTest : public harness::ScenarioTest {
 protected:
  void SetUp() override {
    harness::ScenarioTest::SetUp();
    Configure("CD", "Tracks", "1500,1500,3000");
    Boot();
  }
  static std::string MediaFile(const std::string& name) {
    return std::string(layout::kMediaFolder) + "\\" + name;
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
  // The seconds the time field shows ("MM:SS").
  int SecondsShown() {
    const std::string time = harness::WindowText(harness::Control(deck_, kTimeField));
    return time.size() == 5 ? std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3)) : -1;
  }
  bool Shows(int id, const std::string& text, harness::Milliseconds timeout = harness::kTimeout) {
    return harness::WaitFor(
        [&] { return harness::WindowText(harness::Control(deck_, id)) == text; }, timeout);
  }
  // Files of the media corpus, which other encoders made, copied to C:\Corpus; their paths
  // there.
  static std::vector<std::string> CorpusFiles(const std::vector<std::string>& files) {
    CreateDirectoryA("C:\\Corpus", nullptr);
    std::vector<std::string> paths;
    for (const std::string& file : files) {
      const std::string path = "C:\\Corpus\\" + file;
      if (CopyFileA((kCorpus + "/" + file).c_str(), path.c_str(), FALSE)) paths.push_back(path);
    }
    return paths;
  }
  // The album "Corpus" of these files, which the player loads and plays at its start.
  static void PlayAtStart(const char* player, const std::string& albumFile,
                          const std::vector<std::string>& paths) {
    const std::string album = MediaFile(albumFile);
    WritePrivateProfileStringA("List of Albums", "Corpus", "", album.c_str());
    WritePrivateProfileStringA("Corpus", "Tracks", std::to_string(paths.size()).c_str(),
                               album.c_str());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      WritePrivateProfileStringA("Corpus", std::to_string(i + 1).c_str(), paths[i].c_str(),
                                 album.c_str());
    }
    Set(player, "AutoLoad", "1");
    Set(player, "CurAlbum", "Corpus");
    Set(player, "AutoPlay", "1");
  }
  // How far each of the album's `entries` played, in milliseconds, as the deck's position bar
  // shows it (in tenths of a second), looked at until the album has played its last entry and
  // stopped; empty when it does not get there within `longest`.
  std::vector<int> FarthestPlayedMs(int entries, harness::Milliseconds longest) {
    std::vector<int> farthest(static_cast<std::size_t>(entries), 0);
    HWND bar = harness::Control(deck_, kPositionBar);
    const bool stopped = harness::WaitFor(
        [&] {
          const int entry =
              std::atoi(harness::WindowText(harness::Control(deck_, kEntryField)).c_str());
          if (entry < 1 || entry > entries) return false;
          int& reached = farthest[static_cast<std::size_t>(entry - 1)];
          reached = std::max(reached, static_cast<int>(SendMessageA(bar, kBarGetPos, 0, 0)) * 100);
          return farthest.back() > 0 &&
                 harness::WindowText(harness::Control(deck_, kStatusLine)) == "Ready";
        },
        longest);
    return stopped ? farthest : std::vector<int>{};
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
  harness::SaveScreenshot(deck_, "cd-no-disc");
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

  // Closed while minimized, from its taskbar button's menu.
  RECT place{};
  GetWindowRect(deck_, &place);
  ShowWindow(deck_, SW_MINIMIZE);
  ASSERT_TRUE(harness::WaitFor([&] { return IsIconic(deck_) != FALSE; }));
  harness::PressCloseBox(deck_);
  ASSERT_TRUE(sonavo.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "CD Player", "TrackRepeat"), "1");
  // The deck's bottom-right corner where it stood, where it opens next time.
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "CD Player", "WindowPos"),
            std::to_string(place.right) + "," + std::to_string(place.bottom));
  const auto disc = harness::ReadProfile(MediaFile("cd.abm"), "CD List", "1");
  ASSERT_TRUE(disc.has_value());
  EXPECT_EQ(harness::ReadProfile(MediaFile("cd.abm"), *disc, "Selection"), "1");
}

TEST_F(SonavoTest, WithoutTheTimerLibraryThePlayerSaysSoAndRunsOn) {
  ASSERT_TRUE(DeleteFileA(MediaFile("TICKORA.DLL").c_str()));
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  const auto box = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "CD Player");
  EXPECT_EQ(box->text, "Timer not available, program may not run correctly.");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  EXPECT_TRUE(sonavo.Running());
  // Any timer that sends the tick's command drives the deck, whatever its notification code.
  EXPECT_TRUE(harness::WaitFor([&] {
    PostMessageA(deck_, WM_COMMAND, MAKEWPARAM(names::kDeckTick, 7), 0);
    return harness::WindowText(harness::Control(deck_, kStatusLine)) == "Track 01";
  }));
}

TEST_F(SonavoTest, ADriveHeldByAnotherProgramIsReportedAndTakenOnceItIsFree) {
  Configure("CD", "HeldElsewhere", "1");
  Boot();
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  const auto box = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "CD Player");
  EXPECT_EQ(box->text, "CD player is being used by another application.");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  EXPECT_EQ(harness::WindowText(harness::Control(deck_, kEntryField)), "");
  // The other program lets go: the deck finds the drive on its own and knows the disc.
  harness::RunMachineTool("cd held no");
  EXPECT_TRUE(Shows(kStatusLine, "Track 01"));
  harness::PressButton(deck_, kPlayPause);
  EXPECT_TRUE(Shows(kStatusLine, "Playing"));
}

TEST_F(SonavoTest, ADataDiscThatCannotBePlayedIsReported) {
  Configure("CD", "Data", "1");
  Boot();
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  EXPECT_TRUE(Shows(kStatusLine, "Track 01"));
  harness::PressButton(deck_, kPlayPause);
  const auto box = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "CD Player");
  EXPECT_EQ(box->text,
            "There is either a problem with your CD drive, or a non-audio CD is inserted.");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(box->window); }));
  EXPECT_NE(harness::WindowText(harness::Control(deck_, kStatusLine)), "Playing");
  harness::PressCloseBox(deck_);
  ASSERT_TRUE(sonavo.WaitForExit());

  // With AutoPlay the player tries the disc by itself: nothing to report to nobody's command.
  Set("CD Player", "AutoPlay", "1");
  Program again(MediaFile("SONAVO.EXE"), "/CD");
  ASSERT_NE(StartCdPlayer(again), nullptr);
  EXPECT_FALSE(harness::WaitForMessageBox(again.Id(), harness::Milliseconds(2000)).has_value());
}

TEST_F(SonavoTest, EachPlayerRunsOnceBesideTheOthersAndItsRepeatIndicatorIsAKey) {
  Program midi(MediaFile("SONAVO.EXE"), "/MIDI");
  ASSERT_NE(StartPlayer(midi, "MIDI Player"), nullptr);
  Program secondMidi(MediaFile("SONAVO.EXE"), "/midi");
  EXPECT_TRUE(secondMidi.WaitForExit());
  Program wave(MediaFile("SONAVO.EXE"), "/WAVE");
  EXPECT_NE(harness::WaitForWindow(names::kDeckClass, "Wave Player", wave.Id()), nullptr);
  EXPECT_TRUE(midi.Running());
  EXPECT_TRUE(wave.Running());

  // A click on the repeat indicator is the Repeat key; a press on the body does not repeat.
  RECT mark{};
  GetWindowRect(harness::Control(deck_, 1038), &mark);
  MapWindowPoints(nullptr, deck_, reinterpret_cast<POINT*>(&mark), 2);
  PostMessageA(deck_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mark.left + 2, mark.top + 2));
  harness::PressCloseBox(deck_);
  ASSERT_TRUE(midi.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "MIDI Player", "Repeat"), "1");
}

TEST_F(SonavoTest, AFileThatIsNotThereGetsAClearMessageAndAStrayHandOverNothing) {
  Program sonavo(MediaFile("SONAVO.EXE"), "/MIDI C:\\nowhere\\missing.mid");
  const auto box = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "MIDI Player");
  EXPECT_FALSE(box->text.empty());
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  ASSERT_NE(StartPlayer(sonavo, "MIDI Player"), nullptr);
  EXPECT_EQ(harness::ReadProfile(MediaFile("midi.abm"), "P-r-e-v-i-e-w", "1"),
            "C:\\nowhere\\missing.mid");

  // A hand-over with no file behind it (sent by anyone) changes nothing.
  SendMessageA(deck_, names::kDeckMsgLoadFile, 0, 0);
  EXPECT_TRUE(sonavo.Running());
  EXPECT_FALSE(harness::WaitForMessageBox(sonavo.Id(), harness::Milliseconds(500)).has_value());
}

// A PC whose MIDI device's driver is missing: the player says what the system says of it and ends,
// before any deck shows.
TEST_F(SonavoTest, AFilePlayerWithoutItsDeviceSaysSoAndEnds) {
  HKEY drivers = nullptr;
  ASSERT_EQ(
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI", 0,
                    KEY_SET_VALUE, &drivers),
      ERROR_SUCCESS);
  const char missing[] = "C:\\nowhere\\nosuch.drv";
  RegSetValueExA(drivers, "sequencer", 0, REG_SZ, reinterpret_cast<const BYTE*>(missing),
                 sizeof(missing));
  RegCloseKey(drivers);
  Program sonavo(MediaFile("SONAVO.EXE"), "/MIDI");
  const auto box = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "MIDI Player");
  EXPECT_FALSE(box->text.empty());
  EXPECT_EQ(FindWindowA(names::kDeckClass, "MIDI Player"), nullptr);
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(sonavo.WaitForExit());
}

// A window of the decks' class without its "DEVICE" (a deck being destroyed) is no running CD
// player: the CD player starts rather than handing over to it.
TEST_F(SonavoTest, ADeckWindowWithoutItsDeviceIsNoRunningCdPlayer) {
  WNDCLASSA deckClass{};
  deckClass.lpfnWndProc = DefWindowProcA;
  deckClass.hInstance = GetModuleHandleA(nullptr);
  deckClass.lpszClassName = names::kDeckClass;
  ASSERT_NE(RegisterClassA(&deckClass), 0);
  HWND going = CreateWindowExA(0, names::kDeckClass, "Going", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, deckClass.hInstance, nullptr);
  ASSERT_NE(going, nullptr);
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  EXPECT_NE(StartCdPlayer(sonavo), nullptr);
  EXPECT_TRUE(sonavo.Running());
  DestroyWindow(going);
}

TEST_F(SonavoTest, ADeckKeptOffTheScreenOpensOnIt) {
  for (const char* corner : {"-400,-300", "99999,99999"}) {
    Set("Wave Player", "WindowPos", corner);
    Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
    ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
    RECT deck{};
    GetWindowRect(deck_, &deck);
    EXPECT_GE(deck.left, 0) << corner;
    EXPECT_GE(deck.top, 0) << corner;
    EXPECT_LE(deck.right, GetSystemMetrics(SM_CXSCREEN)) << corner;
    EXPECT_LE(deck.bottom, GetSystemMetrics(SM_CYSCREEN)) << corner;
    harness::PressCloseBox(deck_);
    ASSERT_TRUE(sonavo.WaitForExit());
  }
}

TEST_F(SonavoTest, TheSystemMenuHasHelpAndAboutInsteadOfSizing) {
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  PostMessageA(deck_, WM_SYSCOMMAND, 132, 0);
  const auto about = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(about.has_value());
  EXPECT_EQ(about->caption, "Wave Player");
  EXPECT_NE(about->text.find("Sonavo"), std::string::npos);
  PostMessageA(about->window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(about->window); }));
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
  // The video shows in its playback window, the deck stays hidden.
  HWND playback = harness::WaitForWindow("PlaybackWClass", "A.AVI", sonavo.Id());
  ASSERT_NE(playback, nullptr);
  deck_ = FindWindowA(names::kDeckClass, "Video Player");
  ASSERT_NE(deck_, nullptr);
  EXPECT_FALSE(IsWindowVisible(deck_));
  harness::SaveScreenshot(playback, "video-playback");
  harness::PressButton(deck_, 1149);  // one step faster than normal
  EXPECT_TRUE(Shows(1151, "2000"));
  EXPECT_EQ(harness::ReadProfile(MediaFile("video.abm"), "P-r-e-v-i-e-w", "1"), "C:\\A.AVI");

  Program second(MediaFile("SONAVO.EXE"), "/VIDEO /PLAY C:\\B.AVI");
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_NE(harness::WaitForWindow("PlaybackWClass", "B.AVI", sonavo.Id()), nullptr);
  EXPECT_TRUE(sonavo.Running());
}

TEST_F(SonavoTest, TheVideoPlayersTimeFieldSwitchesToFramesAndTheSwitchIsKept) {
  ASSERT_TRUE(harness::WriteFileBytes(MediaFile("clip.avi"), machine::VideoFileBytes(30)));
  const std::string album = MediaFile("video.abm");
  WritePrivateProfileStringA("List of Albums", "Clips", "", album.c_str());
  WritePrivateProfileStringA("Clips", "Tracks", "1", album.c_str());
  WritePrivateProfileStringA("Clips", "1", MediaFile("clip.avi").c_str(), album.c_str());
  Set("Video Player", "AutoLoad", "1");
  Set("Video Player", "CurAlbum", "Clips");
  Program sonavo(MediaFile("SONAVO.EXE"), "/VIDEO");
  ASSERT_NE(StartPlayer(sonavo, "Video Player"), nullptr);
  ASSERT_TRUE(Shows(kEntryField, "01"));
  EXPECT_TRUE(Shows(kTimeField, "00:00"));
  // A click on the time field: frame numbers, and the bar counts frames (30 of them).
  RECT field{};
  GetWindowRect(harness::Control(deck_, 1163), &field);
  MapWindowPoints(nullptr, deck_, reinterpret_cast<POINT*>(&field), 2);
  const LPARAM centre = MAKELPARAM((field.left + field.right) / 2, (field.top + field.bottom) / 2);
  PostMessageA(deck_, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageA(deck_, WM_LBUTTONUP, 0, centre);
  EXPECT_TRUE(Shows(kTimeField, "00000"));
  harness::PressButton(deck_, kPlayPause);
  EXPECT_TRUE(harness::WaitFor(
      [&] { return SendMessageA(harness::Control(deck_, kPositionBar), kBarGetPos, 0, 0) >= 5; }));
  harness::PressCloseBox(deck_);
  ASSERT_TRUE(sonavo.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "Video Player", "Format"), "0");
}

TEST_F(SonavoTest, ThePlaybackWindowsMenuZoomsThePicture) {
  // Another encoder's Cinepak file of 80 x 60.
  ASSERT_TRUE(CopyFileA((std::string(MEDIA_CORPUS) + "/cinepak.avi").c_str(), "C:\\A.AVI", FALSE));
  Program sonavo(MediaFile("SONAVO.EXE"), "/video /play C:\\A.AVI");
  HWND playback = harness::WaitForWindow("PlaybackWClass", "A.AVI", sonavo.Id());
  ASSERT_NE(playback, nullptr);
  RECT client{};
  GetClientRect(playback, &client);
  EXPECT_EQ(client.bottom, 60);  // the video's natural height (a window is wider than 80)
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);

  // A right click opens the menu; Zoom, three down from " 50%": "200%" (800 pixels wide, a
  // video of at most 160 offers 50, 100, 150, 200, 300 and 400% and Full Screen).
  SetForegroundWindow(playback);
  PostMessageA(playback, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_NE(harness::WaitForWindow("#32768", "", sonavo.Id()), nullptr);
  harness::PressKeys({'Z', VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_TRUE(harness::WaitFor([&] {
    GetClientRect(playback, &client);
    return client.right == 160 && client.bottom == 120;
  })) << client.right
      << " x " << client.bottom;
  // The device's window, and so the picture, fills it.
  HWND picture = GetDlgItem(playback, 2000);
  ASSERT_NE(picture, nullptr);
  RECT shown{};
  EXPECT_TRUE(harness::WaitFor([&] {
    GetClientRect(picture, &shown);
    return shown.right == 160 && shown.bottom == 120;
  })) << shown.right
      << " x " << shown.bottom;
  harness::SaveScreenshot(playback, "video-zoom-200");
}

TEST_F(SonavoTest, TheMidiPlayerPlaysAFileOnTheSimulatedSequencer) {
  ASSERT_TRUE(
      harness::WriteFileBytes("C:\\song.mid", machine::MidiFileBytes(96, {{0, 250000}}, 384)));
  Set("MIDI Player", "AutoPlay", "1");
  Program sonavo(MediaFile("SONAVO.EXE"), "/MIDI C:\\song.mid");
  ASSERT_NE(StartPlayer(sonavo, "MIDI Player"), nullptr);
  EXPECT_TRUE(Shows(kPlayPause, "Pause"));
  harness::SaveScreenshot(deck_, "midi-playing");
  EXPECT_TRUE(Shows(kStatusLine, "Ready"));
}

// How far short of a file's end the deck's position bar may stop: the last of its ticks, a tenth
// of a second apart, comes before the end, and the test may miss one or two.
constexpr int kShortMs = 300;

// Other encoders' wave files, of every kind the system's wave device plays: each plays to its
// end, which is where the encoder says it is.
TEST_F(SonavoTest, AnAlbumOfOtherEncodersWaveFilesPlaysEachFileForItsLength) {
  const std::vector<std::string> names{"8-bit mono", "16-bit stereo", "ima adpcm", "mu-law"};
  std::vector<std::string> files;
  for (const std::string& name : names) files.push_back(name + ".wav");
  const std::vector<std::string> paths = CorpusFiles(files);
  ASSERT_EQ(paths.size(), names.size());
  PlayAtStart("Wave Player", "wave.abm", paths);
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  const std::vector<int> played = FarthestPlayedMs(4, harness::Milliseconds(30000));
  ASSERT_EQ(played.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int length = static_cast<int>(
        std::stod(harness::ReadFacts(kCorpus + "/" + names[i] + ".facts").at("duration")) * 1000);
    EXPECT_GE(played[i], length - kShortMs) << names[i];
    EXPECT_LE(played[i], length) << names[i];
  }
}

// Other encoders' MIDI files, in one track and in three, with tempo changes: each plays for the
// length of its tempo map (see the machine's sequencer tests): 7351 and 10018 ms.
TEST_F(SonavoTest, TheMidiPlayerPlaysOtherEncodersFilesForTheLengthsOfTheirTempoMaps) {
  const std::vector<std::string> paths = CorpusFiles({"format 0.mid", "format 1.mid"});
  ASSERT_EQ(paths.size(), 2u);
  PlayAtStart("MIDI Player", "midi.abm", paths);
  Program sonavo(MediaFile("SONAVO.EXE"), "/MIDI");
  ASSERT_NE(StartPlayer(sonavo, "MIDI Player"), nullptr);
  const std::vector<int> played = FarthestPlayedMs(2, harness::Milliseconds(40000));
  ASSERT_EQ(played.size(), 2u);
  EXPECT_GE(played[0], 7351 - kShortMs);
  EXPECT_LE(played[0], 7351);
  EXPECT_GE(played[1], 10018 - kShortMs);
  EXPECT_LE(played[1], 10018);
}

// Other encoders' Cinepak and MS Video 1 files: each plays in the playback window, its picture
// filling the window, to its end.
TEST_F(SonavoTest, TheVideoPlayerPlaysOtherEncodersCinepakAndVideo1Files) {
  for (const std::string name : {"cinepak", "msvideo1"}) {
    const std::vector<std::string> paths = CorpusFiles({name + ".avi"});
    ASSERT_EQ(paths.size(), 1u);
    const auto facts = harness::ReadFacts(kCorpus + "/" + name + ".facts");
    Program sonavo(MediaFile("SONAVO.EXE"), "/video /play " + paths[0]);
    HWND playback = harness::WaitForWindow("PlaybackWClass", name + ".avi", sonavo.Id());
    ASSERT_NE(playback, nullptr) << name;
    deck_ = FindWindowA(names::kDeckClass, "Video Player");
    ASSERT_NE(deck_, nullptr);
    // The video's size, or the narrowest a window with a caption can be; the picture fills it.
    RECT client{};
    GetClientRect(playback, &client);
    EXPECT_GE(client.right, std::stoi(facts.at("width"))) << name;
    EXPECT_EQ(std::to_string(client.bottom), facts.at("height")) << name;
    HWND picture = GetWindow(playback, GW_CHILD);
    ASSERT_NE(picture, nullptr) << name;
    RECT filled{};
    EXPECT_TRUE(harness::WaitFor([&] {
      GetClientRect(picture, &filled);
      return EqualRect(&filled, &client);
    })) << name
        << ": " << filled.right << " x " << filled.bottom;
    // The test picture's colour bars: many colours, not a blank window.
    std::vector<std::uint32_t> pixels;
    EXPECT_TRUE(harness::WaitFor([&] {
      pixels = harness::ScreenPixels(picture);
      std::sort(pixels.begin(), pixels.end());
      return std::unique(pixels.begin(), pixels.end()) - pixels.begin() > 8;
    })) << name;
    harness::SaveScreenshot(playback, name + "-playback", false);
    EXPECT_TRUE(Shows(kStatusLine, "Ready")) << name;
    harness::PressCloseBox(deck_);
    EXPECT_TRUE(sonavo.WaitForExit()) << name;
  }
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
  // Enter in the name, reached by its label's key, is Set Name: track 2 is next.
  SetForegroundWindow(edit);
  ASSERT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == edit; }));
  ASSERT_TRUE(harness::TypeHotKey(settings::kHotKeyAlt | 'K', [&] {
    return harness::FocusOf(edit) == harness::Control(edit, 1063);
  }));
  harness::PressKeys({VK_RETURN});
  EXPECT_TRUE(holds(1175, "Trac&k 02:"));
  EXPECT_TRUE(IsWindow(edit));
  harness::PressButton(edit, 1096);  // Delete the play list
  ASSERT_TRUE(holds(1060, "0"));
  SendDlgItemMessageA(edit, 1065, LB_SETSEL, FALSE, -1);  // Set Name selected track 2
  SendDlgItemMessageA(edit, 1065, LB_SETSEL, TRUE, 2);
  harness::PressButton(edit, 1093);  // Add track 3
  EXPECT_TRUE(holds(1060, "1"));
  // Enter in the title is OK.
  ASSERT_TRUE(harness::TypeHotKey(settings::kHotKeyAlt | 'T', [&] {
    return harness::FocusOf(edit) == harness::Control(edit, 1059);
  }));
  harness::PressKeys({VK_RETURN});
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(edit); }));

  // Each value is a write of the whole file: read once the last one is there ("Playlist",
  // written "3 ", which the profile functions read without its trailing blank).
  const std::string album = MediaFile("cd.abm");
  std::optional<std::string> disc;
  ASSERT_TRUE(harness::WaitFor([&] {
    disc = harness::ReadProfile(album, "CD List", "1");
    return disc && harness::ReadProfile(album, *disc, "Playlist") == "3";
  }));
  EXPECT_EQ(harness::ReadProfile(album, *disc, "Title"), "Short Pieces");
  EXPECT_EQ(harness::ReadProfile(album, *disc, "1"), "Overture");
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

TEST_F(SonavoTest, ThePositionBarFollowsPlayAndADragOrAHeldForwardSeeks) {
  Configure("CD", "Tracks", "90000,60000");
  Boot();
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  ASSERT_NE(StartCdPlayer(sonavo), nullptr);
  ASSERT_TRUE(Shows(kStatusLine, "Track 01"));
  harness::PressButton(deck_, kPlayPause);
  HWND bar = harness::Control(deck_, kPositionBar);
  ASSERT_TRUE(harness::WaitFor(
      [&] { return IsWindowVisible(bar) && SendMessageA(bar, kBarGetPos, 0, 0) >= 1; }));
  harness::SaveScreenshot(deck_, "cd-playing");

  // A press and release in the middle of the bar: 45 of the track's 90 seconds.
  RECT area{};
  GetClientRect(bar, &area);
  const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(bar, WM_LBUTTONUP, 0, middle);
  EXPECT_TRUE(harness::WaitFor([&] { return SecondsShown() >= 43 && SecondsShown() <= 50; }))
      << SecondsShown();

  // Forward held: a step, then after a quarter of a second a step every 50 ms while the
  // pointer stays on it.
  HWND forward = harness::Control(deck_, kForward);
  const int before = SecondsShown();
  PostMessageA(forward, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  EXPECT_TRUE(harness::WaitFor([&] { return SecondsShown() >= before + 8; })) << SecondsShown();
  PostMessageA(forward, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_TRUE(Shows(kStatusLine, "Playing"));
  harness::PressButton(deck_, kPlayPause);
  // Paused: the button plays again, and the bar stays.
  ASSERT_TRUE(Shows(kPlayPause, "Play"));
  EXPECT_TRUE(IsWindowVisible(bar));
  harness::SaveScreenshot(deck_, "cd-paused");
}

TEST_F(SonavoTest, InJubiloTheCdPlayerIsACompactDeckThatPlaysAndGoesWithThePanel) {
  LauncherStandIn jubilo;
  ASSERT_NE(jubilo.Window(), nullptr);
  Program sonavo(MediaFile("SONAVO.EXE"), "/CD");
  HWND compact = jubilo.WaitForChild(105);
  ASSERT_NE(compact, nullptr);
  EXPECT_EQ(harness::ClassName(compact), "DECK_WCLASS");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(jubilo.Window(), 1105)));
  deck_ = FindWindowA(names::kDeckClass, "CD Player");
  ASSERT_NE(deck_, nullptr);
  EXPECT_FALSE(IsWindowVisible(deck_));
  ASSERT_TRUE(Shows(kStatusLine, "Track 01"));

  // A click on the display turns to the controls; their play key plays.
  const auto click = [&](int x, int y) {
    PostMessageA(compact, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(compact, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  };
  click(70, 15);
  click(60, 20);
  EXPECT_TRUE(Shows(kPlayPause, "Pause"));

  // The show key brings the main deck out, and hides it again.
  click(10, 10);
  EXPECT_TRUE(harness::WaitFor([&] { return IsWindowVisible(deck_) != FALSE; }));
  click(10, 10);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindowVisible(deck_); }));

  // Jubilo closes: the compact deck goes with it, and the hidden player ends.
  jubilo.Close();
  EXPECT_TRUE(sonavo.WaitForExit());
}

// The Load dialog of a player that lives in Jubilo: its compact deck waits, disabled, and a
// Load from it meanwhile opens no second dialog.
TEST_F(SonavoTest, InJubiloTheLoadDialogDisablesTheCompactDeckAndComesOnce) {
  LauncherStandIn jubilo;
  ASSERT_NE(jubilo.Window(), nullptr);
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  HWND compact = jubilo.WaitForChild(107);
  ASSERT_NE(compact, nullptr);
  deck_ = FindWindowA(names::kDeckClass, "Wave Player");
  ASSERT_NE(deck_, nullptr);
  // The compact deck's Load key, as its control face posts it.
  const auto load = [&] { PostMessageA(deck_, WM_COMMAND, MAKEWPARAM(kEject, BN_CLICKED), 0); };
  load();
  HWND open = harness::WaitForWindow("#32770", "Load Wave File/Album", sonavo.Id());
  ASSERT_NE(open, nullptr);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindowEnabled(compact); }));
  load();
  const auto dialogs = [&] {
    int count = 0;
    for (HWND window : harness::TopLevelWindows(sonavo.Id())) {
      count += harness::WindowText(window) == "Load Wave File/Album";
    }
    return count;
  };
  EXPECT_FALSE(harness::WaitFor([&] { return dialogs() > 1; }, harness::Milliseconds(1000)));
  PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(harness::WaitFor([&] { return IsWindowEnabled(compact) != FALSE; }));
}

TEST_F(SonavoTest, InJubiloTheVideoPlayerIsAVideoDeckWhoseKeysTheDeckAnswers) {
  LauncherStandIn jubilo;
  ASSERT_NE(jubilo.Window(), nullptr);
  Program sonavo(MediaFile("SONAVO.EXE"), "/VIDEO");
  HWND video = jubilo.WaitForChild(108);
  ASSERT_NE(video, nullptr);
  EXPECT_EQ(harness::ClassName(video), "VIDEODECK_WCLASS");
  for (int covered : {1108, 1178, 1124}) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(jubilo.Window(), covered))) << covered;
  }
  deck_ = FindWindowA(names::kDeckClass, "Video Player");
  ASSERT_NE(deck_, nullptr);
  EXPECT_FALSE(IsWindowVisible(deck_));
  // Its Load key is the deck's: the open-file dialog comes.
  harness::PressButton(video, kEject);
  HWND open = harness::WaitForWindow("#32770", "Load Video File/Album", sonavo.Id());
  ASSERT_NE(open, nullptr);
  harness::PressButton(open, IDCANCEL);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(open); }));

  jubilo.Close();
  EXPECT_TRUE(sonavo.WaitForExit());
}

TEST_F(SonavoTest, InJubiloAVideoShowsInItsScreenAndADoubleClickTakesItOutAndBack) {
  ASSERT_TRUE(harness::WriteFileBytes("C:\\A.AVI", machine::VideoFileBytes(10, 120, 90)));
  LauncherStandIn jubilo;
  ASSERT_NE(jubilo.Window(), nullptr);
  Program sonavo(MediaFile("SONAVO.EXE"), "/VIDEO /PLAY C:\\A.AVI");
  // The device's window, control 2000, fills Jubilo's screen (56, 49)-(376, 289).
  HWND picture = jubilo.WaitForChild(2000);
  ASSERT_NE(picture, nullptr);
  RECT place{};
  GetWindowRect(picture, &place);
  MapWindowPoints(nullptr, jubilo.Window(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 56);
  EXPECT_EQ(place.top, 49);
  EXPECT_EQ(place.right, 376);
  EXPECT_EQ(place.bottom, 289);

  PostMessageA(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  HWND playback = harness::WaitForWindow("PlaybackWClass", "A.AVI", sonavo.Id());
  ASSERT_NE(playback, nullptr);
  EXPECT_TRUE(harness::WaitFor([&] { return GetParent(picture) == playback; }));
  RECT client{};
  GetClientRect(playback, &client);
  EXPECT_EQ(client.right, 320);  // the size it had in the screen
  EXPECT_EQ(client.bottom, 240);

  // Its zoom items size it from the video's natural size (120 x 90), not the screen's picture.
  SetForegroundWindow(playback);
  PostMessageA(playback, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_NE(harness::WaitForWindow("#32768", "", sonavo.Id()), nullptr);
  harness::PressKeys({'Z', VK_DOWN, VK_RETURN});  // "100%"
  EXPECT_TRUE(harness::WaitFor([&] {
    GetClientRect(playback, &client);
    return client.right == 120 && client.bottom == 90;
  })) << client.right
      << " x " << client.bottom;

  PostMessageA(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(harness::WaitFor([&] { return GetParent(picture) == jubilo.Window(); }));
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindowVisible(playback); }));

  // Out once more and its window closed: the player, which lives in Jubilo, runs on.
  PostMessageA(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  ASSERT_TRUE(harness::WaitFor([&] { return IsWindowVisible(playback) != FALSE; }));
  harness::PressCloseBox(playback);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindowVisible(playback); }));
  EXPECT_FALSE(sonavo.WaitForExit(harness::Milliseconds(1000)));
  PostMessageA(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(harness::WaitFor([&] { return GetParent(picture) == jubilo.Window(); }));

  // Jubilo lets the player go (DeckMsgAttach with no window): the video in its screen closes;
  // the video deck stays until Jubilo closes it.
  HWND deck = FindWindowA(names::kDeckClass, "Video Player");
  ASSERT_NE(deck, nullptr);
  PostMessageA(deck, names::kDeckMsgAttach, 0, 0);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(picture); }));
  HWND videoDeck = GetDlgItem(jubilo.Window(), 108);
  ASSERT_NE(videoDeck, nullptr);
  PostMessageA(videoDeck, WM_CLOSE, 0, 0);
  EXPECT_TRUE(sonavo.WaitForExit());
}

// The real Jubilo: a video handed to the player shows in its screen and nowhere else; the video
// deck's keys pause it where it is, its slider seeks; closing Jubilo ends the player, which
// lived only in it.
TEST_F(SonavoTest, WithTheRealJubiloAVideoShowsOnlyInItsScreenAndThePlayerGoesWithIt) {
  ASSERT_TRUE(harness::WriteFileBytes("C:\\long.avi", machine::VideoFileBytes(100, 160, 120)));
  Program jubilo(MediaFile("JUBILO.EXE"));
  HWND panel = harness::WaitForWindow(names::kLauncherClass, "Marovane Jubilo", jubilo.Id());
  ASSERT_NE(panel, nullptr);
  Program sonavo(MediaFile("SONAVO.EXE"), "/VIDEO C:\\long.avi");
  HWND videoDeck = nullptr;
  ASSERT_TRUE(harness::WaitFor([&] {
    videoDeck = GetDlgItem(panel, 108);
    HWND picture = GetDlgItem(panel, 2000);
    return videoDeck != nullptr && picture != nullptr && IsWindowVisible(videoDeck) &&
           IsWindowVisible(picture);
  }));
  deck_ = FindWindowA(names::kDeckClass, "Video Player");  // hidden: it lives in Jubilo
  ASSERT_NE(deck_, nullptr);
  // Played from the video deck's key; nothing of the player's shows outside the panel.
  harness::PressButton(videoDeck, kPlayPause);
  ASSERT_TRUE(Shows(kPlayPause, "Pause"));
  const auto playerWindowShown = [&] {
    for (HWND window : harness::TopLevelWindows(sonavo.Id())) {
      if (IsWindowVisible(window)) return true;
    }
    return false;
  };
  EXPECT_FALSE(harness::WaitFor(playerWindowShown, harness::Milliseconds(1500)));
  harness::SaveScreenshot(GetDesktopWindow(), "jubilo-video");

  // Paused: it stays where it was, not stopped and back at 00:00.
  ASSERT_TRUE(harness::WaitFor([&] { return SecondsShown() >= 1; }));
  harness::PressButton(videoDeck, kPlayPause);
  ASSERT_TRUE(Shows(kPlayPause, "Play"));
  EXPECT_FALSE(harness::WaitFor([&] { return SecondsShown() == 0; }, harness::Milliseconds(1000)));
  EXPECT_EQ(harness::WindowText(harness::Control(deck_, kStatusLine)), "Paused");

  // Its slider pressed at three quarters: 7 or 8 of 10 seconds, and played on from there.
  HWND slider = GetDlgItem(videoDeck, 1128);
  RECT groove{};
  GetClientRect(slider, &groove);
  const LPARAM threeQuarters = MAKELPARAM(groove.right * 3 / 4, groove.bottom / 2);
  PostMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, threeQuarters);
  PostMessageA(slider, WM_LBUTTONUP, 0, threeQuarters);
  EXPECT_TRUE(harness::WaitFor([&] { return SecondsShown() >= 6 && SecondsShown() <= 8; }))
      << SecondsShown();
  harness::PressButton(videoDeck, kPlayPause);
  ASSERT_TRUE(Shows(kPlayPause, "Pause"));
  EXPECT_TRUE(harness::WaitFor([&] { return SecondsShown() >= 8; })) << SecondsShown();

  // Jubilo closed by its keys: the player that lived only in it ends too.
  SetForegroundWindow(panel);
  EXPECT_TRUE(harness::TypeHotKey(settings::kHotKeyAlt | VK_F4, [&] { return !IsWindow(panel); }));
  EXPECT_TRUE(jubilo.WaitForExit());
  EXPECT_TRUE(sonavo.WaitForExit());
}

// The open-file dialog's own controls: the name edit and file list of the standard dialog,
// and the album panel's.
constexpr int kFileName = 1152;
constexpr int kFileList = 1120;
constexpr int kAlbumToggle = 1081;
constexpr int kAlbumTitle = 1070;
constexpr int kAlbumCount = 1085;

TEST_F(SonavoTest, LoadOnAFilePlayerPlaysTheChosenFile) {
  ASSERT_TRUE(harness::WriteFileBytes("C:\\chosen.wav", machine::WaveFileBytes(1000)));
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  harness::PressButton(deck_, kEject);
  HWND open = harness::WaitForWindow("#32770", "Load Wave File/Album", sonavo.Id());
  ASSERT_NE(open, nullptr);
  // The album panel starts closed: the dialog ends above it.
  EXPECT_EQ(harness::WindowText(harness::Control(open, IDOK)), "Load File");
  EXPECT_EQ(harness::WindowText(harness::Control(open, kAlbumToggle)), "Al&bum >>");
  RECT dialog{}, panel{};
  GetWindowRect(open, &dialog);
  GetWindowRect(harness::Control(open, kAlbumCount), &panel);
  EXPECT_LE(dialog.bottom, panel.top);
  harness::SaveScreenshot(open, "load-wave");
  ASSERT_TRUE(Type(open, kFileName, "C:\\chosen.wav"));
  harness::PressButton(open, IDOK);
  // The file is the album's one entry (the status line soon shows the device's state).
  EXPECT_TRUE(Shows(kEntryField, "01"));
  EXPECT_EQ(harness::ReadProfile(MediaFile("wave.abm"), "P-r-e-v-i-e-w", "1"), "C:\\chosen.wav");
}

TEST_F(SonavoTest, TheAlbumPanelCompilesSavesAndLoadsAnAlbumAndStopsAtNinetyNineFiles) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Songs", nullptr));
  for (int i = 1; i <= 50; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "C:\\Songs\\song%02d.wav", i);
    ASSERT_TRUE(harness::WriteFileBytes(name, machine::WaveFileBytes(i == 2 ? 400 : 200)));
  }
  Set("Wave Player", "SavePath", "C:\\Songs\\");
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  harness::PressButton(deck_, kEject);
  HWND open = harness::WaitForWindow("#32770", "Load Wave File/Album", sonavo.Id());
  ASSERT_NE(open, nullptr);
  const auto holds = [&](int id, const std::string& text) {
    return harness::WaitFor(
        [&] { return harness::WindowText(harness::Control(open, id)) == text; });
  };
  ASSERT_TRUE(harness::WaitFor(
      [&] { return SendDlgItemMessageA(open, kFileList, LB_GETCOUNT, 0, 0) == 50; }));
  harness::PressButton(open, kAlbumToggle);
  EXPECT_TRUE(holds(IDOK, "Load Album"));
  EXPECT_TRUE(holds(kAlbumToggle, "<< &Close"));
  harness::PressButton(open, 1092);  // New
  EXPECT_TRUE(holds(kAlbumTitle, "Album 01"));

  // Add All twice, then once more: the third time stops at 99 with the message.
  harness::PressButton(open, 1084);
  EXPECT_TRUE(holds(kAlbumCount, "50 Files"));
  harness::PressButton(open, 1084);
  const auto full = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->caption, "Wave Player");
  EXPECT_EQ(full->text, "Maximum number of 99 entries reached.");
  PostMessageA(full->window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(holds(kAlbumCount, "99 Files"));
  harness::SaveScreenshot(open, "album-panel");

  // Remove All, then only songs 2 and 3 from the file list.
  harness::PressButton(open, 1074);
  EXPECT_TRUE(holds(kAlbumCount, "0 Files"));
  SendDlgItemMessageA(open, kFileList, LB_SETSEL, FALSE, -1);
  SendDlgItemMessageA(open, kFileList, LB_SETSEL, TRUE, 1);
  SendDlgItemMessageA(open, kFileList, LB_SETSEL, TRUE, 2);
  harness::PressButton(open, 1083);
  EXPECT_TRUE(holds(kAlbumCount, "2 Files"));
  harness::PressButton(open, 1075);  // Save
  const std::string albums = MediaFile("wave.abm");
  // Each value is a write of the whole file: read once the last one is there.
  EXPECT_TRUE(harness::WaitFor(
      [&] { return harness::ReadProfile(albums, "Album 01", "2") == "C:\\Songs\\song03.wav"; }));
  EXPECT_EQ(harness::ReadProfile(albums, "Album 01", "Tracks"), "2");
  EXPECT_EQ(harness::ReadProfile(albums, "List of Albums", "Album 01"), "");
  EXPECT_EQ(harness::ReadProfile(albums, "Album 01", "1"), "C:\\Songs\\song02.wav");

  // OK with the panel open keeps the album with the selected line as its selection.
  HWND lines = harness::Control(open, 1071);
  SendMessageA(lines, LB_SETSEL, FALSE, -1);
  SendMessageA(lines, LB_SETSEL, TRUE, 1);
  harness::PressButton(open, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(open); }));
  EXPECT_TRUE(Shows(kEntryField, "02"));
  EXPECT_EQ(harness::ReadProfile(albums, "Album 01", "Selection"), "2");
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "Wave Player", "MraAlbum"), "Album 01");
}

TEST_F(SonavoTest, SaveAsOpenAndDeleteGoThroughTheirDialogs) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Trip", nullptr));
  ASSERT_TRUE(harness::WriteFileBytes("C:\\Trip\\road.wav", machine::WaveFileBytes(200)));
  Set("Wave Player", "SavePath", "C:\\Trip\\");
  Program sonavo(MediaFile("SONAVO.EXE"), "/WAVE");
  ASSERT_NE(StartPlayer(sonavo, "Wave Player"), nullptr);
  harness::PressButton(deck_, kEject);
  HWND open = harness::WaitForWindow("#32770", "Load Wave File/Album", sonavo.Id());
  ASSERT_NE(open, nullptr);
  const auto holds = [&](int id, const std::string& text) {
    return harness::WaitFor(
        [&] { return harness::WindowText(harness::Control(open, id)) == text; });
  };
  harness::PressButton(open, kAlbumToggle);
  harness::PressButton(open, 1084);  // Add All
  ASSERT_TRUE(holds(kAlbumCount, "1 Files"));

  // Save As proposes the first free name; an empty one is refused.
  harness::PressButton(open, 1076);
  HWND title = harness::WaitForWindow("#32770", "Album Title", sonavo.Id());
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(harness::WaitFor(
      [&] { return harness::WindowText(harness::Control(title, 1080)) == "Album 01"; }));
  harness::SaveScreenshot(title, "album-title");
  ASSERT_TRUE(Type(title, 1080, ""));
  harness::PressButton(title, IDOK);
  // A message posted after the click shows when the click has been handled.
  PostMessageA(harness::Control(title, 1080), EM_LIMITTEXT, 31, 0);
  ASSERT_TRUE(harness::WaitFor(
      [&] { return SendDlgItemMessageA(title, 1080, EM_GETLIMITTEXT, 0, 0) == 31; }));
  EXPECT_TRUE(IsWindow(title));
  // The file's own list's name is refused with a message, and the dialog stays.
  ASSERT_TRUE(Type(title, 1080, "list of albums"));
  harness::PressButton(title, IDOK);
  const auto refusal = harness::WaitForMessageBox(sonavo.Id());
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->caption, "Album Title");
  PostMessageA(refusal->window, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(refusal->window); }));
  EXPECT_TRUE(IsWindow(title));
  ASSERT_TRUE(Type(title, 1080, "Road Trip"));
  harness::PressButton(title, IDOK);
  EXPECT_TRUE(holds(kAlbumTitle, "Road Trip"));
  const std::string albums = MediaFile("wave.abm");
  EXPECT_TRUE(harness::WaitFor(
      [&] { return harness::ReadProfile(albums, "Road Trip", "1") == "C:\\Trip\\road.wav"; }));
  EXPECT_EQ(harness::ReadProfile(albums, "List of Albums", "Road Trip"), "");

  // A new album empties the panel; Open... brings the saved one back.
  harness::PressButton(open, 1092);
  ASSERT_TRUE(holds(kAlbumCount, "0 Files"));
  harness::PressButton(open, 1079);
  HWND select = harness::WaitForWindow("#32770", "Select Album", sonavo.Id());
  ASSERT_NE(select, nullptr);
  ASSERT_EQ(SendDlgItemMessageA(select, 1079, LB_GETCOUNT, 0, 0), 1);
  SendDlgItemMessageA(select, 1079, LB_SETCURSEL, 0, 0);
  harness::PressButton(select, IDOK);
  EXPECT_TRUE(holds(kAlbumTitle, "Road Trip"));
  EXPECT_TRUE(holds(kAlbumCount, "1 Files"));

  harness::PressButton(open, 1080);  // Delete
  EXPECT_TRUE(holds(kAlbumTitle, ""));
  EXPECT_TRUE(holds(kAlbumCount, "0 Files"));
  EXPECT_FALSE(harness::ReadProfile(albums, "List of Albums", "Road Trip").has_value());
  EXPECT_FALSE(harness::ReadProfile(albums, "Road Trip", "Tracks").has_value());
}

}  // namespace

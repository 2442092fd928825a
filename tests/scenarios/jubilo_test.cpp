// Jubilo end to end: the real launcher in the simulated PC, starting the real players, whose
// decks then live in its panel.

#include <windows.h>

#include <gtest/gtest.h>

#include <prsht.h>

#include <string>
#include <vector>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

class JubiloTest : public harness::ScenarioTest {
 protected:
  static std::string MediaFile(const std::string& name) {
    return std::string(layout::kMediaFolder) + "\\" + name;
  }
  HWND StartPanel(Program& jubilo) {
    panel_ = harness::WaitForWindow(names::kLauncherClass, "Marovane Jubilo", jubilo.Id());
    return panel_;
  }

  HWND panel_ = nullptr;
};

TEST_F(JubiloTest, ThePanelIsCutToItsCabinetAndItsCdButtonStartsAPlayerThatLivesInIt) {
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(GetPropA(panel_, names::kDeviceProperty)), 5u);
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(panel_, shape), COMPLEXREGION);
  // The corner of the window beside the cabinet's top is cut away; its middle is not.
  RECT window{};
  GetWindowRect(panel_, &window);
  POINT client{0, 0};
  ClientToScreen(panel_, &client);
  const int dy = client.y - window.top;
  EXPECT_FALSE(PtInRegion(shape, 2, dy + 300));
  EXPECT_TRUE(PtInRegion(shape, 300, dy + 300));
  DeleteObject(shape);

  // A second start brings the first forward and ends.
  Program second(MediaFile("JUBILO.EXE"));
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(jubilo.Running());

  harness::PressButton(panel_, 1105);
  HWND compact = nullptr;
  ASSERT_TRUE(harness::WaitFor([&] {
    compact = GetDlgItem(panel_, 105);
    return compact != nullptr && IsWindowVisible(compact);
  }));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(panel_, 1105)));
  harness::SaveScreenshot(panel_, "jubilo");

  // Closing the panel closes the hidden player that lived in it, and keeps the panel's place.
  HWND player = FindWindowA(names::kDeckClass, "CD Player");
  ASSERT_NE(player, nullptr);
  harness::PressCloseBox(panel_);
  ASSERT_TRUE(jubilo.WaitForExit());
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(player); }));
  EXPECT_TRUE(harness::ReadProfile(MediaFile("MAROVANE.INI"), "Jubilo", "WindowPos").has_value());
}

// AlwaysOnTop is read as the profile API reads a number: "1 ; note" is 1. It is kept at exit.
TEST_F(JubiloTest, AlwaysOnTopReadAsANumberPutsThePanelAboveOthersAndIsKept) {
  WritePrivateProfileStringA("Jubilo", "AlwaysOnTop", "1 ; kept in front",
                             MediaFile("MAROVANE.INI").c_str());
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  EXPECT_TRUE(GetWindowLongA(panel_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  harness::PressCloseBox(panel_);
  ASSERT_TRUE(jubilo.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "Jubilo", "AlwaysOnTop"), "1");
}

// The animation grows the logo (bitmap 201) at three quarters of its width in height and ends at
// twice its size: drawn in 4:3, it is never squeezed and does not jump at the end.
TEST_F(JubiloTest, TheLogoIsDrawnInTheProportionTheAnimationGrowsItIn) {
  HMODULE program =
      LoadLibraryExA(MediaFile("JUBILO.EXE").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  HBITMAP logo = LoadBitmapA(program, MAKEINTRESOURCEA(201));
  ASSERT_NE(logo, nullptr);
  BITMAP facts{};
  GetObjectA(logo, sizeof(facts), &facts);
  EXPECT_EQ(facts.bmWidth * 3 / 4, facts.bmHeight) << facts.bmWidth << " x " << facts.bmHeight;
  DeleteObject(logo);
  FreeLibrary(program);
}

TEST_F(JubiloTest, TheVistrelButtonIsThereOnlyWithVistrel) {
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(panel_, 1172)));
  harness::PressCloseBox(panel_);
  ASSERT_TRUE(jubilo.WaitForExit());

  const std::string vistrel = std::string(layout::kDisplayToolsFolder) + "\\VISTREL.EXE";
  ASSERT_TRUE(DeleteFileA(vistrel.c_str()));
  Program again(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(again), nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(panel_, 1172)));
}

TEST_F(JubiloTest, WithoutItsSkinThePanelSaysSoAndStillWorks) {
  ASSERT_TRUE(DeleteFileA(MediaFile("cabinet.bmp").c_str()));
  Program jubilo(MediaFile("JUBILO.EXE"));
  const auto box = harness::WaitForMessageBox(jubilo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Jubilo");
  EXPECT_EQ(box->text, "Could not open CABINET.BMP.");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  ASSERT_NE(StartPanel(jubilo), nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(panel_, 1105)));
  harness::PressButton(panel_, 1169);
  HWND about = harness::WaitForWindow("#32770", "About Jubilo", jubilo.Id());
  ASSERT_NE(about, nullptr);
  harness::PressButton(about, IDOK);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(about); }));
}

TEST_F(JubiloTest, ASkinCutShortIsRefusedWithItsMessageAndThePanelRunsWithoutIt) {
  const std::string skin = MediaFile("cabinet.bmp");
  HANDLE file = CreateFileA(skin.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  // The headers stay, the pixels go: the header promises what the file no longer holds.
  SetFilePointer(file, 200, nullptr, FILE_BEGIN);
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  Program jubilo(MediaFile("JUBILO.EXE"));
  const auto box = harness::WaitForMessageBox(jubilo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Error loading CABINET.BMP.");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  ASSERT_NE(StartPanel(jubilo), nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(panel_, 1105)));
}

TEST_F(JubiloTest, WithoutTheTimerLibraryBothProgramsSaySoAndThePlayerStillStarts) {
  ASSERT_TRUE(DeleteFileA(MediaFile("TICKORA.DLL").c_str()));
  WritePrivateProfileStringA("Jubilo", "OnWave", "1", MediaFile("MAROVANE.INI").c_str());
  Program jubilo(MediaFile("JUBILO.EXE"));
  const auto box = harness::WaitForMessageBox(jubilo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Jubilo");
  EXPECT_EQ(box->text, "Timer not available, program may not run correctly.");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  // No animation to wait for: the wave player starts at once, and runs on without its timer.
  HWND playerBox = harness::WaitForWindow("#32770", "Wave Player");
  ASSERT_NE(playerBox, nullptr);
  PostMessageA(playerBox, WM_COMMAND, IDOK, 0);
  ASSERT_NE(StartPanel(jubilo), nullptr);
  EXPECT_TRUE(harness::WaitFor([&] {
    HWND compact = GetDlgItem(panel_, 107);
    return compact != nullptr && IsWindowVisible(compact);
  }));
}

TEST_F(JubiloTest, AShowKeyWithoutItsStartKeyStartsNothingAndAStartKeyStartsThePlayer) {
  WritePrivateProfileStringA("Jubilo", "OnMIDIShow", "1", MediaFile("MAROVANE.INI").c_str());
  WritePrivateProfileStringA("Jubilo", "OnWave", "1", MediaFile("MAROVANE.INI").c_str());
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  // The wave player's compact deck comes into the panel; no MIDI player starts.
  HWND compact = nullptr;
  ASSERT_TRUE(harness::WaitFor([&] {
    compact = GetDlgItem(panel_, 107);
    return compact != nullptr && IsWindowVisible(compact);
  }));
  EXPECT_EQ(FindWindowA(names::kDeckClass, "MIDI Player"), nullptr);
}

// While the panel waits for a chosen program's window (the mixer's, which never comes here), its
// keys work as ever; closed meanwhile, it starts none of the programs after that one.
TEST_F(JubiloTest, ClosedWhileWaitingForAProgramThePanelStartsNoMore) {
  ASSERT_TRUE(DeleteFileA(MediaFile("blendora.exe").c_str()));
  for (const char* key : {"OnMixer", "OnMixerShow", "OnVideo"}) {
    WritePrivateProfileStringA("Jubilo", key, "1", MediaFile("MAROVANE.INI").c_str());
  }
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  SetForegroundWindow(panel_);
  ASSERT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == panel_; }));
  // A click cuts the animation short, and the chosen programs start at once.
  PostMessageA(panel_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
  harness::PressKeys({VK_ESCAPE});
  ASSERT_TRUE(jubilo.WaitForExit(harness::Milliseconds(5000)));
  EXPECT_FALSE(harness::WaitFor([] { return FindWindowA(names::kDeckClass, "Video Player"); },
                                harness::Milliseconds(2000)));
}

TEST_F(JubiloTest, TheOptionsSheetRefusesABadIntroLengthAndAppliesToTheRunningPlayer) {
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  harness::PressButton(panel_, 1105);  // a CD player, living in the panel
  HWND player = nullptr;
  ASSERT_TRUE(harness::WaitFor(
      [&] { return (player = FindWindowA(names::kDeckClass, "CD Player")) != nullptr; }));
  harness::PressButton(panel_, 1173);
  HWND sheet = harness::WaitForWindow("#32770", "Configure Options", jubilo.Id());
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(harness::TabCaptions(sheet),
            (std::vector<std::string>{"Jubilo", "Video", "CD", "MIDI", "Wave", "Mixer"}));
  const char* const pages[] = {"jubilo", "video", "cd", "midi", "wave", "mixer"};
  for (int page = 5; page >= 0; --page) {
    SendMessageA(sheet, PSM_SETCURSEL, page, 0);
    harness::SaveScreenshot(sheet, std::string("jubilo-options-") + pages[page]);
  }
  SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
  HWND cd = harness::CurrentPage(sheet);
  ASSERT_NE(cd, nullptr);
  ASSERT_TRUE(harness::WaitFor([&] {
    SetDlgItemTextA(cd, 1209, "20");
    return harness::WindowText(harness::Control(cd, 1209)) == "20";
  }));
  harness::PressButton(sheet, IDOK);
  const auto box = harness::WaitForMessageBox(jubilo.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Invalid value entered for Intro play length.");
  EXPECT_EQ(box->caption, "Jubilo");
  PostMessageA(box->window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(box->window); }));
  EXPECT_TRUE(IsWindow(sheet));

  SetDlgItemTextA(cd, 1209, "12");
  SendDlgItemMessageA(cd, 1180, BM_SETCHECK, BST_CHECKED, 0);  // the player always on top
  harness::PressButton(sheet, IDOK);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(sheet); }));
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "CD Player", "IntroLength"), "12");
  EXPECT_EQ(harness::ReadProfile(MediaFile("MAROVANE.INI"), "CD Player", "AlwaysOnTop"), "1");
  EXPECT_TRUE(harness::WaitFor(
      [&] { return (GetWindowLongPtrA(player, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
}

TEST_F(JubiloTest, AClickCutsTheAnimationShortAndTheChosenPlayersStart) {
  WritePrivateProfileStringA("Jubilo", "OnCD", "1", MediaFile("MAROVANE.INI").c_str());
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  PostMessageA(panel_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
  // Without the click the animation would take its seconds first.
  EXPECT_TRUE(harness::WaitFor([&] { return GetDlgItem(panel_, 105) != nullptr; },
                               harness::Milliseconds(2500)));
  harness::SaveScreenshot(panel_, "jubilo-final");
}

TEST_F(JubiloTest, WithTheVideoPlayerRunningThereIsNoAnimation) {
  Program video(MediaFile("SONAVO.EXE"), "/VIDEO");
  ASSERT_NE(harness::WaitForWindow(names::kDeckClass, "Video Player", video.Id()), nullptr);
  WritePrivateProfileStringA("Jubilo", "OnCD", "1", MediaFile("MAROVANE.INI").c_str());
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  // The chosen player starts at once, and the running video player puts its deck in the panel.
  EXPECT_TRUE(harness::WaitFor([&] { return GetDlgItem(panel_, 105) != nullptr; },
                               harness::Milliseconds(2500)));
  EXPECT_TRUE(harness::WaitFor([&] { return GetDlgItem(panel_, 108) != nullptr; }));
}

TEST_F(JubiloTest, TheMixerButtonStartsTheMixerWhoseDeckLivesInThePanel) {
  Program jubilo(MediaFile("JUBILO.EXE"));
  ASSERT_NE(StartPanel(jubilo), nullptr);
  harness::PressButton(panel_, 1109);
  HWND compact = nullptr;
  ASSERT_TRUE(harness::WaitFor([&] {
    compact = GetDlgItem(panel_, 109);
    return compact != nullptr && IsWindowVisible(compact);
  }));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(panel_, 1109)));
  HWND mixer = FindWindowA("Blendora", nullptr);
  ASSERT_NE(mixer, nullptr);
  // Its options page reaches it: always on top.
  WritePrivateProfileStringA("Mixer", "AlwaysOnTop", "1", MediaFile("MAROVANE.INI").c_str());
  PostMessageA(mixer, names::kDeckMsgReloadSettings, 0, 0);
  EXPECT_TRUE(harness::WaitFor(
      [&] { return (GetWindowLongPtrA(mixer, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  // Closing the panel closes the hidden mixer that lived in it.
  harness::PressCloseBox(panel_);
  ASSERT_TRUE(jubilo.WaitForExit());
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(mixer); }));
}

TEST_F(JubiloTest, WithoutASoundCardOrAPlayerThePanelSaysOnlyWhatItMust) {
  // Jubilo without Wine's audio drivers runs in a PC without a sound card.
  harness::WithoutLibraries("JUBILO.EXE", {"winepulse.drv", "winealsa.drv", "wineoss.drv"});
  Program jubilo(MediaFile("JUBILO.EXE"));
  const auto box = harness::WaitForMessageBox(jubilo.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Jubilo");
  EXPECT_EQ(box->text, "Unable to initialize audio mixer.  Volume controls will not work.");
  harness::PressButton(box->window, IDOK);
  ASSERT_NE(StartPanel(jubilo), nullptr);

  // A player that cannot be started: nothing is said, the panel stays.
  ASSERT_TRUE(DeleteFileA(MediaFile("SONAVO.EXE").c_str()));
  harness::PressButton(panel_, 1105);
  EXPECT_FALSE(harness::WaitForMessageBox(jubilo.Id(), harness::Milliseconds(1000)));
  EXPECT_EQ(GetDlgItem(panel_, 105), nullptr);
  EXPECT_TRUE(jubilo.Running());
}

}  // namespace

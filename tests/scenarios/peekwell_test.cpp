// Peekwell end to end: the real previewer on a folder of AVI files the test writes, good and
// damaged, and the video player it hands a file to.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"
#include "machine/core/sample_media.h"
#include "tests/harness/harness.h"
#include "tests/harness/media_files.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

constexpr int kFolders = 101;
constexpr int kThumbnails = 102;
constexpr int kNames = 104;
constexpr int kCount = 116;
constexpr int kPreview = 118;

// The file's video compressed by a codec no system has.
std::vector<std::uint8_t> UnknownCodec() {
  std::vector<std::uint8_t> bytes = machine::VideoFileBytes(5);
  const std::string handler = "DIB ";
  auto at = std::search(bytes.begin(), bytes.end(), handler.begin(), handler.end());
  std::copy_n("ZZZZ", 4, at);
  const std::string format = "strf";
  at = std::search(bytes.begin(), bytes.end(), format.begin(), format.end());
  std::copy_n("ZZZZ", 4, at + 8 + 16);  // biCompression
  return bytes;
}

// A header that claims a picture 30000 pixels square.
std::vector<std::uint8_t> HugeDimensions() {
  std::vector<std::uint8_t> bytes = machine::VideoFileBytes(5);
  const auto claim = [&](const std::string& chunk, std::size_t offset) {
    auto at = std::search(bytes.begin(), bytes.end(), chunk.begin(), chunk.end()) + 8 + offset;
    for (std::size_t field = 0; field < 2; ++field) {
      for (int i = 0; i < 4; ++i) at[field * 4 + i] = static_cast<std::uint8_t>(30000 >> (8 * i));
    }
  };
  claim("avih", 32);  // dwWidth, dwHeight
  claim("strf", 4);   // biWidth, biHeight
  return bytes;
}

class PeekwellTest : public harness::ScenarioTest {
 protected:
  void SetUp() override {
    harness::ScenarioTest::SetUp();
    ASSERT_TRUE(CreateDirectoryA("C:\\Clips", nullptr));
    ASSERT_TRUE(
        harness::WriteFileBytes("C:\\Clips\\a-good.avi", machine::VideoFileBytes(12, 64, 48)));
    ASSERT_TRUE(harness::WriteFileBytes("C:\\Clips\\b-unknown.avi", UnknownCodec()));
    std::vector<std::uint8_t> cut = machine::VideoFileBytes(12);
    cut.resize(60);
    ASSERT_TRUE(harness::WriteFileBytes("C:\\Clips\\c-truncated.avi", cut));
    ASSERT_TRUE(harness::WriteFileBytes("C:\\Clips\\d-huge.avi", HugeDimensions()));
    WritePrivateProfileStringA("Peekwell", "SavePath", "C:\\Clips", Settings().c_str());
  }
  static std::string Settings() { return std::string(layout::kMediaFolder) + "\\MAROVANE.INI"; }
  // Peekwell's window once Enter went to its first file: from the folder list, Tab past the
  // preview choice to the files; Enter plays the first. Null when the window did not come.
  static HWND PlayFirstFile(const Program& peekwell) {
    HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
    if (window == nullptr) return nullptr;
    SetForegroundWindow(window);
    if (!harness::WaitFor([&] { return GetForegroundWindow() == window; })) return nullptr;
    harness::PressKeys({VK_TAB, VK_TAB, VK_RETURN});
    return window;
  }
  static LRESULT Mark(HWND list, int line) {
    return SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
  }
  // The rows between a line's thumbnail frame (black) and the blue words of its mark, above
  // and below the words, as the screen shows them.
  static std::pair<int, int> RoomAroundMark(HWND list, int line) {
    harness::WaitUntilPainted(list);
    RECT place{}, shown{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&place));
    GetWindowRect(list, &shown);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    OffsetRect(&place, origin.x - shown.left, origin.y - shown.top);
    const int width = shown.right - shown.left;
    const std::vector<std::uint32_t> pixels = harness::ScreenPixels(list);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; };
    int top = place.bottom, bottom = place.top, left = place.right, right = place.left;
    for (int y = place.top; y < place.bottom; ++y) {
      for (int x = place.left; x < place.right; ++x) {
        if (at(x, y) != 0x0000FF) continue;
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
    }
    if (top > bottom) return {-1, 100};  // no mark drawn
    const int column = (left + right) / 2;
    int frameTop = top, frameBottom = bottom;
    while (frameTop > place.top && at(column, frameTop) != 0) --frameTop;
    while (frameBottom < place.bottom - 1 && at(column, frameBottom) != 0) ++frameBottom;
    return {top - frameTop, frameBottom - bottom};
  }
};

TEST_F(PeekwellTest, TheFolderShowsThumbnailsAndMarksAndTheNamesViewKeepsThem) {
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(harness::WindowText(harness::Control(window, kCount)), "4 file(s)");
  HWND thumbnails = harness::Control(window, kThumbnails);
  // Each line's thumbnail is made when it is first drawn.
  ASSERT_TRUE(harness::WaitFor([&] { return Mark(thumbnails, 2) != 0; }));
  const LRESULT good = Mark(thumbnails, 0);
  EXPECT_GT(good, 0);
  EXPECT_EQ(Mark(thumbnails, 1), -1);  // no decompressor
  EXPECT_EQ(Mark(thumbnails, 2), -2);  // not a video file
  // A header that lies about its size is marked too, without a crash or a hang.
  ASSERT_TRUE(harness::WaitFor([&] { return Mark(thumbnails, 3) != 0; }));
  EXPECT_LT(Mark(thumbnails, 3), 0);
  EXPECT_TRUE(peekwell.Running());
  harness::SaveScreenshot(window, "peekwell-thumbnails");
  for (int line : {1, 2}) {
    const auto [above, below] = RoomAroundMark(thumbnails, line);
    EXPECT_LE(std::abs(above - below), 3)
        << "line " << line << ": " << above << " above, " << below << " below";
  }

  // "Filename Only" and back to the same frame: the thumbnails stay.
  const auto choose = [&](int choice) {
    SendDlgItemMessageA(window, kPreview, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kPreview, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(harness::Control(window, kPreview)));
  };
  choose(5);
  ASSERT_TRUE(harness::WaitFor([&] { return IsWindowVisible(harness::Control(window, kNames)); }));
  harness::SaveScreenshot(window, "peekwell-names");
  choose(0);
  ASSERT_TRUE(harness::WaitFor([&] { return IsWindowVisible(thumbnails) != FALSE; }));
  EXPECT_EQ(Mark(thumbnails, 0), good);
  // Another frame choice makes them anew, the marks kept.
  choose(2);
  EXPECT_TRUE(harness::WaitFor([&] { return Mark(thumbnails, 0) != good; }));
  EXPECT_EQ(Mark(thumbnails, 1), -1);
}

// The arrows move the selection in the list that has the focus, and Enter plays the file
// selected, which stays selected.
TEST_F(PeekwellTest, TheArrowKeysMoveTheSelectionAndEnterPlaysTheFileSelected) {
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
  ASSERT_NE(window, nullptr);
  HWND thumbnails = harness::Control(window, kThumbnails);
  SetForegroundWindow(window);
  ASSERT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == window; }));
  harness::PressKeys({VK_TAB, VK_TAB});
  ASSERT_TRUE(harness::WaitFor([&] { return harness::FocusOf(window) == thumbnails; }));
  // Shift+Tab goes back to the frame choice, Tab forward again.
  EXPECT_TRUE(harness::TypeHotKey(settings::kHotKeyShift | VK_TAB, [&] {
    return harness::FocusOf(window) == harness::Control(window, kPreview);
  })) << GetDlgCtrlID(harness::FocusOf(window));
  harness::PressKeys({VK_TAB});
  ASSERT_TRUE(harness::WaitFor([&] { return harness::FocusOf(window) == thumbnails; }));
  const auto selected = [&] { return SendMessageA(thumbnails, LB_GETCURSEL, 0, 0); };
  harness::PressKeys({VK_HOME, VK_DOWN, VK_DOWN});
  EXPECT_TRUE(harness::WaitFor([&] { return selected() == 2; })) << selected();
  harness::PressKeys({VK_UP});
  EXPECT_TRUE(harness::WaitFor([&] { return selected() == 1; })) << selected();
  harness::PressKeys({VK_END});
  EXPECT_TRUE(harness::WaitFor([&] { return selected() == 3; })) << selected();
  // A letter goes to the first name that begins with it.
  harness::PressKeys({'C'});
  EXPECT_TRUE(harness::WaitFor([&] { return selected() == 2; })) << selected();
  harness::PressKeys({VK_HOME, VK_RETURN});
  EXPECT_NE(harness::WaitForWindow("PlaybackWClass", "a-good.avi"), nullptr);
  EXPECT_EQ(selected(), 0);
}

// The corpus of files that other encoders made, browsed as a user does: each file the system
// can decode has its thumbnail, the motion JPEG file the decompressor's mark; the frame choice
// goes to "Filename Only" by the keyboard.
TEST_F(PeekwellTest, TheCorpusOfOtherEncodersFilesShowsTheirThumbnailsAndNames) {
  const std::vector<std::string> files{"cinepak",       "motion jpeg",  "msvideo1",  "one frame",
                                       "raw bottom-up", "raw top-down", "with sound"};
  ASSERT_TRUE(CreateDirectoryA("C:\\Corpus", nullptr));
  for (const std::string& file : files) {
    ASSERT_TRUE(CopyFileA((std::string(MEDIA_CORPUS) + "/" + file + ".avi").c_str(),
                          ("C:\\Corpus\\" + file + ".avi").c_str(), FALSE))
        << file;
  }
  WritePrivateProfileStringA("Peekwell", "SavePath", "C:\\Corpus", Settings().c_str());
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(harness::WindowText(harness::Control(window, kCount)), "7 file(s)");
  HWND thumbnails = harness::Control(window, kThumbnails);
  // The lines in sight: three columns of two.
  ASSERT_TRUE(harness::WaitFor([&] { return Mark(thumbnails, 5) != 0; }));
  for (int line = 0; line < 6; ++line) {
    if (files[static_cast<std::size_t>(line)] == "motion jpeg") {
      EXPECT_EQ(Mark(thumbnails, line), -1);
    } else {
      EXPECT_GT(Mark(thumbnails, line), 0) << files[static_cast<std::size_t>(line)];
    }
  }
  harness::SaveScreenshot(window, "peekwell-corpus-thumbnails");
  SetForegroundWindow(window);
  ASSERT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == window; }));
  harness::PressKeys({VK_TAB, VK_END});
  ASSERT_TRUE(harness::WaitFor([&] { return IsWindowVisible(harness::Control(window, kNames)); }));
  EXPECT_EQ(harness::ComboSelectedText(window, kPreview), "Filename Only");
  // The folder list keeps its line: the Tab that left it moved nothing there.
  EXPECT_EQ(SendDlgItemMessageA(window, kFolders, LB_GETCURSEL, 0, 0), 1);
  HWND names = harness::Control(window, kNames);
  ASSERT_EQ(SendMessageA(names, LB_GETCOUNT, 0, 0), 7);
  EXPECT_EQ(harness::ListLineText(names, 6), "with sound.avi");
  harness::SaveScreenshot(window, "peekwell-corpus-names");
}

TEST_F(PeekwellTest, AnEmptyFolderCountsNothingAndPlayVideoHandsTheFileToThePlayer) {
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = PlayFirstFile(peekwell);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(harness::WaitForWindow("PlaybackWClass", "a-good.avi"), nullptr);
  harness::PressCloseBox(window);
  ASSERT_TRUE(peekwell.WaitForExit());
  EXPECT_EQ(harness::ReadProfile(Settings(), "Peekwell", "SavePath"), "C:\\Clips");

  ASSERT_TRUE(CreateDirectoryA("C:\\Empty", nullptr));
  WritePrivateProfileStringA("Peekwell", "SavePath", "C:\\Empty", Settings().c_str());
  Program again(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND second = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", again.Id());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(harness::WindowText(harness::Control(second, kCount)), "0 file(s)");
  // The folder list has the focus; Enter there opens the chosen folder rather than playing.
  SetForegroundWindow(second);
  ASSERT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == second; }));
  SendDlgItemMessageA(second, 101, LB_SETCURSEL, 0, 0);  // "C:\"
  harness::PressKeys({VK_RETURN});
  EXPECT_TRUE(harness::WaitFor([&] {
    return harness::WindowText(harness::Control(second, 111)) == "C:\\";
  })) << harness::WindowText(harness::Control(second, 111));
}

// A first start, without a window place or a frame choice of its own: the window is centred on
// the screen and the thumbnails show the first frame. A folder whose name has a blank plays.
TEST_F(PeekwellTest, AFirstStartIsCentredOnTheFirstFrameAndAFolderWithBlanksPlays) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Sample Films", nullptr));
  ASSERT_TRUE(harness::WriteFileBytes("C:\\Sample Films\\sunrise.avi", machine::VideoFileBytes(6)));
  WritePrivateProfileStringA("Peekwell", "SavePath", "C:\\Sample Films", Settings().c_str());
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = PlayFirstFile(peekwell);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(window, kPreview), "First Frame");
  RECT place{};
  GetWindowRect(window, &place);
  EXPECT_LE(std::abs(place.left + place.right - GetSystemMetrics(SM_CXSCREEN)), 1) << place.left;
  EXPECT_LE(std::abs(place.top + place.bottom - GetSystemMetrics(SM_CYSCREEN)), 1) << place.top;
  EXPECT_NE(harness::WaitForWindow("PlaybackWClass", "sunrise.avi"), nullptr);
  const DWORD player = [] {
    DWORD id = 0;
    GetWindowThreadProcessId(FindWindowA("PlaybackWClass", nullptr), &id);
    return id;
  }();
  EXPECT_FALSE(harness::WaitForMessageBox(player, harness::Milliseconds(500)));
}

// Another drive lists its current folder, so that going back to a drive comes back to where the
// user was; a second start shows the running window with its own show command.
TEST_F(PeekwellTest, ADriveComesBackToItsFolderAndASecondStartShowsTheFirstAsAsked) {
  const std::string path = std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE";
  Program peekwell(path);
  HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  ASSERT_TRUE(harness::WaitFor([&] { return GetForegroundWindow() == window; }));
  // From the folder list round the dialog's controls to the drives, then a drive by its letter.
  HWND drives = harness::Control(window, 100);
  harness::PressKeys({VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB});
  ASSERT_TRUE(harness::WaitFor([&] { return harness::FocusOf(window) == drives; }))
      << GetDlgCtrlID(harness::FocusOf(window));
  const auto folderIs = [&](const char* folder) {
    return harness::WaitFor([&] {
      return lstrcmpiA(harness::WindowText(harness::Control(window, 111)).c_str(), folder) == 0;
    });
  };
  harness::PressKeys({'A'});
  EXPECT_TRUE(folderIs("A:\\")) << harness::WindowText(harness::Control(window, 111));
  harness::PressKeys({'C'});
  EXPECT_TRUE(folderIs("C:\\Clips")) << harness::WindowText(harness::Control(window, 111));

  Program second(path, "", SW_SHOWMINNOACTIVE);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(harness::WaitFor([&] { return IsIconic(window) != FALSE; }));
  Program third(path, "", SW_SHOWNORMAL);
  EXPECT_TRUE(third.WaitForExit());
  EXPECT_TRUE(harness::WaitFor([&] { return !IsIconic(window); }));
}

TEST_F(PeekwellTest, PlayVideoWithoutThePlayerSaysNothing) {
  ASSERT_TRUE(DeleteFileA((std::string(layout::kMediaFolder) + "\\SONAVO.EXE").c_str()));
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  ASSERT_NE(PlayFirstFile(peekwell), nullptr);
  EXPECT_FALSE(harness::WaitForMessageBox(peekwell.Id(), harness::Milliseconds(1000)));
  EXPECT_EQ(FindWindowA("PlaybackWClass", nullptr), nullptr);
  EXPECT_TRUE(peekwell.Running());
}

TEST_F(PeekwellTest, WithJubiloTheBrowserDeckTakesTheBrowseButtonsPlace) {
  Program jubilo(std::string(layout::kMediaFolder) + "\\JUBILO.EXE");
  HWND panel = harness::WaitForWindow(names::kLauncherClass, "Marovane Jubilo", jubilo.Id());
  ASSERT_NE(panel, nullptr);
  Program peekwell(std::string(layout::kMediaFolder) + "\\PEEKWELL.EXE");
  HWND window = harness::WaitForWindow("Peekwell", "Peekwell 2.0.a", peekwell.Id());
  ASSERT_NE(window, nullptr);
  HWND deck = nullptr;
  ASSERT_TRUE(harness::WaitFor([&] {
    deck = GetDlgItem(panel, 110);
    return deck != nullptr && IsWindowVisible(deck);
  }));
  EXPECT_EQ(harness::ClassName(deck), "BROWSER_DECK_WCLASS");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(panel, 1110)));
  const auto press = [&](int x, int y) {
    PostMessageA(deck, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(deck, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  };
  press(100, 15);  // the second area hides Peekwell, and shows it again
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindowVisible(window); }));
  press(100, 15);
  EXPECT_TRUE(harness::WaitFor([&] { return IsWindowVisible(window) != FALSE; }));
  press(20, 15);  // the first does nothing
  press(60, 15);  // closes Peekwell; the Browse button is back
  ASSERT_TRUE(peekwell.WaitForExit());
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(panel, 1110)));
}

}  // namespace

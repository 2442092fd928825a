// The simulated monitor end to end: MONITOR.EXE draws what a CRT on the card shows, with a
// desktop larger than the viewport, panned by the card or held by the pan lock.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "common/display/display_escape.h"
#include "machine/core/monitor_picture.h"
#include "machine/win32/directdraw_host.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"
#include "tests/harness/harness.h"
#include "tests/harness/overlay_video.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

constexpr COLORREF kTopLeft = RGB(0, 255, 255);
constexpr COLORREF kBottomRight = RGB(255, 0, 255);
constexpr COLORREF kElsewhere = RGB(128, 128, 128);

// A 24-bit picture as MONITOR.EXE writes it.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;

  COLORREF At(int x, int y) const {
    const std::uint32_t offset = bytes[10] | bytes[11] << 8 | bytes[12] << 16;
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::size_t at = offset + static_cast<std::size_t>(height - 1 - y) * rowBytes + x * 3;
    return RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
  }
};

bool Near(COLORREF a, COLORREF b) {
  const auto close = [](int x, int y) { return x - y < 40 && y - x < 40; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
         close(GetBValue(a), GetBValue(b));
}

// A window over the whole 1024 x 768 desktop with a mark in two of its corners.
LRESULT CALLBACK MarkedDesktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const auto fill = [&](RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
  };
  fill({0, 0, 1024, 768}, kElsewhere);
  fill({0, 0, 200, 150}, kTopLeft);
  fill({824, 618, 1024, 768}, kBottomRight);
  EndPaint(window, &paint);
  return 0;
}

class MonitorTest : public harness::ScenarioTest {
 protected:
  void SetUp() override {
    ScenarioTest::SetUp();
    if (HasFatalFailure()) return;
    Configure("Display", "Mode", "1024,768,8");
    Boot();
    WritePrivateProfileStringA("Marovane", "ScreenResolution", "800,600", "system.ini");
    // The marks live on a thread of their own, which paints them while the test waits.
    marker_ = std::thread([this] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = MarkedDesktopProc;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = "MarkedDesktop";
      RegisterClassA(&windowClass);
      marks_ = CreateWindowExA(WS_EX_TOPMOST, "MarkedDesktop", "", WS_POPUP | WS_VISIBLE, 0, 0,
                               1024, 768, nullptr, nullptr, windowClass.hInstance, nullptr);
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    });
    ASSERT_TRUE(harness::WaitFor([this] { return marks_ != nullptr; }));
    harness::WaitUntilPainted(marks_);
  }
  void TearDown() override {
    if (marks_ != nullptr) PostMessageA(marks_, WM_CLOSE, 0, 0);
    if (marker_.joinable()) marker_.join();
  }

  // What the monitor shows now, drawn by MONITOR.EXE into a file.
 public:
  static Picture Photograph() {
    const std::string path = machine::WindowsFolder() + "\\monitor.bmp";
    DeleteFileA(path.c_str());
    Program monitor(harness::OwnFolder() + "\\MONITOR.EXE", "/picture " + path);
    Picture picture;
    if (!monitor.WaitForExit() || monitor.ExitCode() != 0) return picture;
    std::ifstream file(path, std::ios::binary);
    picture.bytes.assign(std::istreambuf_iterator<char>(file), {});
    if (picture.bytes.size() < 54) return picture;
    picture.width = picture.bytes[18] | picture.bytes[19] << 8;
    picture.height = picture.bytes[22] | picture.bytes[23] << 8;
    return picture;
  }
  // Where the card's timing puts the picture on the monitor's glass.
  static machine::PixelRect Place(const Picture& picture) {
    const machine::SharedState* state = machine::State();
    const machine::TubePicture tube = machine::PlacePicture(
        machine::DecodeTiming(state->card.registers.crtc), state->card.registers.refreshHz);
    return machine::PictureOn(machine::GlassIn(picture.width, picture.height), tube);
  }
  // The colour at (fx, fy) of the displayed picture, in fractions of it.
  static COLORREF PictureAt(const Picture& picture, double fx, double fy) {
    const machine::PixelRect place = Place(picture);
    return picture.At(place.left + static_cast<int>((place.right - place.left) * fx),
                      place.top + static_cast<int>((place.bottom - place.top) * fy));
  }
  // The monitor's last picture among the scenarios' screenshots.
  static void KeepPicture(const std::string& name) {
    char folder[MAX_PATH] = "";
    if (GetEnvironmentVariableA("MAROVANE_SCREENSHOTS", folder, MAX_PATH) == 0) return;
    CopyFileA((machine::WindowsFolder() + "\\monitor.bmp").c_str(),
              (std::string(folder) + "\\" + name + ".bmp").c_str(), FALSE);
  }

 protected:
  std::atomic<HWND> marks_{nullptr};
  std::thread marker_;
};

TEST_F(MonitorTest, PanningToACornerShowsThatCorner) {
  machine::PanViewport(0, 0);
  Picture picture = Photograph();
  ASSERT_GT(picture.width, 0);
  EXPECT_TRUE(Near(PictureAt(picture, 0.05, 0.05), kTopLeft));
  EXPECT_TRUE(Near(PictureAt(picture, 0.95, 0.95), kElsewhere));

  machine::PanViewport(224, 168);
  picture = Photograph();
  EXPECT_TRUE(Near(PictureAt(picture, 0.95, 0.95), kBottomRight));
  EXPECT_TRUE(Near(PictureAt(picture, 0.05, 0.05), kElsewhere));
  harness::SaveScreenshot(marks_, "monitor-marked-desktop");
}

TEST_F(MonitorTest, WithThePanLockPushingThePointerChangesNothing) {
  machine::PanViewport(0, 0);
  const std::vector<std::uint8_t> lock = escape::PanLockBlock(true);
  machine::ExtEscape(nullptr, escape::kDisplayEscape, static_cast<int>(lock.size()),
                     reinterpret_cast<const char*>(lock.data()), 0, nullptr);
  const Picture before = Photograph();
  machine::FollowPointer({1023, 767});
  EXPECT_EQ(Photograph().bytes, before.bytes);

  const std::vector<std::uint8_t> unlock = escape::PanLockBlock(false);
  machine::ExtEscape(nullptr, escape::kDisplayEscape, static_cast<int>(unlock.size()),
                     reinterpret_cast<const char*>(unlock.data()), 0, nullptr);
  machine::FollowPointer({1023, 767});
  EXPECT_TRUE(Near(PictureAt(Photograph(), 0.95, 0.95), kBottomRight));
}

// A video overlay shown through the DirectDraw driver at twice its size, keyed on its own white:
// the monitor shows it over the desktop where its window is, its red half at twice the width,
// and the desktop through its white half.
TEST_F(MonitorTest, AnOverlayShowsOverTheDesktopScaledAndKeyedAsItsRegistersSay) {
  machine::PanViewport(0, 0);
  machine::DirectDrawHost host;
  ASSERT_TRUE(host.Load(harness::OwnFolder() + "\\BLITVANE.DLL"));
  machine::HostSurface* screen = host.Surface(0, 1024, 768, DDSCAPS_PRIMARYSURFACE);
  machine::HostSurface* video = harness::WhiteAndRedVideo(host, 2 * 1024 * 768);
  video->local.ddckCKSrcOverlay = {0xEB8080, 0xEB8080};
  ASSERT_EQ(host.UpdateOverlay(video, {0, 0, 160, 120}, screen, {300, 300, 620, 540},
                               DDOVER_SHOW | DDOVER_KEYSRC),
            DD_OK);
  const Picture picture = Photograph();
  ASSERT_GT(picture.width, 0);
  KeepPicture("monitor-overlay");
  const auto red = [](COLORREF colour) {
    return GetRValue(colour) > 0xE0 && GetGValue(colour) < 0x20 && GetBValue(colour) < 0x20;
  };
  // In fractions of the 800 x 600 viewport.
  EXPECT_TRUE(red(PictureAt(picture, 500 / 800.0, 420 / 600.0)));
  EXPECT_TRUE(red(PictureAt(picture, 610 / 800.0, 530 / 600.0)));
  EXPECT_TRUE(Near(PictureAt(picture, 380 / 800.0, 420 / 600.0), kElsewhere));  // keyed white
  EXPECT_TRUE(Near(PictureAt(picture, 640 / 800.0, 420 / 600.0), kElsewhere));  // beside it
  EXPECT_TRUE(Near(PictureAt(picture, 500 / 800.0, 560 / 600.0), kElsewhere));  // below it
}

// The Screen Adjustment page's steps as the user sees them on the monitor.
class MonitorAdjustmentTest : public harness::ScenarioTest {};

TEST_F(MonitorAdjustmentTest, TheScreenAdjustmentPageMovesThePictureAndResetBringsItBack) {
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 1);
  ASSERT_NE(page, nullptr);
  const Picture before = MonitorTest::Photograph();
  MonitorTest::KeepPicture("monitor-centred");
  const machine::PixelRect centred = MonitorTest::Place(before);
  // The default mode's picture is centred on the glass.
  const machine::PixelRect glass = machine::GlassIn(before.width, before.height);
  EXPECT_NEAR(centred.left - glass.left, glass.right - centred.right, 3);

  for (int step = 0; step < 6; ++step) SendMessageA(page, WM_COMMAND, IDC_STEP_LEFT, 0);
  for (int step = 0; step < 4; ++step) SendMessageA(page, WM_COMMAND, IDC_STEP_VSHR, 0);
  const machine::PixelRect moved = MonitorTest::Place(MonitorTest::Photograph());
  MonitorTest::KeepPicture("monitor-adjusted");
  EXPECT_LT(moved.left, centred.left - 20);
  EXPECT_LT(moved.bottom - moved.top, centred.bottom - centred.top);

  SendMessageA(page, WM_COMMAND, IDC_RESET_TIMING, 0);
  const machine::PixelRect reset = MonitorTest::Place(MonitorTest::Photograph());
  EXPECT_EQ(reset.left, centred.left);
  EXPECT_EQ(reset.bottom - reset.top, centred.bottom - centred.top);
}

}  // namespace

// BLITVANE.DLL driven as DirectDraw drives it, on the simulated card: pixels in video memory
// after fills and copies, flips against the retrace, the status queries' timing, the overlay in
// the picture the streams processor composes, and two processes driving the card at once.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "blitvane/core/hal_logic.h"
#include "machine/core/shared_state.h"
#include "machine/win32/directdraw_host.h"
#include "machine/win32/screen.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"
#include "tests/harness/harness.h"
#include "tests/harness/overlay_video.h"

namespace {

using blitvane::kOk;
using blitvane::kWasStillDrawing;
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

// The default PC: 800 x 600 at 8 bits, 60 Hz, a Trio64V+.
class BlitvaneTest : public testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA((machine::WindowsFolder() + "\\" + machine::kConfigFile).c_str());
    machine::Boot();
    ASSERT_TRUE(host.Load(harness::OwnFolder() + "\\BLITVANE.DLL"));
    screen = host.Surface(0, 800, 600, DDSCAPS_PRIMARYSURFACE);
    // Measured once here, so that the tests' timing is the requests' own.
    host.GetFlipStatus(screen, DDGFS_ISFLIPDONE);
  }
  static std::uint8_t& Pixel(int x, int y) {
    return machine::FrameBuffer()[static_cast<std::size_t>(y) * 800 + x];
  }
  static bool InRetrace() { return machine::InPort(0x3DA) & 0x08; }
  // Spins until the retrace bit is `inside`, as a driver polls it (at most a second).
  static void WaitForRetrace(bool inside) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(1);
    while (InRetrace() != inside && Clock::now() < deadline) {
    }
  }
  // A slow frame with a long retrace (10 Hz, 15 lines of sync), so that a request made right
  // after the retrace began lands inside it however the processes are scheduled.
  static void SlowRetrace() {
    machine::CardRegisters& registers = machine::State()->card.registers;
    registers.refreshHz = 10;
    registers.crtc[0x11] = static_cast<std::uint8_t>((registers.crtc[0x11] & 0xF0) |
                                                     ((registers.crtc[0x10] - 1) & 0x0F));
  }
  // Until the engine has drawn (the pixels are there at once; the status follows the chip).
  void WaitForEngine() {
    harness::WaitFor([&] { return host.GetBltStatus(screen, DDGBS_ISBLTDONE) == kOk; });
  }

  // A 160 x 120 YUY2 overlay after two screens: white on the left half, red on the right.
  machine::HostSurface* Video() { return harness::WhiteAndRedVideo(host, 2 * 800 * 600); }
  // The screen grey (palette entry 1), with a rectangle of magenta (entry 7).
  void GreyScreenWithMagenta(RECTL magenta) {
    machine::OutPort(0x3C8, 1);
    for (std::uint8_t component : {32, 32, 32}) machine::OutPort(0x3C9, component);
    machine::OutPort(0x3C8, 7);
    for (std::uint8_t component : {63, 0, 63}) machine::OutPort(0x3C9, component);
    host.Fill(screen, {0, 0, 800, 600}, 1);
    WaitForEngine();
    host.Fill(screen, magenta, 7);
    WaitForEngine();
  }
  HRESULT Show(machine::HostSurface* video, RECTL to, DWORD flags = 0,
               const DDOVERLAYFX* effects = nullptr) {
    return host.UpdateOverlay(video, {0, 0, 160, 120}, screen, to, DDOVER_SHOW | flags, effects);
  }
  static std::uint32_t Register(std::uint32_t offset) {
    return machine::StreamsRegisters(machine::RegisterAperture())[offset];
  }

  machine::DirectDrawHost host;
  machine::HostSurface* screen = nullptr;
};

constexpr std::uint32_t kGrey = 0x808080, kMagenta = 0xFC00FC, kWhite = 0xFFFFFF;

// Whether a composed pixel is the red of the video (its conversion rounds a component or two).
bool IsRed(std::uint32_t colour) {
  return (colour >> 16) > 0xF0 && (colour >> 8 & 0xFF) < 0x10 && (colour & 0xFF) < 0x10;
}

TEST_F(BlitvaneTest, AYuy2OverlayAppearsInItsWindowInItsColoursAtItsSizeAndTwiceIt) {
  GreyScreenWithMagenta({0, 0, 0, 0});
  machine::HostSurface* video = Video();
  ASSERT_EQ(Show(video, {100, 100, 260, 220}), kOk);
  machine::Picture shown = machine::CardPictureNow();
  EXPECT_EQ(shown.At(100, 100), kWhite);
  EXPECT_EQ(shown.At(179, 219), kWhite);
  EXPECT_TRUE(IsRed(shown.At(180, 100)));
  EXPECT_TRUE(IsRed(shown.At(259, 219)));
  EXPECT_EQ(shown.At(99, 150), kGrey);
  EXPECT_EQ(shown.At(260, 150), kGrey);
  EXPECT_EQ(shown.At(150, 99), kGrey);
  EXPECT_EQ(shown.At(150, 220), kGrey);

  ASSERT_EQ(Show(video, {100, 100, 420, 340}), kOk);
  shown = machine::CardPictureNow();
  EXPECT_EQ(shown.At(100, 100), kWhite);
  EXPECT_EQ(shown.At(256, 339), kWhite);
  EXPECT_TRUE(IsRed(shown.At(262, 100)));
  EXPECT_TRUE(IsRed(shown.At(419, 339)));
  EXPECT_EQ(shown.At(420, 200), kGrey);
  EXPECT_EQ(shown.At(200, 340), kGrey);

  ASSERT_EQ(host.UpdateOverlay(video, {0, 0, 160, 120}, screen, {100, 100, 420, 340}, DDOVER_HIDE),
            kOk);
  EXPECT_EQ(machine::CardPictureNow().At(200, 200), kGrey);
}

TEST_F(BlitvaneTest, TheOverlaysKeysShowItOnlyWhereTheyAllow) {
  GreyScreenWithMagenta({150, 150, 200, 200});
  machine::HostSurface* video = Video();
  // Destination key: only where the screen is magenta.
  DDOVERLAYFX effects{};
  effects.dwSize = sizeof(effects);
  effects.dckDestColorkey = {7, 7};
  ASSERT_EQ(Show(video, {100, 100, 260, 220}, DDOVER_KEYDESTOVERRIDE, &effects), kOk);
  EXPECT_EQ(Register(0x81A0), 0x05000000u);
  machine::Picture shown = machine::CardPictureNow();
  EXPECT_EQ(shown.At(160, 160), kWhite);
  EXPECT_TRUE(IsRed(shown.At(190, 190)));
  EXPECT_EQ(shown.At(120, 120), kGrey);
  EXPECT_EQ(shown.At(240, 200), kGrey);

  // Source key, the surface's own: the screen shows through the white.
  video->local.ddckCKSrcOverlay = {0xEB8080, 0xEB8080};
  ASSERT_EQ(Show(video, {100, 100, 260, 220}, DDOVER_KEYSRC), kOk);
  EXPECT_EQ(Register(0x81A0), 0x06000000u);
  shown = machine::CardPictureNow();
  EXPECT_EQ(shown.At(120, 120), kGrey);
  EXPECT_EQ(shown.At(160, 160), kMagenta);
  EXPECT_TRUE(IsRed(shown.At(240, 200)));

  // Without a key, over everything.
  ASSERT_EQ(Show(video, {100, 100, 260, 220}), kOk);
  EXPECT_EQ(Register(0x81A0), 0u);
  EXPECT_EQ(machine::CardPictureNow().At(160, 160), kWhite);
}

TEST_F(BlitvaneTest, ASurfaceThatDoesNotOwnTheOverlayLeavesTheHardwareAlone) {
  GreyScreenWithMagenta({0, 0, 0, 0});
  machine::HostSurface* video = Video();
  ASSERT_EQ(Show(video, {100, 100, 260, 220}), kOk);
  const std::uint32_t start = Register(0x81F8), control = Register(0x8190);
  machine::HostSurface* other =
      host.Surface(2 * 800 * 600 + 320 * 120, 160, 120, DDSCAPS_OVERLAY, 320);
  other->local.dwFlags = video->local.dwFlags;
  other->global.ddpfSurface = video->global.ddpfSurface;
  EXPECT_EQ(Show(other, {0, 0, 320, 240}), blitvane::kOverlayTaken);
  EXPECT_EQ(host.SetOverlayPosition(other, 0, 0), kOk);
  EXPECT_EQ(host.UpdateOverlay(other, {0, 0, 160, 120}, screen, {0, 0, 160, 120}, DDOVER_HIDE),
            kOk);
  EXPECT_EQ(Register(0x81F8), start);
  EXPECT_EQ(Register(0x8190), control);
  EXPECT_EQ(machine::CardPictureNow().At(120, 120), kWhite);
  // The two surfaces hold records of their own.
  EXPECT_NE(other->local.dwReserved1, 0u);
  EXPECT_NE(other->local.dwReserved1, video->local.dwReserved1);
}

TEST_F(BlitvaneTest, ASurfaceHiddenFirstAndAnotherShownAfterHoldRecordsOfTheirOwn) {
  // At video memory's start its address is 0; its record is in use all the same.
  machine::HostSurface* first = host.Surface(0, 160, 120, DDSCAPS_OVERLAY, 320);
  first->local.dwFlags |= DDRAWISURF_HASPIXELFORMAT;
  first->global.ddpfSurface = Video()->global.ddpfSurface;
  ASSERT_EQ(host.UpdateOverlay(first, {0, 0, 160, 120}, screen, {0, 0, 160, 120}, DDOVER_HIDE),
            kOk);
  machine::HostSurface* second = Video();
  ASSERT_EQ(Show(second, {0, 0, 160, 120}), kOk);
  EXPECT_NE(first->local.dwReserved1, second->local.dwReserved1);
}

TEST_F(BlitvaneTest, TwoProcessesDrawFlipAndShowTheOverlayWithoutDisturbingEachOther) {
  // Another process draws its scene, flips and shows its overlay, and ends; this process's data
  // block is its own, untouched by the other's.
  const machine::DriverData before = host.Data();
  const std::string picture = machine::WindowsFolder() + "\\scene.bmp";
  harness::RunMachineTool("directdraw BLITVANE.DLL " + picture);
  ASSERT_NE(GetFileAttributesA(picture.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(std::memcmp(&before, &host.Data(), sizeof(before)), 0);
  // This one's surfaces are where they were.
  EXPECT_EQ(host.Fill(screen, {0, 0, 16, 16}, 0x42), kOk);
  EXPECT_EQ(Pixel(15, 15), 0x42);
  machine::HostSurface* back = host.Surface(800 * 608, 800, 600, DDSCAPS_PRIMARYSURFACE);
  WaitForEngine();
  harness::WaitFor([&] { return host.Flip(screen, back) == kOk; });
  EXPECT_EQ(Register(0x81C0), 800u * 608u);
  // The overlay went with the process that owned it.
  EXPECT_EQ(Show(Video(), {0, 0, 160, 120}), kOk);
}

TEST_F(BlitvaneTest, FillsUseTheWholeColourAtThirtyTwoBitsAndOnDeeperSurfaces) {
  // An 8-bit screen: a 32-bit surface's pixel is four screen pixels.
  machine::HostSurface* deep = host.Surface(800 * 600, 100, 10, DDSCAPS_OFFSCREENPLAIN);
  deep->local.dwFlags |= DDRAWISURF_HASPIXELFORMAT;
  deep->global.ddpfSurface = {
      sizeof(DDPIXELFORMAT), DDPF_RGB, 0, {32}, {0xFF0000}, {0xFF00}, {0xFF}, {0}};
  EXPECT_EQ(host.Fill(deep, {0, 0, 100, 10}, 0x11223344), kOk);
  const std::uint8_t* bytes = machine::FrameBuffer() + 800 * 600;
  EXPECT_EQ(bytes[0], 0x44);
  EXPECT_EQ(bytes[3], 0x11);
  EXPECT_EQ(bytes[9 * 800 + 99 * 4 + 1], 0x33);
  EXPECT_EQ(bytes[9 * 800 + 99 * 4 + 2], 0x22);
  EXPECT_EQ(bytes[9 * 800 + 100 * 4], 0x00);

  WritePrivateProfileStringA("Display", "Mode", "800,600,32", machine::kConfigFile);
  machine::Boot();
  host.Reinitialise();
  screen = host.Surface(0, 800, 600, DDSCAPS_PRIMARYSURFACE);
  host.GetFlipStatus(screen, DDGFS_ISFLIPDONE);
  EXPECT_EQ(host.Fill(screen, {10, 10, 50, 50}, 0xFF0000), kOk);
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(machine::FrameBuffer());
  EXPECT_EQ(pixels[20 * 800 + 20], 0xFF0000u);
  EXPECT_EQ(machine::CardPictureNow().At(49, 49), 0xFF0000u);
  EXPECT_EQ(machine::CardPictureNow().At(50, 50), 0u);
}

TEST_F(BlitvaneTest, AColourFillFillsExactlyItsRectangle) {
  bool handled = false;
  EXPECT_EQ(host.Fill(screen, {100, 50, 300, 150}, 0x42, &handled), kOk);
  EXPECT_TRUE(handled);
  for (int y = 50; y < 150; y += 7) {
    for (int x = 100; x < 300; x += 7) ASSERT_EQ(Pixel(x, y), 0x42) << x << "," << y;
  }
  EXPECT_EQ(Pixel(299, 149), 0x42);
  EXPECT_NE(Pixel(99, 50), 0x42);
  EXPECT_NE(Pixel(300, 50), 0x42);
  EXPECT_NE(Pixel(100, 49), 0x42);
  EXPECT_NE(Pixel(100, 150), 0x42);
  // A rectangle that leaves the surface is refused and draws nothing.
  EXPECT_EQ(host.Fill(screen, {700, 500, 900, 700}, 0x43), DDERR_INVALIDRECT);
  EXPECT_EQ(host.Fill(screen, {10, 10, 10, 20}, 0x43), DDERR_INVALIDRECT);
  EXPECT_NE(Pixel(799, 599), 0x43);
}

TEST_F(BlitvaneTest, ASameSurfaceMoveDownAndRightCopiesBackwardsToTheRightPicture) {
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) Pixel(100 + x, 100 + y) = static_cast<std::uint8_t>(x ^ y * 3);
  }
  WaitForEngine();
  EXPECT_EQ(host.Copy(screen, {100, 100, 164, 164}, screen, {110, 120, 174, 184}), kOk);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(Pixel(110 + x, 120 + y), static_cast<std::uint8_t>(x ^ y * 3)) << x << "," << y;
    }
  }
}

TEST_F(BlitvaneTest, AColourKeyedCopySkipsTheKeyPixels) {
  host.Fill(screen, {0, 0, 32, 32}, 0x11);
  WaitForEngine();
  host.Fill(screen, {8, 8, 24, 24}, 0x99);
  WaitForEngine();
  host.Fill(screen, {400, 300, 432, 332}, 0x55);
  WaitForEngine();
  const DWORD key = 0x99;
  EXPECT_EQ(host.Copy(screen, {0, 0, 32, 32}, screen, {400, 300, 432, 332}, &key), kOk);
  EXPECT_EQ(Pixel(400, 300), 0x11);
  EXPECT_EQ(Pixel(416, 316), 0x55);
  EXPECT_EQ(Pixel(431, 331), 0x11);
}

TEST_F(BlitvaneTest, WhatTheChipCannotDrawIsLeftToDirectDrawOrTakenAsDone) {
  machine::HostSurface* overlay = host.Surface(800 * 600, 320, 240, DDSCAPS_OVERLAY, 640);
  overlay->local.dwFlags |= DDRAWISURF_HASPIXELFORMAT;
  overlay->global.ddpfSurface = {
      sizeof(DDPIXELFORMAT), DDPF_FOURCC, MAKEFOURCC('Y', 'U', 'Y', '2'), {16}, {0}, {0}, {0}, {0}};
  bool handled = true;
  EXPECT_EQ(host.Fill(overlay, {0, 0, 16, 16}, 0x42, &handled), DDERR_UNSUPPORTED);
  EXPECT_FALSE(handled);

  // Raster operations other than the source copy draw nothing but are answered as done.
  host.Fill(screen, {0, 0, 32, 32}, 0x11);
  WaitForEngine();
  host.Fill(screen, {200, 200, 232, 232}, 0x22);
  WaitForEngine();
  EXPECT_EQ(
      host.Copy(screen, {0, 0, 32, 32}, screen, {200, 200, 232, 232}, nullptr, &handled, SRCINVERT),
      kOk);
  EXPECT_TRUE(handled);
  EXPECT_EQ(Pixel(216, 216), 0x22);

  // The overlay's destination key is one colour; a refused key leaves the hardware as it was.
  const std::uint32_t keyBefore = Register(0x81A0), controlBefore = Register(0x8190);
  DDOVERLAYFX effects{};
  effects.dwSize = sizeof(effects);
  effects.dckDestColorkey = {0x05, 0x06};
  EXPECT_EQ(host.UpdateOverlay(overlay, {0, 0, 320, 240}, screen, {0, 0, 320, 240},
                               DDOVER_SHOW | DDOVER_KEYDESTOVERRIDE, &effects),
            static_cast<HRESULT>(blitvane::kGeneric));
  EXPECT_EQ(Register(0x81A0), keyBefore);
  EXPECT_EQ(Register(0x8190), controlBefore);
  effects.dckDestColorkey = {0x05, 0x05};
  EXPECT_EQ(host.UpdateOverlay(overlay, {0, 0, 320, 240}, screen, {0, 0, 320, 240},
                               DDOVER_SHOW | DDOVER_KEYDESTOVERRIDE, &effects),
            kOk);
}

TEST(BlitvaneFileTest, TheLibraryDescribesItselfAsTheGlimmarkDriver) {
  const std::string path = harness::OwnFolder() + "\\BLITVANE.DLL";
  DWORD handle = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &handle));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  char* description = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\FileDescription",
                             reinterpret_cast<void**>(&description), &length));
  EXPECT_STREQ(description, "Glimmark DirectDraw Driver for S3");
}

TEST_F(BlitvaneTest, AFlipDuringTheRetraceIsRefusedAndTheStatusWaitsForTheNextRetrace) {
  machine::HostSurface* back = host.Surface(800 * 600, 800, 600, DDSCAPS_PRIMARYSURFACE);
  SlowRetrace();
  WaitForRetrace(false);
  WaitForRetrace(true);
  EXPECT_EQ(host.Flip(screen, back), kWasStillDrawing);
  WaitForRetrace(false);
  ASSERT_EQ(host.Flip(screen, back), kOk);
  // With the streams processor, the primary stream starts at the back buffer.
  const std::uint8_t* registers =
      reinterpret_cast<std::uint8_t*>(machine::State()) + machine::kRegisterApertureOffset;
  EXPECT_EQ(*reinterpret_cast<const std::uint32_t*>(registers + 0x81C0), 800u * 600u);
  EXPECT_EQ(host.GetFlipStatus(screen, DDGFS_ISFLIPDONE), kWasStillDrawing);
  // Once a retrace has come and gone, the flip has been shown.
  WaitForRetrace(true);
  WaitForRetrace(false);
  EXPECT_EQ(host.GetFlipStatus(screen, DDGFS_ISFLIPDONE), kOk);
}

TEST_F(BlitvaneTest, WithoutTheStreamsProcessorAFlipMovesTheCrtcsDisplayStart) {
  for (const char* chip : {"Trio64", "Trio32"}) {
    WritePrivateProfileStringA("Card", "Chip", chip, machine::kConfigFile);
    machine::Boot();
    host.Reinitialise();
    // The measurement ends as a retrace begins: the flip comes after it.
    host.GetFlipStatus(screen, DDGFS_ISFLIPDONE);
    machine::HostSurface* back = host.Surface(800 * 600, 800, 600, DDSCAPS_PRIMARYSURFACE);
    WaitForRetrace(false);
    EXPECT_EQ(host.Flip(screen, back), kOk) << chip;
    const machine::PanPosition shown =
        machine::Card(machine::State()->card.registers, nullptr).ViewportOrigin({800, 600, 8});
    EXPECT_EQ(shown.y, 600u) << chip;
  }
}

TEST_F(BlitvaneTest, TheFirstStatusQueryAfterDriverInitMeasuresAboutTwentyOneFrames) {
  host.Reinitialise();
  Clock::time_point start = Clock::now();
  host.GetBltStatus(screen, DDGBS_CANBLT);
  const double first = Milliseconds(Clock::now() - start).count();
  start = Clock::now();
  host.GetBltStatus(screen, DDGBS_CANBLT);
  const double second = Milliseconds(Clock::now() - start).count();
  // 20 frames and the wait for the first retrace: 20 to 22 frames of 16.7 ms.
  EXPECT_GT(first, 20 * 16.0);
  EXPECT_LT(first, 23 * 16.7 + 30);
  EXPECT_LT(second, 5.0);
}

TEST_F(BlitvaneTest, VerticalBlankWaitsAndTestsAndACardWithoutRetraceCannotHangThem) {
  EXPECT_EQ(host.WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN), kOk);
  bool inRetrace = false;
  EXPECT_EQ(host.WaitForVerticalBlank(0x80000006, &inRetrace), kOk);
  EXPECT_TRUE(inRetrace);
  EXPECT_EQ(host.WaitForVerticalBlank(DDWAITVB_BLOCKEND), kOk);
  EXPECT_FALSE(InRetrace());
  bool handled = true;
  host.WaitForVerticalBlank(0x2, nullptr, &handled);
  EXPECT_FALSE(handled);

  // No retrace at all: the wait gives up within its bound and says so.
  machine::State()->card.registers.refreshHz = 0;
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(host.WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN), kWasStillDrawing);
  EXPECT_LT(Milliseconds(Clock::now() - start).count(), 500.0);
}

TEST_F(BlitvaneTest, TheOverlayGoesToTheStreamsProcessorInItsOrderAndPosition) {
  machine::HostSurface* overlay = host.Surface(800 * 600, 320, 240, DDSCAPS_OVERLAY, 640);
  overlay->local.dwFlags |= DDRAWISURF_HASPIXELFORMAT;
  overlay->global.ddpfSurface = {
      sizeof(DDPIXELFORMAT), DDPF_FOURCC, MAKEFOURCC('Y', 'U', 'Y', '2'), {16}, {0}, {0}, {0}, {0}};
  EXPECT_EQ(
      host.UpdateOverlay(overlay, {0, 0, 320, 240}, screen, {100, 100, 420, 340}, DDOVER_SHOW),
      kOk);
  const std::uint8_t* registers =
      reinterpret_cast<std::uint8_t*>(machine::State()) + machine::kRegisterApertureOffset;
  const auto reg = [&](std::uint32_t offset) {
    return *reinterpret_cast<const std::uint32_t*>(registers + offset);
  };
  EXPECT_EQ(reg(0x81D0), 800u * 600u);
  EXPECT_EQ(reg(0x81F8), (101u << 16) | 101u);
  EXPECT_EQ(reg(0x8190), 0x01000000u | 319u);
  EXPECT_EQ(host.SetOverlayPosition(overlay, 0, 0), kOk);
  EXPECT_EQ(reg(0x81F8), 0x00010001u);
  // A second surface may not take the overlay; a destroyed one frees it.
  machine::HostSurface* other = host.Surface(800 * 600 + 640 * 240, 320, 240, DDSCAPS_OVERLAY, 640);
  other->local.dwFlags = overlay->local.dwFlags;
  other->global.ddpfSurface = overlay->global.ddpfSurface;
  EXPECT_EQ(host.UpdateOverlay(other, {0, 0, 320, 240}, screen, {0, 0, 320, 240}, DDOVER_SHOW),
            blitvane::kOverlayTaken);
  bool handled = true;
  EXPECT_EQ(host.DestroySurface(overlay, &handled), kOk);
  EXPECT_FALSE(handled);
  EXPECT_EQ(host.UpdateOverlay(other, {0, 0, 320, 240}, screen, {0, 0, 320, 240}, DDOVER_SHOW),
            kOk);
}

}  // namespace

#include "machine/tool/directdraw_scene.h"

#include <windows.h>

#include "machine/core/shared_state.h"
#include "machine/win32/directdraw_host.h"
#include "machine/win32/screen.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A palette of the scene's colours, set through the DAC as a program would.
void SetPalette() {
  const std::uint8_t colours[][3] = {{0, 0, 0},    {8, 16, 40}, {63, 63, 63}, {60, 20, 10},
                                     {10, 50, 20}, {63, 55, 0}, {30, 40, 63}, {63, 0, 63}};
  machine::OutPort(0x3C8, 0);
  for (const auto& colour : colours) {
    for (std::uint8_t component : colour) machine::OutPort(0x3C9, component);
  }
}

// The back buffer's scene: a sky, a ground, a sun, a television whose screen has the overlay's
// key colour (7, magenta) but for a label, and sprites copied with that colour key (transparent)
// from a sprite sheet below the visible screen.
void DrawScene(machine::DirectDrawHost& host, machine::HostSurface* back,
               machine::HostSurface* sheet) {
  host.Fill(back, {0, 0, kWidth, 420}, 1);
  host.Fill(back, {0, 420, kWidth, kHeight}, 4);
  host.Fill(back, {600, 60, 700, 160}, 5);
  host.Fill(back, {60, 40, 400, 300}, 2);
  host.Fill(back, {70, 50, 390, 290}, 7);
  host.Fill(back, {300, 60, 380, 84}, 3);
  host.Fill(sheet, {0, 0, 64, 64}, 7);
  host.Fill(sheet, {8, 24, 56, 56}, 3);
  host.Fill(sheet, {20, 8, 44, 24}, 2);
  const DWORD transparent = 7;
  for (int i = 0; i < 6; ++i) {
    const LONG x = 60 + i * 120;
    host.Copy(sheet, {0, 0, 64, 64}, back, {x, 360, x + 64, 424}, &transparent);
  }
  // A copy within the surface moving down and right: the engine copies it backwards.
  host.Copy(back, {600, 60, 700, 160}, back, {620, 80, 720, 180});
}

// A video overlay in YUY2: colour bars, two pixels in four bytes (Y0 U Y1 V).
void FillOverlay(std::uint32_t offset, int width, int height, int pitch) {
  const std::uint8_t bars[][3] = {{235, 128, 128}, {210, 16, 146}, {170, 166, 16}, {145, 54, 34},
                                  {106, 202, 222}, {81, 90, 240},  {41, 240, 110}, {16, 128, 128}};
  std::uint8_t* memory = machine::FrameBuffer() + offset;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; x += 2) {
      const std::uint8_t* bar = bars[x * 8 / width];
      std::uint8_t* at = memory + y * pitch + x * 2;
      at[0] = bar[0], at[1] = bar[1], at[2] = bar[0], at[3] = bar[2];
    }
  }
}

}  // namespace

std::string DrawDirectDrawScene(const std::string& driverPath, const std::string& picturePath) {
  machine::DirectDrawHost host;
  if (!host.Load(driverPath)) return "the DirectDraw driver " + driverPath + " did not load";
  SetPalette();
  machine::HostSurface* front = host.Surface(0, kWidth, kHeight, DDSCAPS_PRIMARYSURFACE);
  machine::HostSurface* back =
      host.Surface(kWidth * kHeight, kWidth, kHeight, DDSCAPS_PRIMARYSURFACE);
  machine::HostSurface* sheet = host.Surface(2 * kWidth * kHeight, 64, 64, DDSCAPS_OFFSCREENPLAIN);
  host.Fill(front, {0, 0, kWidth, kHeight}, 0);
  DrawScene(host, back, sheet);
  // The flip waits for the engine and keeps out of the retrace, as a game's loop does.
  HRESULT flipped = DDERR_WASSTILLDRAWING;
  const DWORD deadline = GetTickCount() + 1000;
  while ((flipped = host.Flip(front, back)) == DDERR_WASSTILLDRAWING && GetTickCount() < deadline) {
    Sleep(1);
  }
  if (flipped != DD_OK) return "the flip was not taken";
  // A 160 x 120 video in the overlay, shown twice its size on the television's screen.
  const std::uint32_t overlayAt = 3 * kWidth * kHeight;
  FillOverlay(overlayAt, 160, 120, 320);
  machine::HostSurface* video = host.Surface(overlayAt, 160, 120, DDSCAPS_OVERLAY, 320);
  video->local.dwFlags |= DDRAWISURF_HASPIXELFORMAT;
  video->global.ddpfSurface.dwSize = sizeof(DDPIXELFORMAT);
  video->global.ddpfSurface.dwFlags = DDPF_FOURCC;
  video->global.ddpfSurface.dwFourCC = MAKEFOURCC('Y', 'U', 'Y', '2');
  DDOVERLAYFX effects{};
  effects.dwSize = sizeof(effects);
  effects.dckDestColorkey = {7, 7};
  if (host.UpdateOverlay(video, {0, 0, 160, 120}, front, {70, 50, 390, 290},
                         DDOVER_SHOW | DDOVER_KEYDESTOVERRIDE, &effects) != DD_OK) {
    return "the overlay was not shown";
  }
  const machine::Picture shown = machine::CardPictureNow();
  const bool saved = machine::SaveDrawing(
      kWidth, kHeight,
      [&](HDC dc) {
        machine::DrawPicture(dc, shown, {0, 0, kWidth, kHeight});
      },
      picturePath);
  return saved ? std::string() : "the picture could not be written to " + picturePath;
}

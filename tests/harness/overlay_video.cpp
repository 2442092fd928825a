#include "tests/harness/overlay_video.h"

#include "machine/win32/simulator.h"

namespace harness {

machine::HostSurface* WhiteAndRedVideo(machine::DirectDrawHost& host, std::uint32_t offset) {
  constexpr int kWidth = 160, kHeight = 120, kPitch = kWidth * 2;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; x += 2) {
      std::uint8_t* pair = machine::FrameBuffer() + offset + y * kPitch + x * 2;
      const bool white = x < kWidth / 2;
      pair[0] = pair[2] = white ? 235 : 82;  // Y0 Cb Y1 Cr
      pair[1] = white ? 128 : 90;
      pair[3] = white ? 128 : 240;
    }
  }
  machine::HostSurface* video = host.Surface(offset, kWidth, kHeight, DDSCAPS_OVERLAY, kPitch);
  video->local.dwFlags |= DDRAWISURF_HASPIXELFORMAT;
  video->global.ddpfSurface = {
      sizeof(DDPIXELFORMAT), DDPF_FOURCC, MAKEFOURCC('Y', 'U', 'Y', '2'), {16}, {0}, {0}, {0}, {0}};
  return video;
}

}  // namespace harness

#pragma once
// The CRT controller's timing, decoded from its registers (with the S3 overflow bits): for each
// direction the total, the end of the display, and where the sync pulse starts and ends, in
// character clocks across and lines down.

#include <cstdint>

namespace machine {

struct TimingAxis {
  std::uint32_t total;
  std::uint32_t displayEnd;
  std::uint32_t syncStart;
  std::uint32_t syncEnd;
};

struct CrtTiming {
  TimingAxis horizontal;
  TimingAxis vertical;
};

CrtTiming DecodeTiming(const std::uint8_t* crtc);

}  // namespace machine

#include "machine/core/display_modes.h"

#include <algorithm>

namespace machine {
namespace {

constexpr DisplayMode kSizes[] = {{640, 480, 0},  {800, 600, 0},   {1024, 768, 0},
                                  {1152, 864, 0}, {1280, 1024, 0}, {1600, 1200, 0}};
constexpr std::uint32_t kDepths[] = {4, 8, 16, 24, 32};

bool IsDriverMode(const DisplayMode& mode) {
  const bool knownSize = std::any_of(std::begin(kSizes), std::end(kSizes), [&](const auto& size) {
    return size.width == mode.width && size.height == mode.height;
  });
  const bool knownDepth =
      std::find(std::begin(kDepths), std::end(kDepths), mode.bitsPerPixel) != std::end(kDepths);
  // The 16-colour planar modes stop at 1280 x 1024.
  const bool planarLimit = mode.bitsPerPixel != 4 || mode.width <= 1280;
  return knownSize && knownDepth && planarLimit;
}

}  // namespace

bool ModeFits(const DisplayMode& mode, std::uint32_t memoryKb) {
  const std::uint64_t bytes = std::uint64_t{mode.width} * mode.height * mode.bitsPerPixel / 8;
  return IsDriverMode(mode) && bytes <= std::uint64_t{memoryKb} * 1024;
}

std::vector<DisplayMode> ModesForMemory(std::uint32_t memoryKb) {
  std::vector<DisplayMode> modes;
  for (std::uint32_t depth : kDepths) {
    for (const DisplayMode& size : kSizes) {
      const DisplayMode mode{size.width, size.height, depth};
      if (ModeFits(mode, memoryKb)) modes.push_back(mode);
    }
  }
  return modes;
}

ChangeResult ChangeMode(DisplayState& state, const DisplayMode& requested, std::uint32_t memoryKb) {
  if (!ModeFits(requested, memoryKb)) return ChangeResult::BadMode;
  if (requested.bitsPerPixel != state.current.bitsPerPixel) {
    state.afterRestart = requested;
    state.restartPending = 1;
    return ChangeResult::Restart;
  }
  // The registry now holds this depth, so a depth chosen earlier no longer waits.
  state.current = requested;
  state.restartPending = 0;
  return ChangeResult::Successful;
}

}  // namespace machine

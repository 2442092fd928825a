#include "peekwell/core/preview.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>

namespace peekwell {

namespace {

std::string FourCC(std::uint32_t code) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>(code >> (8 * i) & 0xFF);
    if (c == '\0') break;
    text += c;
  }
  return text;
}

// The handler code as the info box names it: 0 "None", 1 "Rle8", else its letters.
std::string HandlerName(std::uint32_t handler) {
  if (handler == 0) return "None";
  if (handler == 1) return "Rle8";
  return FourCC(handler);
}

}  // namespace

const char* PreviewText(Preview preview) {
  static const char* const kTexts[] = {"First Frame", "Fifth Frame",      "Middle Frame",
                                       "Last Frame",  "Second Key Frame", "Filename Only"};
  return kTexts[static_cast<int>(preview)];
}

std::int32_t FrameFor(Preview preview, std::int32_t start, std::int32_t length,
                      const std::function<std::optional<std::int32_t>(std::int32_t)>& nextKey) {
  // In 64 bits: a file's header may claim any start and length.
  constexpr std::int64_t kLastFrame = std::numeric_limits<std::int32_t>::max();
  const std::int64_t first = start;
  std::int64_t frame = first;
  switch (preview) {
    case Preview::Fifth:
      frame = first + 4;
      break;
    case Preview::Middle:
      frame = first + length / 2;
      break;
    case Preview::Last:
      frame = first + length - 1;
      break;
    case Preview::SecondKey:
      if (length >= 2 && start < kLastFrame) frame = nextKey(start + 1).value_or(start);
      break;
    default:
      break;
  }
  // Beyond the stream (or before it), or beyond what a frame number can be: its start.
  if (frame < first || length < frame - first + 1 || frame > kLastFrame) return start;
  return static_cast<std::int32_t>(frame);
}

std::vector<std::string> InfoLines(const StreamFacts& facts, const InfoWords& words) {
  std::vector<std::string> lines;
  if (!facts.description.empty()) {
    lines.push_back(facts.description);
  } else if (facts.handler == 0 || facts.handler == 1) {
    lines.push_back(HandlerName(facts.handler));
  } else {
    lines.push_back(FourCC(facts.type) + "." + FourCC(facts.handler));
  }
  char text[128];
  // A negative height only says the rows run from the top: the size is its magnitude.
  const long long height = facts.height < 0 ? -static_cast<long long>(facts.height) : facts.height;
  std::snprintf(text, sizeof(text), "%dx%lldx%d", facts.width, height, facts.bitCount);
  lines.push_back(text);
  const std::int32_t ms = facts.durationMs < 0 ? 0 : facts.durationMs;
  std::snprintf(text, sizeof(text), "%d %s, %d.%03d %s", facts.frames, words.frames.c_str(),
                ms / 1000, ms % 1000, words.seconds.c_str());
  lines.push_back(text);
  const std::uint64_t thousandths =
      facts.scale == 0 ? 0 : static_cast<std::uint64_t>(facts.rate) * 1000 / facts.scale;
  std::snprintf(text, sizeof(text), "%llu.%03llu %s",
                static_cast<unsigned long long>(thousandths / 1000),
                static_cast<unsigned long long>(thousandths % 1000), words.fps.c_str());
  lines.push_back(text);
  return lines;
}

bool SaneSize(std::int32_t width, std::int32_t height) {
  constexpr std::int32_t kLargest = 4096;
  const std::int32_t rows = height < 0 ? -height : height;
  return width > 0 && rows > 0 && width <= kLargest && rows <= kLargest;
}

std::size_t UncompressedBytes(std::int32_t width, std::int32_t height, int bitCount) {
  constexpr int kDepths[] = {1, 4, 8, 16, 24, 32};
  if (!SaneSize(width, height) ||
      std::find(std::begin(kDepths), std::end(kDepths), bitCount) == std::end(kDepths)) {
    return 0;
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
  return stride * static_cast<std::size_t>(height < 0 ? -height : height);
}

LineGeometry LineFor(int scrollBarHeight) {
  const int height = (252 - scrollBarHeight) / 2;
  // The thumbnail in the upper part, above the name's 30 pixels.
  const int upper = height - 30;
  return {height, 20, (upper - kThumbHeight) / 2, 30};
}

}  // namespace peekwell

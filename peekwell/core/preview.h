#pragma once
// What Peekwell shows of a video file: the frame its preview choice picks, the lines of its file
// information, and where a thumbnail sits in its line of the list.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace peekwell {

// The preview choices, in the order of the combo (the index kept as `Preview`).
enum class Preview { First = 0, Fifth, Middle, Last, SecondKey, NameOnly };
inline constexpr int kPreviewChoices = 6;
// A choice's text in the combo: strings 1-6.
const char* PreviewText(Preview preview);

// The frame a choice shows of a stream starting at `start`, `length` frames long.
// `nextKey(from)` finds the next key frame at or after `from` (nothing when there is none). A
// frame beyond the stream gives `start`.
std::int32_t FrameFor(Preview preview, std::int32_t start, std::int32_t length,
                      const std::function<std::optional<std::int32_t>(std::int32_t)>& nextKey);

// What the file information box says of a video stream.
struct StreamFacts {
  std::uint32_t type;       // FourCC, e.g. "vids"
  std::uint32_t handler;    // FourCC of the compressor, or 0 / 1
  std::string description;  // the compressor's own, empty without one
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitCount;
  std::int32_t frames;
  std::uint32_t rate;  // frames per `scale` seconds
  std::uint32_t scale;
  std::int32_t durationMs;
};
struct InfoWords {
  std::string frames = "Frames";  // string 11
  std::string seconds = "sec";    // string 12
  std::string fps = "fps";        // string 13
};
// The four lines: compressor, "%dx%dx%d", frames and duration, frame rate.
std::vector<std::string> InfoLines(const StreamFacts& facts, const InfoWords& words);

// Pictures larger than 4096 pixels a side (or empty) are not decompressed: such a header lies,
// and its frames would take gigabytes.
bool SaneSize(std::int32_t width, std::int32_t height);
// The bytes of an uncompressed picture's rows (each a whole number of 32-bit words); 0 for a
// size that is not sane or a depth that is not 1, 4, 8, 16, 24 or 32 bits.
std::size_t UncompressedBytes(std::int32_t width, std::int32_t height, int bitCount);

// A line of the thumbnail list: 120 wide, (252 - the horizontal scroll bar's height) / 2 high.
inline constexpr int kLineWidth = 120;
inline constexpr int kThumbWidth = 80;
inline constexpr int kThumbHeight = 60;
struct LineGeometry {
  int height;
  int thumbX;        // from the line's left
  int thumbY;        // from the line's top
  int nameBaseline;  // the file name centred this many pixels above the line's bottom
};
LineGeometry LineFor(int scrollBarHeight);

}  // namespace peekwell

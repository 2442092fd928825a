#pragma once
// What Blitvane decides for DirectDraw's hardware requests, apart from the hardware itself:
// the answers of the pending-flip test, the start address of a flip for both register layouts,
// colour keys converted by pixel format, the overlay's key and blend control, the streams
// processor's control words, zoom, window start, source offset and FIFO setting, the pool of
// overlay records, the surfaces it accepts and the blocks it asks for, the screen pixels of a
// fill, and the direction of a blit within one surface.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace blitvane {

// DirectDraw's result codes.
inline constexpr std::uint32_t kOk = 0;
inline constexpr std::uint32_t kWasStillDrawing = 0x8876021C;
inline constexpr std::uint32_t kUnsupported = 0x80004001;
inline constexpr std::uint32_t kGeneric = 0x80004005;
inline constexpr std::uint32_t kInvalidPixelFormat = 0x88760091;
inline constexpr std::uint32_t kOutOfMemory = 0x8007000E;
// Another surface owns the overlay.
inline constexpr std::uint32_t kOverlayTaken = 0x88760168;

// A DirectDraw pixel format, as far as the driver reads it.
struct PixelFormat {
  std::uint32_t flags;
  std::uint32_t fourCC;
  std::uint32_t bitCount;
  std::uint32_t red;
  std::uint32_t green;
  std::uint32_t blue;
};
inline constexpr std::uint32_t kFourCC = 0x4;
inline constexpr std::uint32_t kPaletteIndexed4 = 0x8;
inline constexpr std::uint32_t kPaletteIndexed8 = 0x20;
inline constexpr std::uint32_t kRgb = 0x40;
inline constexpr std::uint32_t kY211 = 0x31313259;  // "Y211"
inline constexpr std::uint32_t kYuy2 = 0x32595559;  // "YUY2"

bool IsYuv(const PixelFormat& format);
bool SameFormat(const PixelFormat& a, const PixelFormat& b);

// The flip tracker: the last flip and what the retrace has done since.
struct FlipTracker {
  std::uint32_t target;
  std::uint64_t flippedAt;
  bool pending;
  bool outsideSeen;
  bool retraceSeen;
  std::uint64_t period;  // counter ticks of one frame
  std::uint32_t refused;
};

// Whether the last flip has been shown: `surface` is the asking surface's address (0 for
// none, or for Flip and GetFlipStatus, which wait for any flip).
std::uint32_t PendingFlipTest(FlipTracker& tracker, bool inRetrace, std::uint64_t now,
                              std::uint32_t surface);
// One frame from the counter's difference over twenty frames, to the nearest tick.
std::uint64_t PeriodOfTwentyFrames(std::uint64_t difference);
// A flip recorded at `now` to `target`.
void RecordFlip(FlipTracker& tracker, std::uint32_t target, std::uint64_t now);

// The CRT controller writes (index, value) that put the display start at `startBytes`: the
// start in double words into CR0D and CR0C, and its high bits into CR31 bits 4-5 and CR51
// bits 0-1 for the older chips (identifiers 0x90 and 0xA0), into CR69 bits 0-3 otherwise,
// the other bits of each register kept from `cr31`, `cr51`, `cr69`.
std::vector<std::pair<std::uint8_t, std::uint8_t>> StartAddressWrites(std::uint32_t startBytes,
                                                                      std::uint32_t chipId,
                                                                      std::uint8_t cr31,
                                                                      std::uint8_t cr51,
                                                                      std::uint8_t cr69);

// A colour key converted for the streams processor: the low value with bits 24-28 set, the
// high value; or the DirectDraw error for a format it cannot key.
struct ColourKey {
  std::uint32_t low;
  std::uint32_t high;
  std::uint32_t error;
};
// `paletteEntry` gives a palette entry's colour as 0xRRGGBB (from the DAC's 6-bit values).
ColourKey ConvertColourKey(const PixelFormat& format, std::uint32_t low, std::uint32_t high,
                           std::uint32_t (*paletteEntry)(std::uint8_t index));

// The overlay's compose modes, which the blend control takes from its key: secondary over
// primary without one.
inline constexpr std::uint32_t kNoKeyMode = 0;
inline constexpr std::uint32_t kDestinationKeyMode = 0x05000000;
inline constexpr std::uint32_t kSourceKeyMode = 0x06000000;

// Where an UpdateOverlay request's colour key comes from, by its flags (DDOVER_KEYDEST 0x400,
// DDOVER_KEYDESTOVERRIDE 0x800, DDOVER_KEYSRC 0x1000, DDOVER_KEYSRCOVERRIDE 0x2000): the
// request's own key before the surface's, a destination key before a source key (the streams
// processor composes by one of them).
enum class KeyOrigin { None, DestinationSurface, RequestDestination, SourceSurface, RequestSource };
struct OverlayKey {
  KeyOrigin origin;
  std::uint32_t mode;
};
OverlayKey OverlayKeyOf(std::uint32_t flags);

// The overlay window's start: ((x + 1) AND 0x7FF) x 65536 + ((y + 1) AND 0x7FF).
std::uint32_t WindowStart(std::int32_t x, std::int32_t y);

// The secondary stream's control word for a source shown `sourceWidth` wide in a destination
// `destinationWidth` wide; nothing for a format the streams processor does not show.
std::optional<std::uint32_t> SecondaryStreamControl(const PixelFormat& format,
                                                    std::uint32_t sourceWidth,
                                                    std::uint32_t sourceHeight,
                                                    std::uint32_t destinationWidth,
                                                    std::uint32_t destinationHeight);

// The streams processor's DDAs for a source shown at a destination size: K1 = source - 1 and
// K2 = source - destination each way (12 bits, two's complement), the horizontal pair in the
// stretch word; the vertical initial value source - destination shows each line equally often.
// Equal sizes show 1:1.
struct OverlayZoom {
  std::uint32_t stretch;
  std::uint32_t verticalK1;
  std::uint32_t verticalK2;
  std::uint32_t verticalInitial;
};
OverlayZoom ZoomFor(std::uint32_t sourceWidth, std::uint32_t sourceHeight,
                    std::uint32_t destinationWidth, std::uint32_t destinationHeight);

// Where the overlay's shown part starts in its surface, aligned as the streams processor reads.
std::uint32_t SourceOffset(std::uint32_t bytesPerPixel, std::uint32_t left, std::uint32_t top,
                           std::uint32_t pitch);

// The FIFO setting for a destination this wide, from table `table` (0 hardware codec, 1 other,
// 2 live video) of DriverData's three tables of five 10-byte entries.
inline constexpr std::size_t kFifoTablesSize = 150;
std::uint32_t FifoSetting(const std::uint8_t* tables, int table, std::uint32_t destinationWidth);

// The streams processor's values for one overlay surface, 64 bytes, and the pool's link.
struct OverlayRegisterRecord {
  std::uint32_t values[16];
  OverlayRegisterRecord* next;
};
enum RecordValue {
  kRecordAddress,
  kRecordSourceOffset,
  kRecordControl,
  kRecordWindowStart,
  kRecordWindowSize,
  kRecordStride,
  kRecordStretch,
  kRecordVerticalK1,
  kRecordVerticalK2,
  kRecordVerticalInitial,
  kRecordFifo,
  kRecordKeyLow,
  kRecordKeyHigh,
  kRecordKeyMode,
  kRecordLinked = 15,  // non-zero while a surface holds the record
};
// A record for a surface: a free one of the pool, or a zeroed one from `allocate` put at its
// head; nullptr when none can be had. It is in use from here until released.
OverlayRegisterRecord* TakeRecord(OverlayRegisterRecord*& pool,
                                  const std::function<void*(std::size_t)>& allocate);
void ReleaseRecord(OverlayRegisterRecord& record);

// CanCreateSurface's answer for a surface of these capabilities and this format.
inline constexpr std::uint32_t kCapsOffscreen = 0x2;
inline constexpr std::uint32_t kCapsOverlay = 0x80;
inline constexpr std::uint32_t kCapsPrimary = 0x200;
std::uint32_t CanCreateSurface(std::uint32_t caps, const PixelFormat& format,
                               const PixelFormat& primary, bool streamsProcessor);

// The block CreateSurface asks DirectDraw for, and the surface's pitch, in bytes. A surface in
// the screen's rows takes its width in its own pixels' bytes; a YUV surface, and one whose row
// is wider than the screen's, lies in rows of its own, in as many screen rows as it needs.
struct SurfaceBlock {
  std::uint32_t pitch;
  std::uint32_t blockWidth;
  std::uint32_t blockHeight;
};
SurfaceBlock BlockFor(const PixelFormat* ownFormat, std::uint32_t width, std::uint32_t height,
                      std::uint32_t screenPitch, std::uint32_t screenBitCount);

// How many screen pixels the engine draws for one pixel of a surface of `surfaceBytes` a pixel
// on a screen of `screenBytes`; 0 when it cannot (a depth that is not a whole number of screen
// pixels, or below 8 bits): DirectDraw draws those.
std::uint32_t ScreenPixelsPerPixel(std::uint32_t surfaceBytes, std::uint32_t screenBytes);
// A fill's colour as the screen pixels that make up one pixel of a surface `surfaceBytes` deep
// on a screen `screenBytes` deep, from the low bytes up.
std::vector<std::uint32_t> ScreenPixelsOf(std::uint32_t colour, std::uint32_t surfaceBytes,
                                          std::uint32_t screenBytes);

struct Rect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};
// A copy within one surface that must run from the last row and column: the rectangles
// overlap with the source above the destination, or on the same rows and to its left.
bool CopiesBackwards(const Rect& source, const Rect& destination);

}  // namespace blitvane

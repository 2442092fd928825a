#include "blitvane/core/hal_logic.h"

namespace blitvane {
namespace {

bool Masks(const PixelFormat& format, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return format.red == red && format.green == green && format.blue == blue;
}

bool Palettised(const PixelFormat& format) {
  return (format.flags & (kPaletteIndexed4 | kPaletteIndexed8)) != 0;
}

// A 5- or 6-bit field widened to 8 bits, its high bits repeated below.
std::uint32_t Widen(std::uint32_t value, int bits) {
  return (value << (8 - bits) | value >> (2 * bits - 8)) & 0xFF;
}

std::uint32_t WidenRgb16(std::uint32_t colour, bool sixBitGreen) {
  const int greenBits = sixBitGreen ? 6 : 5;
  const std::uint32_t blue = colour & 0x1F;
  const std::uint32_t green = colour >> 5 & ((1u << greenBits) - 1);
  const std::uint32_t red = colour >> (5 + greenBits) & 0x1F;
  return Widen(red, 5) << 16 | Widen(green, greenBits) << 8 | Widen(blue, 5);
}

std::uint16_t Get16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
std::uint32_t Get32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

bool IsYuv(const PixelFormat& format) {
  return (format.flags & kFourCC) && (format.fourCC == kY211 || format.fourCC == kYuy2);
}

bool SameFormat(const PixelFormat& a, const PixelFormat& b) {
  return a.flags == b.flags && a.fourCC == b.fourCC && a.bitCount == b.bitCount && a.red == b.red &&
         a.green == b.green && a.blue == b.blue;
}

std::uint32_t PendingFlipTest(FlipTracker& tracker, bool inRetrace, std::uint64_t now,
                              std::uint32_t surface) {
  if (!tracker.pending) return kOk;
  if (surface != 0 && surface != tracker.target) return kOk;
  if (inRetrace) {
    if (tracker.outsideSeen) tracker.retraceSeen = true;
  } else if (tracker.retraceSeen) {
    tracker.pending = false;
    return kOk;
  } else {
    tracker.outsideSeen = true;
  }
  if (now - tracker.flippedAt <= tracker.period) return kWasStillDrawing;
  tracker.pending = false;
  return kOk;
}

std::uint64_t PeriodOfTwentyFrames(std::uint64_t difference) {
  return (difference + 10) / 20;
}

void RecordFlip(FlipTracker& tracker, std::uint32_t target, std::uint64_t now) {
  tracker.flippedAt = now;
  tracker.pending = true;
  tracker.outsideSeen = false;
  tracker.retraceSeen = false;
  tracker.target = target;
}

std::vector<std::pair<std::uint8_t, std::uint8_t>> StartAddressWrites(std::uint32_t startBytes,
                                                                      std::uint32_t chipId,
                                                                      std::uint8_t cr31,
                                                                      std::uint8_t cr51,
                                                                      std::uint8_t cr69) {
  const std::uint32_t start = startBytes / 4;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> writes = {
      {0x0D, static_cast<std::uint8_t>(start & 0xFF)},
      {0x0C, static_cast<std::uint8_t>(start >> 8 & 0xFF)}};
  if (chipId == 0x90 || chipId == 0xA0) {
    writes.push_back({0x31, static_cast<std::uint8_t>((cr31 & ~0x30) | (start >> 16 & 0x03) << 4)});
    writes.push_back({0x51, static_cast<std::uint8_t>((cr51 & ~0x03) | (start >> 18 & 0x03))});
  } else {
    writes.push_back({0x69, static_cast<std::uint8_t>((cr69 & ~0x0F) | (start >> 16 & 0x0F))});
  }
  return writes;
}

ColourKey ConvertColourKey(const PixelFormat& format, std::uint32_t low, std::uint32_t high,
                           std::uint32_t (*paletteEntry)(std::uint8_t index)) {
  ColourKey key{low, high, kOk};
  if (IsYuv(format)) {
    key.low ^= 0xFF008080;
    key.high ^= 0xFF008080;
  } else if (Palettised(format) || ((format.flags & kRgb) && format.bitCount == 8)) {
    key.low = key.high = paletteEntry(static_cast<std::uint8_t>(low));
  } else if ((format.flags & kRgb) && format.bitCount == 16 &&
             (Masks(format, 0x7C00, 0x3E0, 0x1F) || Masks(format, 0xF800, 0x7E0, 0x1F))) {
    const bool sixBitGreen = format.green == 0x7E0;
    key.low = WidenRgb16(low, sixBitGreen);
    key.high = WidenRgb16(high, sixBitGreen);
  } else if (!((format.flags & kRgb) && (format.bitCount == 24 || format.bitCount == 32) &&
               Masks(format, 0xFF0000, 0xFF00, 0xFF))) {
    return {0, 0, kUnsupported};
  }
  // Bits 24-28 of the low value tell the streams processor to compare all three components.
  key.low = (key.low & 0x00FFFFFF) | 0x17000000;
  return key;
}

OverlayKey OverlayKeyOf(std::uint32_t flags) {
  constexpr std::uint32_t kKeyDestination = 0x400, kKeyDestinationOverride = 0x800,
                          kKeySource = 0x1000, kKeySourceOverride = 0x2000;
  if (flags & kKeyDestinationOverride) return {KeyOrigin::RequestDestination, kDestinationKeyMode};
  if (flags & kKeyDestination) return {KeyOrigin::DestinationSurface, kDestinationKeyMode};
  if (flags & kKeySourceOverride) return {KeyOrigin::RequestSource, kSourceKeyMode};
  if (flags & kKeySource) return {KeyOrigin::SourceSurface, kSourceKeyMode};
  return {KeyOrigin::None, kNoKeyMode};
}

std::uint32_t WindowStart(std::int32_t x, std::int32_t y) {
  // In unsigned arithmetic: any position an application gives wraps instead of overflowing.
  const std::uint32_t column = static_cast<std::uint32_t>(x) + 1;
  const std::uint32_t row = static_cast<std::uint32_t>(y) + 1;
  return (column & 0x7FF) << 16 | (row & 0x7FF);
}

std::optional<std::uint32_t> SecondaryStreamControl(const PixelFormat& format,
                                                    std::uint32_t sourceWidth,
                                                    std::uint32_t sourceHeight,
                                                    std::uint32_t destinationWidth,
                                                    std::uint32_t destinationHeight) {
  std::uint32_t control = (2 * sourceWidth - destinationWidth - 1) & 0xFFF;
  if ((format.flags & kFourCC) && format.fourCC == kYuy2) {
    control |= 0x01000000;
  } else if ((format.flags & kFourCC) && format.fourCC == kY211) {
    control |= 0x04000000;
  } else if (!(format.flags & kRgb) || Palettised(format)) {
    return std::nullopt;
  } else if (format.bitCount == 16 && Masks(format, 0x7C00, 0x3E0, 0x1F)) {
    control |= 0x03000000;
  } else if (format.bitCount == 16 && Masks(format, 0xF800, 0x7E0, 0x1F)) {
    control |= 0x05000000;
  } else if (format.bitCount == 32) {
    control |= 0x06000000;
  } else {
    return std::nullopt;
  }
  if ((sourceWidth != destinationWidth || sourceHeight != destinationHeight) && sourceWidth > 0) {
    if (destinationWidth >= 4 * sourceWidth) {
      control |= 0x30000000;
    } else if (destinationWidth >= 2 * sourceWidth) {
      control |= 0x20000000;
    } else {
      control |= 0x10000000;
    }
  }
  return control;
}

OverlayZoom ZoomFor(std::uint32_t sourceWidth, std::uint32_t sourceHeight,
                    std::uint32_t destinationWidth, std::uint32_t destinationHeight) {
  const auto twelveBits = [](std::uint32_t value) { return value & 0xFFF; };
  return {twelveBits(sourceWidth - 1) | twelveBits(sourceWidth - destinationWidth) << 16,
          twelveBits(sourceHeight - 1), twelveBits(sourceHeight - destinationHeight),
          twelveBits(sourceHeight - destinationHeight)};
}

std::uint32_t SourceOffset(std::uint32_t bytesPerPixel, std::uint32_t left, std::uint32_t top,
                           std::uint32_t pitch) {
  const std::uint32_t offset = bytesPerPixel * left + pitch * top;
  if (bytesPerPixel == 3) return offset - 3 * (left & 7);
  return offset & ~7u;
}

std::uint32_t FifoSetting(const std::uint8_t* tables, int table, std::uint32_t destinationWidth) {
  const std::uint8_t* entries = tables + table * 50;
  for (int entry = 0; entry < 4; ++entry) {
    if (Get16(entries + entry * 10) >= destinationWidth) return Get32(entries + entry * 10 + 2);
  }
  return Get32(entries + 4 * 10 + 2);
}

OverlayRegisterRecord* TakeRecord(OverlayRegisterRecord*& pool,
                                  const std::function<void*(std::size_t)>& allocate) {
  OverlayRegisterRecord* record = pool;
  while (record != nullptr && record->values[kRecordLinked] != 0) record = record->next;
  if (record == nullptr) {
    record = static_cast<OverlayRegisterRecord*>(allocate(sizeof(OverlayRegisterRecord)));
    if (record == nullptr) return nullptr;
    record->next = pool;
    pool = record;
  }
  for (std::uint32_t& value : record->values) value = 0;
  record->values[kRecordLinked] = 1;
  return record;
}

void ReleaseRecord(OverlayRegisterRecord& record) {
  record.values[kRecordLinked] = 0;
}

std::uint32_t CanCreateSurface(std::uint32_t caps, const PixelFormat& format,
                               const PixelFormat& primary, bool streamsProcessor) {
  if (SameFormat(format, primary)) return kOk;
  if (!streamsProcessor) return kInvalidPixelFormat;
  const bool overlay = (caps & kCapsOverlay) != 0;
  if (overlay && IsYuv(format)) return kOk;
  // Not packed 24-bit: the streams processor reads its one code for both as 32-bit pixels.
  if (overlay && (format.flags & kRgb) && !Palettised(format) &&
      (format.bitCount == 16 || format.bitCount == 32)) {
    return kOk;
  }
  if ((caps & kCapsOffscreen) && (format.flags & kRgb) && format.bitCount == 16 &&
      Masks(format, 0x7C00, 0x3E0, 0x1F)) {
    return kOk;
  }
  return kInvalidPixelFormat;
}

SurfaceBlock BlockFor(const PixelFormat* ownFormat, std::uint32_t width, std::uint32_t height,
                      std::uint32_t screenPitch, std::uint32_t screenBitCount) {
  const bool yuv = ownFormat != nullptr && (ownFormat->flags & kFourCC);
  const std::uint32_t bitCount = yuv                    ? (ownFormat->fourCC == kY211 ? 8 : 16)
                                 : ownFormat != nullptr ? ownFormat->bitCount
                                                        : screenBitCount;
  const std::uint32_t bytesPerPixel = bitCount >= 8 ? bitCount / 8 : 1;
  const std::uint32_t row = width * bytesPerPixel;
  if (!yuv && row <= screenPitch) return {screenPitch, row, height};
  // Rounded up: the block holds every byte of the surface's last row.
  const std::uint32_t rows =
      screenPitch == 0 ? 0
                       : static_cast<std::uint32_t>(
                             (std::uint64_t{row} * height + screenPitch - 1) / screenPitch);
  return {row, screenPitch, rows};
}

std::uint32_t ScreenPixelsPerPixel(std::uint32_t surfaceBytes, std::uint32_t screenBytes) {
  if (screenBytes == 0 || surfaceBytes < screenBytes || surfaceBytes % screenBytes != 0) return 0;
  return surfaceBytes / screenBytes;
}

std::vector<std::uint32_t> ScreenPixelsOf(std::uint32_t colour, std::uint32_t surfaceBytes,
                                          std::uint32_t screenBytes) {
  if (screenBytes == 0 || screenBytes >= 4) return {colour};
  std::vector<std::uint32_t> pixels;
  const std::uint32_t mask = (1u << (8 * screenBytes)) - 1;
  for (std::uint32_t done = 0; done < surfaceBytes || pixels.empty(); done += screenBytes) {
    pixels.push_back(done < 4 ? colour >> (8 * done) & mask : 0);
  }
  return pixels;
}

bool CopiesBackwards(const Rect& source, const Rect& destination) {
  const bool overlap = source.left < destination.right && destination.left < source.right &&
                       source.top < destination.bottom && destination.top < source.bottom;
  return overlap && (source.top < destination.top ||
                     (source.top == destination.top && source.left < destination.left));
}

}  // namespace blitvane

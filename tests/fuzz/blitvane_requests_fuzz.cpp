// Fuzz target: whatever an application puts in a request (pixel formats, colour keys,
// rectangles, sizes, positions), Blitvane's decisions neither overflow nor read outside the
// FIFO tables, and they keep their promises: a refused key says so, a control word keeps its
// format in bits 24-27, a copy runs backwards only over an overlap.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "blitvane/core/hal_logic.h"

namespace {

using namespace blitvane;

void Require(bool holds) {
  if (!holds) std::abort();
}

std::uint32_t Palette(std::uint8_t index) {
  return index * 0x010101u;
}

PixelFormat Format(FuzzedDataProvider& data) {
  return {data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>(),
          data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>(),
          data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>()};
}

Rect AnyRect(FuzzedDataProvider& data) {
  return {data.ConsumeIntegral<std::int32_t>(), data.ConsumeIntegral<std::int32_t>(),
          data.ConsumeIntegral<std::int32_t>(), data.ConsumeIntegral<std::int32_t>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const PixelFormat format = Format(data);
  const ColourKey key = ConvertColourKey(format, data.ConsumeIntegral<std::uint32_t>(),
                                         data.ConsumeIntegral<std::uint32_t>(), Palette);
  Require(key.error != kOk || (key.low >> 24) == 0x17);

  const auto control = SecondaryStreamControl(
      format, data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>(),
      data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>());
  Require(!control || ((*control >> 24) & 0x0F) != 0);

  static_cast<void>(
      WindowStart(data.ConsumeIntegral<std::int32_t>(), data.ConsumeIntegral<std::int32_t>()));
  static_cast<void>(SourceOffset(
      data.ConsumeIntegralInRange<std::uint32_t>(1, 4), data.ConsumeIntegral<std::uint32_t>(),
      data.ConsumeIntegral<std::uint32_t>(), data.ConsumeIntegral<std::uint32_t>()));
  std::uint8_t tables[kFifoTablesSize];
  for (std::uint8_t& byte : tables) byte = data.ConsumeIntegral<std::uint8_t>();
  static_cast<void>(FifoSetting(tables, data.ConsumeIntegralInRange<int>(0, 2),
                                data.ConsumeIntegral<std::uint32_t>()));
  static_cast<void>(CanCreateSurface(data.ConsumeIntegral<std::uint32_t>(), format, Format(data),
                                     data.ConsumeBool()));
  const PixelFormat own = Format(data);
  static_cast<void>(
      BlockFor(data.ConsumeBool() ? &own : nullptr, data.ConsumeIntegral<std::uint16_t>(),
               data.ConsumeIntegral<std::uint16_t>(), data.ConsumeIntegral<std::uint32_t>(),
               data.ConsumeIntegral<std::uint32_t>()));
  const Rect source = AnyRect(data);
  const Rect destination = AnyRect(data);
  if (CopiesBackwards(source, destination)) {
    Require(source.left < destination.right && source.top < destination.bottom);
  }
  return 0;
}

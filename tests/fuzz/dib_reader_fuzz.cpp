// Fuzz target: any bytes given to the bitmap reader are refused or read into an image whose
// every pixel can be asked for, never read or written out of bounds.

#include <cstddef>
#include <cstdint>

#include "common/image/dib_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dib::MemorySource source(data, size);
  if (const auto image = dib::Read(source)) {
    unsigned sum = 0;
    for (std::int32_t y = 0; y < image->height; y += 7) {
      for (std::int32_t x = 0; x < image->width; x += 7) sum += image->Pixel(x, y).red;
    }
    static_cast<void>(sum);
  }
  return 0;
}

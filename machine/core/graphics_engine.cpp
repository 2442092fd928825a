#include "machine/core/graphics_engine.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace machine {

namespace {

std::uint32_t* ColourRegister(EngineRegisters& r, std::uint16_t port) {
  switch (port & ~3u) {
    case 0xA6E8:
      return &r.foregroundColour;
    case 0xB2E8:
      return &r.compareColour;
  }
  return nullptr;
}

}  // namespace

bool GraphicsEngine::IsEnginePort(std::uint16_t port) {
  switch (port & ~1u) {
    case 0xA6EA:
    case 0xB2EA:
    case 0x82E8:
    case 0x86E8:
    case 0x8AE8:
    case 0x8EE8:
    case 0x96E8:
    case 0x9AE8:
    case 0xA6E8:
    case 0xB2E8:
    case 0xBAE8:
    case 0xBEE8:
      return true;
  }
  return false;
}

std::uint16_t* GraphicsEngine::Register(std::uint16_t port) {
  switch (port & ~1u) {
    case 0x82E8:
      return &r_.sourceY;
    case 0x86E8:
      return &r_.sourceX;
    case 0x8AE8:
      return &r_.destinationY;
    case 0x8EE8:
      return &r_.destinationX;
    case 0x96E8:
      return &r_.width;
    case 0x9AE8:
      return &r_.command;
    case 0xBAE8:
      return &r_.foregroundMix;
    default:
      return &r_.multifunction;
  }
}

void GraphicsEngine::WriteColour(std::uint16_t port, std::uint16_t word) {
  std::uint32_t& colour = *ColourRegister(r_, port);
  if (frame_.bytesPerPixel < 3) {
    colour = word;
    return;
  }
  bool upper = (port & 2) != 0;
  if (!(r_.miscellaneous & kUpperWordPorts)) {
    if (upper) return;
    upper = (r_.miscellaneous & kUpperColourWord) != 0;
    r_.miscellaneous ^= kUpperColourWord;
  }
  colour = upper ? (colour & 0xFFFF) | std::uint32_t{word} << 16 : (colour & 0xFFFF0000) | word;
}

// A word written while the engine draws takes a FIFO slot until the drawing ahead of it is done;
// with every slot taken, the bus waits for the oldest.
void GraphicsEngine::Queue(std::uint64_t now) {
  if (now >= r_.busyUntil) return;
  r_.fifoLeaves[r_.fifoNext] = r_.busyUntil;
  r_.fifoNext = (r_.fifoNext + 1) % std::size(r_.fifoLeaves);
}

std::uint32_t GraphicsEngine::FifoFilled(std::uint64_t now) const {
  return static_cast<std::uint32_t>(
      std::count_if(std::begin(r_.fifoLeaves), std::end(r_.fifoLeaves),
                    [now](std::uint64_t leaves) { return leaves > now; }));
}

void GraphicsEngine::Out(std::uint16_t port, std::uint8_t value, std::uint64_t now) {
  if (ColourRegister(r_, port) != nullptr) {
    if (port & 1) {
      Queue(now);
      WriteColour(port, static_cast<std::uint16_t>((r_.colourLatch & 0x00FF) | value << 8));
    } else {
      r_.colourLatch = value;
    }
    return;
  }
  std::uint16_t* reg = Register(port);
  if (port & 1) {
    *reg = static_cast<std::uint16_t>((*reg & 0x00FF) | value << 8);
    Queue(now);
  } else {
    *reg = static_cast<std::uint16_t>((*reg & 0xFF00) | value);
    return;
  }
  if (reg == &r_.multifunction) {
    // The top four bits choose the register; the others are its value.
    const std::uint16_t field = r_.multifunction & 0x0FFF;
    switch (r_.multifunction >> 12) {
      case 0x0:
        r_.height = field;
        break;
      case 0xA:
        r_.pixelControl = field;
        break;
      case 0xE:
        r_.miscellaneous = field;
        break;
    }
  } else if (reg == &r_.command) {
    Run(now);
  }
}

std::uint8_t GraphicsEngine::In(std::uint16_t port, std::uint64_t now) const {
  if ((port & ~1u) != kEngineStatus) return 0xFF;
  const std::uint32_t filled = FifoFilled(now);
  const std::uint32_t first = filled < 8 ? filled : 8;
  const std::uint32_t rest = filled - first;
  const auto status = static_cast<std::uint16_t>(
      (0xFF00u >> first & 0xFF) | ((1u << rest) - 1) << 11 | (filled == 0 ? kFifoEmpty : 0) |
      (now < r_.busyUntil ? kEngineBusy : 0));
  return static_cast<std::uint8_t>((port & 1) ? status >> 8 : status & 0xFF);
}

void GraphicsEngine::Run(std::uint64_t now) {
  ++r_.commandCount;
  const std::uint16_t type = r_.command & kCommandTypeMask;
  if (type == kRectangleFill) {
    Fill();
  } else if (type == kScreenCopy) {
    Copy();
  } else {
    return;
  }
  const std::uint64_t pixels = (r_.width + 1ull) * (r_.height + 1ull);
  const std::uint64_t start = now > r_.busyUntil ? now : r_.busyUntil;
  r_.busyUntil = start + 1 + pixels * kNanosecondsPerPixel / 1000;
}

// The columns [first, first + count) of a row starting at `x` that lie on the screen.
bool GraphicsEngine::Span(std::int64_t x, std::uint32_t width, std::uint32_t y,
                          std::uint32_t* first, std::uint32_t* count) const {
  if (frame_.memory == nullptr || frame_.bytesPerPixel == 0) return false;
  const std::int64_t columns = frame_.pitch / frame_.bytesPerPixel;
  const std::int64_t begin = x < 0 ? 0 : x;
  const std::int64_t end = x + width > columns ? columns : x + width;
  if (begin >= end || (static_cast<std::size_t>(y) + 1) * frame_.pitch > frame_.size) return false;
  *first = static_cast<std::uint32_t>(begin);
  *count = static_cast<std::uint32_t>(end - begin);
  return true;
}

std::uint8_t* GraphicsEngine::Row(std::uint32_t y) const {
  return frame_.memory + static_cast<std::size_t>(y) * frame_.pitch;
}

void GraphicsEngine::Fill() {
  const std::uint32_t colour = r_.foregroundColour;
  const std::uint32_t bpp = frame_.bytesPerPixel;
  const std::uint8_t* filled = nullptr;  // the first row drawn, which the others copy
  for (std::uint32_t row = 0; row <= r_.height; ++row) {
    std::uint32_t first = 0, count = 0;
    if (!Span(r_.sourceX, r_.width + 1u, r_.sourceY + row, &first, &count)) continue;
    std::uint8_t* line = Row(r_.sourceY + row) + first * bpp;
    if (filled != nullptr) {
      std::memcpy(line, filled, static_cast<std::size_t>(count) * bpp);
      continue;
    }
    // One pixel, then the row doubled onto itself.
    std::memcpy(line, &colour, bpp < 4 ? bpp : 4);
    for (std::uint32_t done = 1; done < count;) {
      const std::uint32_t more = std::min(done, count - done);
      std::memcpy(line + static_cast<std::size_t>(done) * bpp, line,
                  static_cast<std::size_t>(more) * bpp);
      done += more;
    }
    filled = line;
  }
}

// From the source corner to the destination corner, row after row and pixel after pixel in the
// command's directions, each pixel read just before it is written: a move in the wrong direction
// copies what it has already overwritten, as the chip does. Pixels of the key are skipped.
void GraphicsEngine::Copy() {
  const int stepX = (r_.command & kIncreasingX) ? 1 : -1;
  const int stepY = (r_.command & kIncreasingY) ? 1 : -1;
  const bool compare = (r_.miscellaneous & kCompareSource) != 0;
  const std::uint32_t key = r_.compareColour;
  const std::uint32_t bpp = frame_.bytesPerPixel;
  const std::size_t colourBytes = bpp < 4 ? bpp : 4;
  // The rectangles' left columns: the programmed corner is the right one when going left.
  const std::int64_t sourceLeft = stepX > 0 ? r_.sourceX : std::int64_t{r_.sourceX} - r_.width;
  const std::int64_t destinationLeft =
      stepX > 0 ? r_.destinationX : std::int64_t{r_.destinationX} - r_.width;
  for (std::uint32_t row = 0; row <= r_.height; ++row) {
    const std::int64_t sy = std::int64_t{r_.sourceY} + stepY * static_cast<std::int64_t>(row);
    const std::int64_t dy = std::int64_t{r_.destinationY} + stepY * static_cast<std::int64_t>(row);
    if (sy < 0 || dy < 0) continue;
    std::uint32_t sourceFirst = 0, sourceCount = 0, first = 0, count = 0;
    if (!Span(sourceLeft, r_.width + 1u, static_cast<std::uint32_t>(sy), &sourceFirst,
              &sourceCount) ||
        !Span(destinationLeft, r_.width + 1u, static_cast<std::uint32_t>(dy), &first, &count)) {
      continue;
    }
    // Only the columns that both rectangles have on the screen.
    const std::int64_t skip =
        std::max<std::int64_t>(sourceFirst - sourceLeft, first - destinationLeft);
    const std::int64_t end = std::min<std::int64_t>(sourceFirst - sourceLeft + sourceCount,
                                                    first - destinationLeft + count);
    if (skip >= end) continue;
    const std::uint8_t* from = Row(static_cast<std::uint32_t>(sy)) + (sourceLeft + skip) * bpp;
    std::uint8_t* to = Row(static_cast<std::uint32_t>(dy)) + (destinationLeft + skip) * bpp;
    const std::size_t pixels = static_cast<std::size_t>(end - skip);
    const bool overlaps = from < to + pixels * bpp && to < from + pixels * bpp;
    if (!compare && !overlaps) {
      std::memcpy(to, from, pixels * bpp);
      continue;
    }
    for (std::size_t column = 0; column < pixels; ++column) {
      const std::size_t at = (stepX > 0 ? column : pixels - 1 - column) * bpp;
      if (compare && std::memcmp(from + at, &key, colourBytes) == 0) continue;
      std::memmove(to + at, from + at, bpp);
    }
  }
}

}  // namespace machine

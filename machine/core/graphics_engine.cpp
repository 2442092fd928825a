#include "machine/core/graphics_engine.h"

#include <cstring>

namespace machine {

bool GraphicsEngine::IsEnginePort(std::uint16_t port) {
  switch (port & ~1u) {
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
    case 0xA6E8:
      return &r_.foregroundColour;
    case 0xB2E8:
      return &r_.compareColour;
    case 0xBAE8:
      return &r_.foregroundMix;
    default:
      return &r_.multifunction;
  }
}

void GraphicsEngine::Out(std::uint16_t port, std::uint8_t value, std::uint64_t now) {
  std::uint16_t* reg = Register(port);
  if (port & 1) {
    *reg = static_cast<std::uint16_t>((*reg & 0x00FF) | value << 8);
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
  // Busy while drawing; the command FIFO has room at once.
  const std::uint16_t status = now < r_.busyUntil ? kEngineBusy : 0;
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

std::uint8_t* GraphicsEngine::Pixel(std::uint32_t x, std::uint32_t y) const {
  if (frame_.memory == nullptr || frame_.bytesPerPixel == 0) return nullptr;
  if (x * frame_.bytesPerPixel >= frame_.pitch) return nullptr;
  const std::size_t offset = static_cast<std::size_t>(y) * frame_.pitch + x * frame_.bytesPerPixel;
  if (offset + frame_.bytesPerPixel > frame_.size) return nullptr;
  return frame_.memory + offset;
}

void GraphicsEngine::Fill() {
  const std::uint32_t colour = r_.foregroundColour;
  for (std::uint32_t row = 0; row <= r_.height; ++row) {
    for (std::uint32_t column = 0; column <= r_.width; ++column) {
      if (std::uint8_t* pixel = Pixel(r_.sourceX + column, r_.sourceY + row)) {
        std::memcpy(pixel, &colour, frame_.bytesPerPixel < 4 ? frame_.bytesPerPixel : 4);
      }
    }
  }
}

// From the source corner to the destination corner, in the command's directions: backwards
// from the last column and row when a move would overwrite what it has still to copy.
void GraphicsEngine::Copy() {
  const int stepX = (r_.command & kIncreasingX) ? 1 : -1;
  const int stepY = (r_.command & kIncreasingY) ? 1 : -1;
  const bool compare = (r_.miscellaneous & kCompareSource) != 0;
  std::uint32_t key = r_.compareColour;
  for (std::uint32_t row = 0; row <= r_.height; ++row) {
    for (std::uint32_t column = 0; column <= r_.width; ++column) {
      const std::uint32_t sx =
          static_cast<std::uint32_t>(r_.sourceX + stepX * static_cast<int>(column));
      const std::uint32_t sy =
          static_cast<std::uint32_t>(r_.sourceY + stepY * static_cast<int>(row));
      const std::uint32_t dx =
          static_cast<std::uint32_t>(r_.destinationX + stepX * static_cast<int>(column));
      const std::uint32_t dy =
          static_cast<std::uint32_t>(r_.destinationY + stepY * static_cast<int>(row));
      const std::uint8_t* from = Pixel(sx & 0xFFFF, sy & 0xFFFF);
      std::uint8_t* to = Pixel(dx & 0xFFFF, dy & 0xFFFF);
      if (from == nullptr || to == nullptr) continue;
      if (compare &&
          std::memcmp(from, &key, frame_.bytesPerPixel < 4 ? frame_.bytesPerPixel : 4) == 0) {
        continue;
      }
      std::memmove(to, from, frame_.bytesPerPixel);
    }
  }
}

}  // namespace machine

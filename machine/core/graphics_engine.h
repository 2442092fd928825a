#pragma once
// The card's 2D graphics engine: the 8514-compatible registers through which a driver fills
// rectangles and copies them within the frame buffer (in either direction, with a colour that
// the source may be compared with and skipped), and its status register. A command draws at
// once; the engine then reports itself busy for as long as the chip would draw.

#include <cstddef>
#include <cstdint>

namespace machine {

struct EngineRegisters {
  std::uint16_t sourceY;           // 0x82E8
  std::uint16_t sourceX;           // 0x86E8
  std::uint16_t destinationY;      // 0x8AE8
  std::uint16_t destinationX;      // 0x8EE8
  std::uint16_t width;             // 0x96E8: pixels less one
  std::uint16_t command;           // 0x9AE8 (written)
  std::uint16_t foregroundColour;  // 0xA6E8
  std::uint16_t compareColour;     // 0xB2E8
  std::uint16_t foregroundMix;     // 0xBAE8
  std::uint16_t height;            // 0xBEE8 index 0: rows less one
  std::uint16_t pixelControl;      // 0xBEE8 index 0xA
  std::uint16_t miscellaneous;     // 0xBEE8 index 0xE: bit 8 compares the source's colour
  std::uint16_t multifunction;     // the word being written to 0xBEE8
  std::uint64_t busyUntil;         // microseconds of the card's clock
  std::uint32_t commandCount;
};

// The frame buffer as the engine draws on it: the current mode's pitch and pixel size.
struct FrameBufferView {
  std::uint8_t* memory;
  std::size_t size;
  std::uint32_t pitch;
  std::uint32_t bytesPerPixel;
};

inline constexpr std::uint16_t kEngineStatus = 0x9AE8;
inline constexpr std::uint16_t kEngineBusy = 0x0200;
// Commands: a rectangle fill, a screen-to-screen copy; bits 5 and 7 draw towards greater x and
// y, cleared from the last column and row backwards.
inline constexpr std::uint16_t kCommandTypeMask = 0xE000;
inline constexpr std::uint16_t kRectangleFill = 0x4000;
inline constexpr std::uint16_t kScreenCopy = 0xC000;
inline constexpr std::uint16_t kIncreasingX = 0x0020;
inline constexpr std::uint16_t kIncreasingY = 0x0080;
inline constexpr std::uint16_t kCompareSource = 0x0100;
// Nanoseconds the engine takes a pixel: some 50 million pixels a second.
inline constexpr std::uint64_t kNanosecondsPerPixel = 20;

class GraphicsEngine {
 public:
  GraphicsEngine(EngineRegisters& registers, FrameBufferView frameBuffer)
      : r_(registers), frame_(frameBuffer) {}

  static bool IsEnginePort(std::uint16_t port);
  // A byte of a register; a command runs when the high byte of 0x9AE8 arrives.
  void Out(std::uint16_t port, std::uint8_t value, std::uint64_t now);
  std::uint8_t In(std::uint16_t port, std::uint64_t now) const;

 private:
  std::uint16_t* Register(std::uint16_t port);
  void Run(std::uint64_t now);
  void Fill();
  void Copy();
  bool Span(std::int64_t x, std::uint32_t width, std::uint32_t y, std::uint32_t* first,
            std::uint32_t* count) const;
  std::uint8_t* Row(std::uint32_t y) const;

  EngineRegisters& r_;
  FrameBufferView frame_;
};

}  // namespace machine

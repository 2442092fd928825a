#pragma once
// The card's 2D graphics engine: the 8514-compatible registers through which a driver fills
// rectangles and copies them within the frame buffer (pixel by pixel in the command's
// direction, with a colour that the source may be compared with and skipped), and its status
// register. A command draws at once; the engine then reports itself busy for as long as the chip
// would draw, and what is written meanwhile waits in its command FIFO.

#include <cstddef>
#include <cstdint>

namespace machine {

struct EngineRegisters {
  std::uint16_t sourceY;       // 0x82E8
  std::uint16_t sourceX;       // 0x86E8
  std::uint16_t destinationY;  // 0x8AE8
  std::uint16_t destinationX;  // 0x8EE8
  std::uint16_t width;         // 0x96E8: pixels less one
  std::uint16_t command;       // 0x9AE8 (written)
  // Colours as wide as the pixels: at 24 and 32 bits two words, the low half, then the high half
  // (index 0xE bit 4 says which comes next), or the high half through the port + 2 (bit 9).
  std::uint32_t foregroundColour;  // 0xA6E8
  std::uint32_t compareColour;     // 0xB2E8
  std::uint16_t colourLatch;       // a colour word's low byte, until its high byte comes
  std::uint16_t foregroundMix;     // 0xBAE8
  std::uint16_t height;            // 0xBEE8 index 0: rows less one
  std::uint16_t pixelControl;      // 0xBEE8 index 0xA
  std::uint16_t miscellaneous;     // 0xBEE8 index 0xE: bit 8 compares the source's colour
  std::uint16_t multifunction;     // the word being written to 0xBEE8
  std::uint64_t busyUntil;         // microseconds of the card's clock
  std::uint32_t commandCount;
  // When each of the FIFO's slots empties: a word written while the engine draws waits until it
  // is done.
  std::uint64_t fifoLeaves[13];
  std::uint32_t fifoNext;
};

// The frame buffer as the engine draws on it: the current mode's pitch and pixel size.
struct FrameBufferView {
  std::uint8_t* memory;
  std::size_t size;
  std::uint32_t pitch;
  std::uint32_t bytesPerPixel;
};

// Status: bits 7-0 a thermometer of the first eight FIFO slots filled (0x00 eight free, 0xFF
// none), bits 11-15 the other five slots, bit 9 busy, bit 10 every slot empty.
inline constexpr std::uint16_t kEngineStatus = 0x9AE8;
inline constexpr std::uint16_t kEngineBusy = 0x0200;
inline constexpr std::uint16_t kFifoEmpty = 0x0400;
// Commands: a rectangle fill, a screen-to-screen copy; bits 5 and 7 draw towards greater x and
// y, cleared from the last column and row backwards.
inline constexpr std::uint16_t kCommandTypeMask = 0xE000;
inline constexpr std::uint16_t kRectangleFill = 0x4000;
inline constexpr std::uint16_t kScreenCopy = 0xC000;
inline constexpr std::uint16_t kIncreasingX = 0x0020;
inline constexpr std::uint16_t kIncreasingY = 0x0080;
inline constexpr std::uint16_t kCompareSource = 0x0100;
inline constexpr std::uint16_t kUpperColourWord = 0x0010;
inline constexpr std::uint16_t kUpperWordPorts = 0x0200;
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
  void WriteColour(std::uint16_t port, std::uint16_t word);
  void Queue(std::uint64_t now);
  std::uint32_t FifoFilled(std::uint64_t now) const;
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

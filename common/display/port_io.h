#pragma once
// Byte input and output on the card's I/O ports, and CRT controller registers reached through
// them (index to the index port, then the data port).

#include <cstdint>

class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual std::uint8_t In(std::uint16_t port) = 0;
  virtual void Out(std::uint16_t port, std::uint8_t value) = 0;
  // A 16-bit write: the low byte to the port, the high byte to the next one; to an index port
  // it writes index and data at once.
  void OutWord(std::uint16_t port, std::uint16_t value) {
    Out(port, static_cast<std::uint8_t>(value & 0xFF));
    Out(static_cast<std::uint16_t>(port + 1), static_cast<std::uint8_t>(value >> 8));
  }
};

namespace vga {
inline constexpr std::uint16_t kMiscOutputRead = 0x3CC;
inline constexpr std::uint16_t kMiscOutputWrite = 0x3C2;
inline constexpr std::uint16_t kColourCrtcIndex = 0x3D4;
inline constexpr std::uint16_t kMonoCrtcIndex = 0x3B4;
inline constexpr std::uint16_t kColourInputStatus = 0x3DA;
inline constexpr std::uint16_t kMonoInputStatus = 0x3BA;
// The S3 register locks and their keys.
inline constexpr std::uint8_t kLock1 = 0x38;
inline constexpr std::uint8_t kLock1Key = 0x48;
inline constexpr std::uint8_t kLock2 = 0x39;
inline constexpr std::uint8_t kLock2Key = 0xA5;
}  // namespace vga

// The CRT controller at a given index port (its data port follows it).
class Crtc {
 public:
  Crtc(PortIo& ports, std::uint16_t indexPort) : ports_(ports), indexPort_(indexPort) {}
  // The controller where Miscellaneous Output bit 0 puts it: 0x3D4 (colour) or 0x3B4 (mono).
  static Crtc Selected(PortIo& ports);

  std::uint8_t Read(std::uint8_t index) {
    ports_.Out(indexPort_, index);
    return ports_.In(indexPort_ + 1);
  }
  void Write(std::uint8_t index, std::uint8_t value) {
    ports_.Out(indexPort_, index);
    ports_.Out(indexPort_ + 1, value);
  }

 private:
  PortIo& ports_;
  std::uint16_t indexPort_;
};

inline Crtc Crtc::Selected(PortIo& ports) {
  const bool colour = ports.In(vga::kMiscOutputRead) & 0x01;
  return Crtc(ports, colour ? vga::kColourCrtcIndex : vga::kMonoCrtcIndex);
}

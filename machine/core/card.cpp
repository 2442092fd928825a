#include "machine/core/card.h"

#include "machine/core/crt_timing.h"

namespace machine {
namespace {

constexpr std::uint8_t kProtectBit = 0x80;  // CR11: CR00-CR07 are write-protected
// The chips test their keys with masks, so CR38 = 0x48 or 0x7B unlock alike.
constexpr std::uint8_t kLock1Mask = 0xCC;
constexpr std::uint8_t kLock2Mask = 0xE0;
constexpr std::uint8_t kLock2Masked = 0xA0;
// Input Status 0: bit 4, the switch sense, as a colour monitor answers.
constexpr std::uint8_t kInputStatus0 = 0x10;
// The DAC's palette ports.
constexpr std::uint16_t kDacReadIndex = 0x3C7;
constexpr std::uint16_t kDacWriteIndex = 0x3C8;
constexpr std::uint16_t kDacData = 0x3C9;

int Bit(std::uint32_t value, int bit) {
  return (value >> bit) & 1;
}

std::uint8_t Low(std::uint32_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

struct Vertical {
  std::uint32_t total;
  std::uint32_t displayEnd;
  std::uint32_t retraceStart;
  std::uint32_t retraceEnd;
};

// From the Vision964 (CR30 0xD1) on: the Vision968 and the Trio family (0xE1).
bool ChipHasCr69(const std::uint8_t* crtc) {
  return crtc[0x30] == 0xD1 || crtc[0x30] == 0xE1;
}

Vertical VerticalTiming(const std::uint8_t* crtc) {
  const TimingAxis vertical = DecodeTiming(crtc).vertical;
  return {vertical.total, vertical.displayEnd, vertical.syncStart, vertical.syncEnd};
}

}  // namespace

ChipIdentity IdentityOf(Chip chip) {
  switch (chip) {
    case Chip::Trio32:
      return {0xE1, 0x10, 0x00};
    case Chip::Trio64:
      return {0xE1, 0x11, 0x00};
    case Chip::Trio64VPlus:
      return {0xE1, 0x11, 0x40};
    case Chip::Vision964:
      return {0xD1, 0x00, 0x00};
    case Chip::Vision968:
      return {0xE1, 0xF0, 0x00};
    default:
      return {0x90, 0x00, 0x00};
  }
}

std::uint8_t MemoryBitsOf(std::uint32_t memoryKb) {
  switch (memoryKb) {
    case 512:
      return 7;
    case 1024:
      return 6;
    case 2048:
      return 4;
    default:
      return 0;
  }
}

std::uint8_t Card::In(std::uint16_t port) {
  if (port == vga::kMiscOutputRead) return r_.miscOutput;
  if (port == CrtcIndexPort()) return r_.crtcIndex;
  // Reads ignore the locks: a program asks CR30 who the chip is before it knows which keys the
  // chip takes (the identification routines of the suite unlock first all the same).
  if (port == CrtcIndexPort() + 1) return r_.crtc[r_.crtcIndex];
  if (port == (ColourAddressing() ? vga::kColourInputStatus : vga::kMonoInputStatus)) {
    return InputStatus();
  }
  if (port == vga::kMiscOutputWrite) return kInputStatus0;
  if (port == kDacData) {
    const std::uint8_t value = r_.palette[r_.dacRead % sizeof(r_.palette)];
    r_.dacRead = static_cast<std::uint16_t>((r_.dacRead + 1) % sizeof(r_.palette));
    return value;
  }
  return InEnhanced(port);
}

// The 8514-compatible registers answer only in enhanced mode (CR40 bit 0).
GraphicsEngine Card::Engine() {
  FrameBufferView view{memory_, memorySize_, 0, 0};
  if (mode_ != nullptr) {
    view.pitch = mode_->width * mode_->bitsPerPixel / 8;
    view.bytesPerPixel = mode_->bitsPerPixel / 8;
  }
  return GraphicsEngine(r_.engine, view);
}

std::uint8_t Card::InEnhanced(std::uint16_t port) {
  if (!Enhanced()) return 0xFF;
  if (GraphicsEngine::IsEnginePort(port)) return Engine().In(port, clock_());
  if (port == 0x92E8) return Low(r_.engine92E8);
  if (port == 0x92E9) return Low(r_.engine92E8 >> 8);
  // Subsystem status: bit 0, the vertical sync, latched until cleared.
  if (port == 0x42E8) return SyncLatched(clock_()) ? 0x01 : 0x00;
  return 0xFF;
}

void Card::OutEnhanced(std::uint16_t port, std::uint8_t value) {
  if (!Enhanced()) return;
  if (GraphicsEngine::IsEnginePort(port)) {
    Engine().Out(port, value, clock_());
  } else if (port == 0x92E8) {
    r_.engine92E8 = static_cast<std::uint16_t>((r_.engine92E8 & 0xFF00) | value);
  } else if (port == 0x92E9) {
    // Fourteen bits, the sign extended into the top two.
    std::uint16_t word = static_cast<std::uint16_t>((r_.engine92E8 & 0x00FF) | (value & 0x3F) << 8);
    if (word & 0x2000) word |= 0xC000;
    r_.engine92E8 = word;
  } else if (port == 0x42E8 && (value & 0x01)) {
    // Subsystem control: a 1 in bit 0 clears the latched vertical sync.
    r_.syncClearedAt = clock_();
  }
}

void Card::Out(std::uint16_t port, std::uint8_t value) {
  if (port == vga::kMiscOutputWrite) {
    r_.miscOutput = value;
  } else if (port == CrtcIndexPort()) {
    r_.crtcIndex = value;
  } else if (port == CrtcIndexPort() + 1) {
    if (Writable(r_.crtcIndex)) WriteCrtc(r_.crtcIndex, value);
  } else if (port == kDacReadIndex) {
    r_.dacRead = static_cast<std::uint16_t>(value * 3);
  } else if (port == kDacWriteIndex) {
    r_.dacWrite = static_cast<std::uint16_t>(value * 3);
  } else if (port == kDacData) {
    r_.palette[r_.dacWrite % sizeof(r_.palette)] = value & 0x3F;
    r_.dacWrite = static_cast<std::uint16_t>((r_.dacWrite + 1) % sizeof(r_.palette));
  } else {
    OutEnhanced(port, value);
  }
}

bool Card::HasCr69() const {
  return ChipHasCr69(r_.crtc);
}

bool Card::Writable(std::uint8_t index) const {
  if (index == vga::kLock1 || index == vga::kLock2) return true;
  // Identification is read-only.
  if ((index >= 0x2D && index <= 0x30) || index == 0x36) return false;
  if (index >= 0x2D && index <= 0x3F) {
    return (r_.crtc[vga::kLock1] & kLock1Mask) == vga::kLock1Key;
  }
  if (index >= 0x40) return (r_.crtc[vga::kLock2] & kLock2Mask) == kLock2Masked;
  // Bit 4 of CR07 stays writable under the protection.
  if (index <= 0x07) return !(r_.crtc[0x11] & kProtectBit) || index == 0x07;
  return true;
}

void Card::WriteCrtc(std::uint8_t index, std::uint8_t value) {
  if (index == 0x07 && (r_.crtc[0x11] & kProtectBit)) {
    value = static_cast<std::uint8_t>((r_.crtc[0x07] & ~0x10) | (value & 0x10));
  }
  StoreCrtc(index, value);
}

void Card::StoreCrtc(std::uint8_t index, std::uint8_t value) {
  r_.crtc[index] = value;
  // CR31 bits 4-5, CR51 bits 0-1 and CR69 are one field, the start address's bits 16-20:
  // CR69 overwrites what the others set, and each reads the whole.
  std::uint8_t* crtc = r_.crtc;
  if (!HasCr69()) return;
  if (index == 0x31) {
    crtc[0x69] = static_cast<std::uint8_t>((crtc[0x69] & ~0x03) | (value >> 4 & 0x03));
  } else if (index == 0x51) {
    crtc[0x69] = static_cast<std::uint8_t>((crtc[0x69] & ~0x0C) | (value & 0x03) << 2);
  } else if (index == 0x69) {
    crtc[0x69] = value & 0x1F;
    crtc[0x31] = static_cast<std::uint8_t>((crtc[0x31] & ~0x30) | (value & 0x03) << 4);
    crtc[0x51] = static_cast<std::uint8_t>((crtc[0x51] & ~0x03) | (value >> 2 & 0x03));
  }
}

std::uint8_t Card::InputStatus() const {
  if (r_.refreshHz == 0) return 0x00;
  const std::uint64_t now = clock_();
  const Vertical vertical = VerticalTiming(r_.crtc);
  const std::uint64_t frame = 1000000 / r_.refreshHz;
  const std::uint64_t lineTime = frame * 1000 / vertical.total;  // nanoseconds
  const std::uint64_t inFrame = now % frame * 1000;
  const std::uint64_t line = inFrame / lineTime;
  // Horizontal blank: the part of the line after the displayed characters.
  const std::uint32_t totalChars = r_.crtc[0x00] + 5u;
  const std::uint32_t shownChars = r_.crtc[0x01] + 1u;
  const bool horizontalBlank = inFrame % lineTime * totalChars >= lineTime * shownChars;
  std::uint8_t status = 0;
  if (line >= vertical.displayEnd || horizontalBlank) status |= 0x01;
  if (InVerticalRetrace(now)) status |= 0x08;
  return status;
}

bool Card::SyncLatched(std::uint64_t now) const {
  if (r_.refreshHz == 0) return false;
  const Vertical vertical = VerticalTiming(r_.crtc);
  const std::uint64_t frame = 1000000 / r_.refreshHz;
  const std::uint64_t displayEnd = frame * vertical.displayEnd / vertical.total;
  // Display ends passed by a moment: those of frames whose end-of-display lies at or before it.
  const auto endsBy = [&](std::uint64_t t) {
    return t < displayEnd ? 0 : (t - displayEnd) / frame + 1;
  };
  return endsBy(now) > endsBy(r_.syncClearedAt);
}

bool Card::InVerticalRetrace(std::uint64_t now) const {
  if (r_.refreshHz == 0) return false;
  const Vertical vertical = VerticalTiming(r_.crtc);
  const std::uint64_t frame = 1000000 / r_.refreshHz;
  const std::uint64_t line = now % frame * vertical.total / frame;
  return line >= vertical.retraceStart && line < vertical.retraceEnd;
}

void Card::PowerOn(Chip chip, std::uint32_t memoryKb) {
  r_ = CardRegisters{};
  r_.miscOutput = 0x67;
  const ChipIdentity identity = IdentityOf(chip);
  r_.crtc[0x2D] = 0x88;
  r_.crtc[0x2E] = identity.cr2e;
  r_.crtc[0x2F] = identity.cr2f;
  r_.crtc[0x30] = identity.cr30;
  // Bits 1-4: PCI bus, fast page memory, as these boards read.
  r_.crtc[0x36] = static_cast<std::uint8_t>(MemoryBitsOf(memoryKb) << 5 | 0x1E);
}

void Card::SetMode(const DisplayMode& mode, std::uint32_t refreshHz) {
  std::uint8_t* crtc = r_.crtc;
  // Horizontal timing in character clocks of eight pixels.
  const std::uint32_t shown = mode.width / 8;
  const std::uint32_t total = shown * 13 / 10;
  const std::uint32_t blankEnd = (total - 3) & 0x3F;
  // The sync pulses lie in the middle of the blanking, so a monitor centres the picture.
  const std::uint32_t syncLength = (total - shown) / 3;
  const std::uint32_t syncStart = shown + (total - shown - syncLength) / 2;
  const std::uint32_t syncEnd = (syncStart + syncLength) & 0x1F;
  crtc[0x00] = Low(total - 5);
  crtc[0x01] = Low(shown - 1);
  crtc[0x02] = Low(shown);
  crtc[0x03] = static_cast<std::uint8_t>(0x80 | (blankEnd & 0x1F));
  crtc[0x04] = Low(syncStart);
  crtc[0x05] = static_cast<std::uint8_t>(Bit(blankEnd, 5) << 7 | syncEnd);
  crtc[0x5D] = static_cast<std::uint8_t>(Bit(total - 5, 8) | Bit(shown - 1, 8) << 1 |
                                         Bit(shown, 8) << 2 | Bit(syncStart, 8) << 4);
  // Vertical timing in lines; the line compare is off (all ones).
  const std::uint32_t lines = mode.height;
  const std::uint32_t vTotal = lines * 105 / 100 + 20;
  const std::uint32_t vSync = lines + (vTotal - lines - 3) / 2;
  crtc[0x06] = Low(vTotal - 2);
  crtc[0x07] = static_cast<std::uint8_t>(
      Bit(vTotal - 2, 8) | Bit(lines - 1, 8) << 1 | Bit(vSync, 8) << 2 | Bit(lines, 8) << 3 |
      1 << 4 | Bit(vTotal - 2, 9) << 5 | Bit(lines - 1, 9) << 6 | Bit(vSync, 9) << 7);
  crtc[0x09] = static_cast<std::uint8_t>(0x40 | Bit(lines, 9) << 5);
  crtc[0x10] = Low(vSync);
  crtc[0x11] = static_cast<std::uint8_t>(kProtectBit | ((vSync + 3) & 0x0F));
  crtc[0x12] = Low(lines - 1);
  crtc[0x15] = Low(lines);
  crtc[0x16] = Low(vTotal - 1);
  crtc[0x17] = 0xE3;
  crtc[0x18] = 0xFF;
  crtc[0x5E] = static_cast<std::uint8_t>(Bit(vTotal - 2, 10) | Bit(lines - 1, 10) << 1 |
                                         Bit(lines, 10) << 2 | Bit(vSync, 10) << 4 | 0x40);
  // Line offset in units of eight bytes (CR31 bit 3: enhanced memory mapping).
  const std::uint32_t offset = mode.width * mode.bitsPerPixel / 8 / 8;
  crtc[0x13] = Low(offset);
  crtc[0x14] = 0x00;
  crtc[0x43] = static_cast<std::uint8_t>((crtc[0x43] & ~0x04) | Bit(offset, 8) << 2);
  crtc[0x51] = static_cast<std::uint8_t>((crtc[0x51] & ~0x30) | (offset >> 8 & 0x03) << 4);
  // Enhanced mode on, as the Windows drivers of these chips set it.
  crtc[0x40] |= 0x01;
  r_.miscOutput = 0xEF;
  r_.refreshHz = refreshHz;
  SetViewportOrigin(mode, 0, 0);
}

std::uint32_t DisplayStart(const std::uint8_t* crtc) {
  std::uint32_t start = crtc[0x0C] << 8 | crtc[0x0D];
  if (ChipHasCr69(crtc)) {
    start |= (crtc[0x69] & 0x1Fu) << 16;
  } else {
    start |= (crtc[0x31] >> 4 & 0x03u) << 16 | (crtc[0x51] & 0x03u) << 18;
  }
  return start * 4;  // the registers count double words
}

PanPosition Card::ViewportOrigin(const DisplayMode& mode) const {
  const std::uint32_t pitch = mode.width * mode.bitsPerPixel / 8;
  if (pitch == 0 || mode.bitsPerPixel == 0) return {0, 0};
  const std::uint32_t offset = DisplayStart(r_.crtc);
  return {offset % pitch * 8 / mode.bitsPerPixel, offset / pitch};
}

void Card::SetViewportOrigin(const DisplayMode& mode, std::uint32_t x, std::uint32_t y) {
  const std::uint32_t pitch = mode.width * mode.bitsPerPixel / 8;
  const std::uint32_t start = (y * pitch + x * mode.bitsPerPixel / 8) / 4;  // in double words
  std::uint8_t* crtc = r_.crtc;
  crtc[0x0C] = Low(start >> 8);
  crtc[0x0D] = Low(start);
  StoreCrtc(0x31,
            static_cast<std::uint8_t>((crtc[0x31] & ~0x30) | 0x08 | (start >> 16 & 0x03) << 4));
  StoreCrtc(0x51, static_cast<std::uint8_t>((crtc[0x51] & ~0x03) | (start >> 18 & 0x03)));
  if (HasCr69()) StoreCrtc(0x69, Low(start >> 16 & 0x1F));
}

std::uint8_t Card::DriverView::In(std::uint16_t port) {
  return card_.In(port);
}

void Card::DriverView::Out(std::uint16_t port, std::uint8_t value) {
  if (port == card_.CrtcIndexPort() + 1) {
    card_.StoreCrtc(card_.r_.crtcIndex, value);
  } else {
    card_.Out(port, value);
  }
}

}  // namespace machine

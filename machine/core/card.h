#pragma once
// The S3 card's I/O ports: the VGA CRT controller with the S3 extended registers and their
// locks, Miscellaneous Output, Input Status 0 and 1 with a vertical retrace on the real clock,
// and, while enhanced mode is on, the 8514-compatible registers the suite probes, with the
// vertical-sync status latched once a frame. Ports no card answers read 0xFF.

#include <cstdint>
#include <functional>

#include "common/display/port_io.h"
#include "machine/core/display_modes.h"
#include "machine/core/graphics_engine.h"
#include "machine/core/machine_config.h"

namespace machine {

struct CardRegisters {
  std::uint8_t miscOutput;
  std::uint8_t crtcIndex;
  std::uint8_t crtc[256];
  std::uint16_t engine92E8;
  // When a program last cleared the latched vertical-sync status (0x42E8 bit 0), in
  // microseconds of the card's clock.
  std::uint64_t syncClearedAt;
  // Vertical refresh of the current mode; 0 means the card shows no retrace at all.
  std::uint32_t refreshHz;
  EngineRegisters engine;
  // The DAC: 256 palette entries of three 6-bit values, the read and write positions (entry
  // times three plus the component).
  std::uint8_t palette[256 * 3];
  std::uint16_t dacRead;
  std::uint16_t dacWrite;
};

// Where the viewport's top-left corner is on the desktop.
struct PanPosition {
  std::uint32_t x;
  std::uint32_t y;

  bool operator==(const PanPosition& other) const { return x == other.x && y == other.y; }
};

// The chip's answer to identification: CR30, CR2E and CR2F.
struct ChipIdentity {
  std::uint8_t cr30;
  std::uint8_t cr2e;
  std::uint8_t cr2f;
};
ChipIdentity IdentityOf(Chip chip);
// CR36 bits 7-5 for the video memory.
std::uint8_t MemoryBitsOf(std::uint32_t memoryKb);
// Where the CRT controller's start address puts the display in video memory, in bytes.
std::uint32_t DisplayStart(const std::uint8_t* crtc);

class Card : public PortIo {
 public:
  using Clock = std::function<std::uint64_t()>;  // microseconds

  Card(CardRegisters& registers, Clock clock) : r_(registers), clock_(std::move(clock)) {}

  // Port access as a program makes it: every lock applies.
  std::uint8_t In(std::uint16_t port) override;
  void Out(std::uint16_t port, std::uint8_t value) override;

  // What the BIOS and the display driver set, below the locks.
  void PowerOn(Chip chip, std::uint32_t memoryKb);
  void SetMode(const DisplayMode& mode, std::uint32_t refreshHz);
  void SetViewportOrigin(const DisplayMode& mode, std::uint32_t x, std::uint32_t y);
  // The corner that the start address registers show in this mode.
  PanPosition ViewportOrigin(const DisplayMode& mode) const;
  // The CRT controller as the driver reaches it: no lock applies.
  PortIo& DriverPorts() { return driver_; }
  // The video memory that the graphics engine draws on, laid out by the current mode.
  void AttachFrameBuffer(std::uint8_t* memory, std::size_t size, const DisplayMode* mode) {
    memory_ = memory;
    memorySize_ = size;
    mode_ = mode;
  }

 private:
  class DriverView : public PortIo {
   public:
    explicit DriverView(Card& card) : card_(card) {}
    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;

   private:
    Card& card_;
  };

  bool ColourAddressing() const { return r_.miscOutput & 0x01; }
  std::uint16_t CrtcIndexPort() const { return ColourAddressing() ? 0x3D4 : 0x3B4; }
  bool Writable(std::uint8_t index) const;
  // A write of a program, under CR11's protection; a store below every lock.
  void WriteCrtc(std::uint8_t index, std::uint8_t value);
  void StoreCrtc(std::uint8_t index, std::uint8_t value);
  std::uint8_t InputStatus() const;
  bool InVerticalRetrace(std::uint64_t now) const;
  bool Enhanced() const { return r_.crtc[0x40] & 0x01; }
  bool HasCr69() const;
  // The latched vertical-sync status: a display end has passed since the last clear.
  bool SyncLatched(std::uint64_t now) const;
  std::uint8_t InEnhanced(std::uint16_t port);
  void OutEnhanced(std::uint16_t port, std::uint8_t value);

  GraphicsEngine Engine();

  CardRegisters& r_;
  Clock clock_;
  std::uint8_t* memory_ = nullptr;
  std::size_t memorySize_ = 0;
  const DisplayMode* mode_ = nullptr;
  DriverView driver_{*this};
};

}  // namespace machine

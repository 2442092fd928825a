#pragma once
// The graphics control channel: the control device that reads and writes I/O ports for a Win32
// program. Opened by the constructor (a warning box when it cannot be), closed by the
// destructor. Without the device every call fails and changes nothing.

#include <windows.h>

#include <cstdint>

#include "common/display/port_io.h"

class GraphicsChannel : public PortIo {
 public:
  GraphicsChannel();
  ~GraphicsChannel();
  GraphicsChannel(const GraphicsChannel&) = delete;
  GraphicsChannel& operator=(const GraphicsChannel&) = delete;

  bool IsOpen() const { return device_ != INVALID_HANDLE_VALUE; }

  // A failed read returns `leftInBuffer`, the byte the caller put there.
  std::uint8_t ReadPort(std::uint16_t port, std::uint8_t leftInBuffer = 0);
  void WritePort(std::uint16_t port, std::uint8_t value);

  std::uint8_t In(std::uint16_t port) override { return ReadPort(port); }
  void Out(std::uint16_t port, std::uint8_t value) override { WritePort(port, value); }

 private:
  HANDLE device_;
};

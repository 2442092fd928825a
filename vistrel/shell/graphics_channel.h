#pragma once
// The graphics control channel: the control device that reads and writes I/O ports for a Win32
// program. Opened by the constructor (a warning box when it cannot be), closed by the
// destructor. Without the device every call fails and changes nothing.

#include <windows.h>

#include <cstdint>

class GraphicsChannel {
 public:
  GraphicsChannel();
  ~GraphicsChannel();
  GraphicsChannel(const GraphicsChannel&) = delete;
  GraphicsChannel& operator=(const GraphicsChannel&) = delete;

  bool IsOpen() const { return device_ != INVALID_HANDLE_VALUE; }

  // A failed read returns `leftInBuffer`, the byte the caller put there.
  std::uint8_t ReadPort(std::uint16_t port, std::uint8_t leftInBuffer = 0);
  void WritePort(std::uint16_t port, std::uint8_t value);
  // A CRT controller register through the index port 0x3D4 and the data port 0x3D5.
  std::uint8_t ReadCrtc(std::uint8_t index, std::uint8_t leftInBuffer = 0);
  void WriteCrtc(std::uint8_t index, std::uint8_t value);

 private:
  HANDLE device_;
};

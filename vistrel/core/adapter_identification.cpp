#include "vistrel/core/adapter_identification.h"

#include <functional>

namespace {

// Runs `ask` on the unlocked controller and locks it again as it was.
int AskUnlocked(PortIo& ports, const std::function<int(Crtc&)>& ask) {
  Crtc crtc = Crtc::Selected(ports);
  const std::uint8_t lock1 = crtc.Read(vga::kLock1);
  const std::uint8_t lock2 = crtc.Read(vga::kLock2);
  crtc.Write(vga::kLock1, vga::kLock1Key);
  crtc.Write(vga::kLock2, vga::kLock2Key);
  const int answer = ask(crtc);
  crtc.Write(vga::kLock1, lock1);
  crtc.Write(vga::kLock2, lock2);
  return answer;
}

int ChipOf(Crtc& crtc) {
  const std::uint8_t id = crtc.Read(0x30);
  if ((id & 0xF0) == 0xD0) return 3;
  if (id != 0xE1) return 5;
  const std::uint8_t extended = crtc.Read(0x2E);
  if (extended == 0xB0 || extended == 0xF0) return 4;
  if (extended == 0x10) return 0;
  if (extended == 0x11) return (crtc.Read(0x2F) & 0x40) ? 2 : 1;
  return 5;
}

int MemoryOf(Crtc& crtc) {
  switch (crtc.Read(0x36) >> 5) {
    case 0:
      return 4;
    case 6:
      return 1;
    case 7:
      return 0;
    default:
      return 2;
  }
}

}  // namespace

int IdentifyChip(PortIo& ports) {
  return AskUnlocked(ports, ChipOf);
}

int IdentifyMemory(PortIo& ports) {
  return AskUnlocked(ports, MemoryOf);
}

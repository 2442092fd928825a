#include "machine/win32/directdraw.h"

#include <cstring>

#include "common/win32/program_start.h"
#include "machine/core/card.h"
#include "machine/win32/simulator.h"

namespace machine {
namespace {

constexpr std::uint32_t kRgbFlag = 0x40;
constexpr std::uint32_t kPaletteIndexed8 = 0x20;

DriverPixelFormat FormatOf(const DisplayMode& mode) {
  DriverPixelFormat format{sizeof(DriverPixelFormat), kRgbFlag, 0, mode.bitsPerPixel, 0, 0, 0, 0};
  if (mode.bitsPerPixel <= 8) {
    format.flags |= kPaletteIndexed8;
  } else if (mode.bitsPerPixel == 16) {
    format.red = 0xF800, format.green = 0x7E0, format.blue = 0x1F;
  } else {
    format.red = 0xFF0000, format.green = 0xFF00, format.blue = 0xFF;
  }
  return format;
}

// Five entries a table (hardware codec, other surfaces, live video): the widest destination
// each setting serves, and the setting.
void FillFifoTables(std::uint8_t* tables) {
  const std::uint16_t widths[5] = {320, 640, 800, 1024, 1280};
  for (std::uint32_t table = 0; table < 3; ++table) {
    for (std::uint32_t entry = 0; entry < 5; ++entry) {
      std::uint8_t* at = tables + table * 50 + entry * 10;
      const std::uint32_t setting = 0x00010000 * (table + 1) + 0x0C00 + entry * 0x100;
      std::memcpy(at, &widths[entry], 2);
      std::memcpy(at + 2, &setting, 4);
    }
  }
}

// The block holds flat addresses of a process (video memory, the callbacks): each process has
// a block of its own, in a slot of the driver's data area.
struct DriverDataSlot {
  std::uint32_t process;
  std::uint32_t reserved;
  DriverData data;
};
constexpr std::size_t kSlotCount = kDriverDataAreaSize / sizeof(DriverDataSlot);

DriverDataSlot* Slots() {
  return reinterpret_cast<DriverDataSlot*>(reinterpret_cast<std::uint8_t*>(State()) +
                                           kDriverDataOffset);
}

// This process's slot: the one it holds, or one that no running process holds; none when every
// slot is another running process's.
DriverDataSlot* ThisProcessSlot() {
  DriverDataSlot* slots = Slots();
  const DWORD self = GetCurrentProcessId();
  for (std::size_t i = 0; i < kSlotCount; ++i) {
    if (slots[i].process == self) return &slots[i];
  }
  for (std::size_t i = 0; i < kSlotCount; ++i) {
    if (slots[i].process == 0 || !ProcessRunning(slots[i].process)) {
      slots[i].process = self;
      return &slots[i];
    }
  }
  return nullptr;
}

}  // namespace

std::uint32_t PrepareDriverData() {
  SharedState* state = State();
  if (state == nullptr) return 0;
  StateLock lock;
  DriverDataSlot* slot = ThisProcessSlot();
  if (slot == nullptr) return 0;
  DriverData* data = &slot->data;
  std::memset(data, 0, sizeof(*data));
  const DisplayMode& mode = state->display.current;
  data->selector = kRegisterSelector;
  data->frameBufferBase = reinterpret_cast<std::uintptr_t>(FrameBuffer());
  data->pitch = mode.width * mode.bitsPerPixel / 8;
  data->primaryFormat = FormatOf(mode);
  // The chips without CR69 keep the start address's high bits where the older chips did.
  const std::uint8_t identity = IdentityOf(state->card.chip).cr30;
  data->chipId = identity == 0xD1 || identity == 0xE1 ? identity : 0xA0;
  if (state->card.chip == Chip::Trio64VPlus) {
    data->capabilities = kStreamsProcessorInUse;
    state->card.registers.crtc[0x67] |= 0x0C;
  }
  FillFifoTables(data->fifoTables);
  const auto offset =
      reinterpret_cast<std::uint8_t*>(data) - reinterpret_cast<std::uint8_t*>(Slots());
  return kDriverDataAddress | static_cast<std::uint32_t>(offset);
}

void* MapSLFix(std::uint32_t address) {
  if (State() == nullptr) return nullptr;
  const std::uint32_t selector = address >> 16;
  const std::uint32_t offset = address & 0xFFFF;
  if (selector == kDriverDataSelector && offset + sizeof(DriverData) <= kDriverDataAreaSize) {
    return reinterpret_cast<std::uint8_t*>(Slots()) + offset;
  }
  if (selector == kRegisterSelector) return RegisterAperture() + offset;
  return nullptr;
}

}  // namespace machine

#pragma once
// The state of the simulated PC that every process shares. It lives in a file-backed mapping, so
// its layout is fixed-size plain data; a new layout gets a new version, and a state of another
// version is booted afresh. The mapping is larger than the state: the card's frame buffer, its
// memory-mapped registers and the display driver's data go behind it.

#include <cstddef>
#include <cstdint>

#include "machine/core/card.h"
#include "machine/core/cd_drive.h"
#include "machine/core/display_modes.h"
#include "machine/core/driver.h"
#include "machine/core/machine_config.h"

namespace machine {

inline constexpr std::uint32_t kStateMagic = 0x4E56524D;  // "MRVN"
inline constexpr std::uint32_t kStateVersion = 8;
inline constexpr std::size_t kMappingSize = 8u << 20;

struct CardBlock {
  Chip chip;
  std::uint32_t memoryKb;
  std::uint32_t controlDevice;
  std::uint32_t refuseChanges;
  CardRegisters registers;
};

struct MonitorBlock {
  std::uint32_t present;
  std::uint32_t maxWidth;
  std::uint32_t maxHeight;
};

struct PowerBlock {
  std::uint32_t logoffCount;
  std::uint32_t restartCount;
  std::uint32_t shutdownCount;
  std::uint32_t lastFlags;
  std::uint32_t lastReason;
};

struct SharedState {
  std::uint32_t magic;
  std::uint32_t version;
  std::uint32_t bootCount;
  CardBlock card;
  MonitorBlock monitor;
  DisplayState display;
  ModeHistory history;
  EscapeBlock escapes;
  PowerBlock power;
  CdDriveBlock cd;
};

// The card's video memory follows the state in the mapping, as much as the largest card has.
inline constexpr std::size_t kFrameBufferOffset = 64u << 10;
inline constexpr std::size_t kFrameBufferSize = 4u << 20;
static_assert(sizeof(SharedState) <= kFrameBufferOffset);
static_assert(kFrameBufferOffset + kFrameBufferSize <= kMappingSize);
// Then the memory-mapped registers, the streams processor's among them (plain memory: the
// monitor composes its picture from what they hold).
inline constexpr std::size_t kRegisterApertureOffset = kFrameBufferOffset + kFrameBufferSize;
inline constexpr std::size_t kRegisterApertureSize = 64u << 10;
// Then the display driver's data blocks for DirectDraw, one for each process that uses it, as
// each holds flat addresses of its process.
inline constexpr std::size_t kDriverDataOffset = kRegisterApertureOffset + kRegisterApertureSize;
inline constexpr std::size_t kDriverDataAreaSize = 64u << 10;
static_assert(kDriverDataOffset + kDriverDataAreaSize <= kMappingSize);

bool IsValid(const SharedState& state);

// A cold start: everything from the configuration, no power requests, no mode waiting; the
// card shows the boot mode at the rate of `refreshCode`, the `Refresh` code for its width.
void Boot(SharedState& state, const MachineConfig& config, int refreshCode);

// ChangeDisplaySettingsA: the driver's rules, the card set to a mode that took effect at the
// rate of `refreshCode`, and the change kept in the history.
ChangeResult ApplyModeChange(SharedState& state, const DisplayMode& requested, std::uint32_t flags,
                             int refreshCode);

// A restart, as the restart program asks for it: counted, and Windows comes back with the
// depth that waited, the `Refresh` code for its width and the registry's font size.
void Restart(SharedState& state, int refreshCode, std::uint32_t fontDpi);

// ExitWindowsEx: recorded, never carried out, so the session survives and a test can look.
void RecordPowerRequest(PowerBlock& power, std::uint32_t flags, std::uint32_t reason);

}  // namespace machine

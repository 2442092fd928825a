#pragma once
// The simulated PC's configuration, C:\windows\machine.ini, read at every boot.

#include <cstdint>
#include <string>
#include <vector>

#include "common/store/profile_store.h"
#include "machine/core/display_modes.h"

namespace machine {

inline constexpr const char* kConfigFile = "machine.ini";

enum class Chip : std::uint32_t { Trio32, Trio64, Trio64VPlus, Vision964, Vision968, Other };

struct MachineConfig {
  Chip chip = Chip::Trio64VPlus;
  std::uint32_t memoryKb = 2048;
  bool controlDevice = true;
  // Without a monitor device node Windows knows no maximum for the monitor.
  bool hasMonitor = true;
  std::uint32_t monitorMaxWidth = 1280;
  std::uint32_t monitorMaxHeight = 1024;
  DisplayMode bootMode{800, 600, 8};
  // A driver that fails every mode change (DISP_CHANGE_FAILED), for the suite's failure paths.
  bool refuseChanges = false;
  // The audio CD drive: the disc's track lengths in milliseconds, whether it is in the drive,
  // whether the door stands open, whether another program holds the drive, and whether the
  // disc holds data rather than audio.
  std::vector<std::uint32_t> cdTracks{3000, 2000, 4000};
  bool cdInserted = true;
  bool cdDoorOpen = false;
  bool cdHeldElsewhere = false;
  bool cdData = false;
};

// Unknown or malformed values give the defaults above; so does a boot mode the card's memory
// cannot show.
MachineConfig ReadMachineConfig(ProfileStore& ini);

const char* ChipName(Chip chip);

}  // namespace machine

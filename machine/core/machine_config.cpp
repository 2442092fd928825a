#include "machine/core/machine_config.h"

#include <strings.h>
#include <algorithm>
#include <array>

#include "common/text/number_text.h"
#include "machine/core/cd_drive.h"

namespace machine {
namespace {

constexpr std::size_t kValueBuffer = 64;
constexpr std::array<const char*, 6> kChipNames{"Trio32",    "Trio64",    "Trio64V+",
                                                "Vision964", "Vision968", "Other"};

Chip ParseChip(const std::string& name, Chip fallback) {
  for (std::size_t i = 0; i < kChipNames.size(); ++i) {
    if (strcasecmp(name.c_str(), kChipNames[i]) == 0) return static_cast<Chip>(i);
  }
  return fallback;
}

std::uint32_t ParseMemory(const std::string& value, std::uint32_t fallback) {
  const auto kb = text::ParseInt(value);
  for (int size : {512, 1024, 2048, 4096}) {
    if (kb == size) return static_cast<std::uint32_t>(size);
  }
  return fallback;
}

// "W,H" or "W,H,BPP" with every number present and positive, or nothing.
std::optional<std::vector<int>> ParseNumbers(const std::string& value, std::size_t count) {
  const std::vector<int> numbers = text::ParseIntList(value, std::vector<int>(count, -1));
  const bool complete = std::all_of(numbers.begin(), numbers.end(), [](int n) { return n > 0; });
  const std::size_t fields = 1 + std::count(value.begin(), value.end(), ',');
  if (!complete || fields != count) return std::nullopt;
  return numbers;
}

}  // namespace

const char* ChipName(Chip chip) {
  return kChipNames[static_cast<std::size_t>(chip)];
}

MachineConfig ReadMachineConfig(ProfileStore& ini) {
  MachineConfig config;
  const auto read = [&ini](const char* section, const char* key, const char* fallback) {
    return ini.ReadString(section, key, fallback, kValueBuffer);
  };
  config.chip = ParseChip(read("Card", "Chip", ""), config.chip);
  config.memoryKb = ParseMemory(read("Card", "Memory", ""), config.memoryKb);
  const auto device = text::ParseInt(read("Card", "ControlDevice", ""));
  if (device == 0 || device == 1) config.controlDevice = *device == 1;

  config.refuseChanges = text::ParseInt(read("Display", "RefuseChanges", "")) == 1;

  const std::string maximum = read("Monitor", "MaxResolution", "1280,1024");
  if (maximum.empty()) {
    config.hasMonitor = false;
  } else if (const auto size = ParseNumbers(maximum, 2)) {
    config.monitorMaxWidth = static_cast<std::uint32_t>((*size)[0]);
    config.monitorMaxHeight = static_cast<std::uint32_t>((*size)[1]);
  }

  const std::vector<std::uint32_t> tracks = ParseCdTracks(ini.ReadString("CD", "Tracks", "", 1024));
  if (!tracks.empty()) config.cdTracks = tracks;
  const auto flag = [&read](const char* key, bool fallback) {
    const auto value = text::ParseInt(read("CD", key, ""));
    return value == 0 || value == 1 ? *value == 1 : fallback;
  };
  config.cdInserted = flag("Inserted", config.cdInserted);
  config.cdHeldElsewhere = flag("HeldElsewhere", config.cdHeldElsewhere);
  config.cdData = flag("Data", config.cdData);
  const std::string door = read("CD", "Door", "");
  if (strcasecmp(door.c_str(), "open") == 0) config.cdDoorOpen = true;
  if (strcasecmp(door.c_str(), "closed") == 0) config.cdDoorOpen = false;

  if (const auto mode = ParseNumbers(read("Display", "Mode", ""), 3)) {
    const DisplayMode requested{static_cast<std::uint32_t>((*mode)[0]),
                                static_cast<std::uint32_t>((*mode)[1]),
                                static_cast<std::uint32_t>((*mode)[2])};
    if (ModeFits(requested, config.memoryKb)) config.bootMode = requested;
  }
  return config;
}

}  // namespace machine

#include "vistrel/core/monitor_search.h"

#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "common/text/number_text.h"

namespace {

constexpr std::size_t kNodeNameBuffer = 50;
constexpr std::size_t kKeyBuffer = 256;
constexpr std::size_t kMaxResolutionBuffer = 50;

std::string ReadValue(RegistryApi& registry, RegRoot root, const std::string& path,
                      const char* name, std::size_t bufferSize) {
  RegKey key(registry);
  key.SetRoot(root);
  key.Open(path);
  std::string value;
  key.ReadString(name, value, bufferSize);
  return value;
}

}  // namespace

std::optional<std::string> FindMonitorDriverKey(RegistryApi& registry) {
  RegKey nodes(registry);
  nodes.SetRoot(RegRoot::DynData);
  nodes.Open(win95reg::kConfigManagerEnum);
  // Any failure but a name too long for the buffer ends the walk: a key that did not open
  // would otherwise answer the same error for ever.
  long result = reg::kOk;
  for (std::uint32_t index = 0; result == reg::kOk || result == reg::kMoreData; ++index) {
    std::string node;
    result = nodes.EnumSubkey(index, kNodeNameBuffer, &node);
    if (result != reg::kOk) continue;
    const std::string nodePath = std::string(win95reg::kConfigManagerEnum) + "\\" + node;
    const std::string hardwareKey =
        ReadValue(registry, RegRoot::DynData, nodePath, win95reg::kHardWareKey, kKeyBuffer);
    if (hardwareKey.find("MONITOR") == std::string::npos) continue;
    const std::string driver =
        ReadValue(registry, RegRoot::LocalMachine, win95reg::kEnumPrefix + hardwareKey,
                  win95reg::kDriver, kKeyBuffer);
    return (win95reg::kClassPrefix + driver).substr(0, kKeyBuffer - 1);
  }
  return std::nullopt;
}

settings::Size ReadMaxResolution(RegistryApi& registry) {
  const auto driverKey = FindMonitorDriverKey(registry);
  if (!driverKey) return kNoMonitorMaximum;
  const std::string value = ReadValue(registry, RegRoot::LocalMachine, *driverKey,
                                      win95reg::kMaxResolution, kMaxResolutionBuffer);
  const std::vector<int> numbers = text::ParseIntList(value, {-1, -1});
  if (numbers[0] <= 0 || numbers[1] <= 0) return kNoMonitorMaximum;
  return {numbers[0], numbers[1]};
}

#pragma once
// The monitor's largest mode, found through its device node in the Windows 95 registry.

#include <optional>
#include <string>

#include "common/settings/marovane_settings.h"
#include "common/store/registry_api.h"

// Without a monitor device node (or with no usable MaxResolution) any mode up to this goes.
inline constexpr settings::Size kNoMonitorMaximum{1600, 1280};

// The monitor's driver key path under HKEY_LOCAL_MACHINE, if a device node's hardware key
// contains "MONITOR" (in capitals, as Windows writes it).
std::optional<std::string> FindMonitorDriverKey(RegistryApi& registry);

settings::Size ReadMaxResolution(RegistryApi& registry);

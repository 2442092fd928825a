// Boot: the configuration into the shared state, and the part of the Windows 95 registry that
// Windows rebuilds at every start.

#include <cstdlib>
#include <cstring>

#include "common/settings/marovane_settings.h"
#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "common/win32/win32_profile.h"
#include "common/win32/win32_registry.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"

namespace machine {
namespace {

struct DeviceNode {
  const char* name;
  const char* hardwareKey;
};

// Device nodes of a PC with an S3 card, and its monitor's node.
constexpr DeviceNode kOtherNodes[] = {
    {"C29A1B20", "ROOT\\*PNP0C01\\0000"},
    {"C29A2B30", "PCI\\VEN_5333&DEV_8811&SUBSYS_00000000&REV_00\\BUS_00&DEV_0F&FUNC_00"},
};
constexpr DeviceNode kMonitorNode{"C29A3C40", "MONITOR\\DEFAULT_MONITOR\\0001"};
constexpr const char* kMonitorDriver = "MONITOR\\0000";
constexpr const char* kCardDriver = "s3mrv.drv";
// Where Wine looks up the driver of an MCI device type, and the machine's drivers there.
constexpr const char* kMciDrivers = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI";
constexpr const char* kCdDriver = "MRVCDA.DLL";
constexpr const char* kSequencerDriver = "MRVSEQ.DLL";

std::string NodePath(const DeviceNode& node) {
  return std::string(win95reg::kConfigManagerEnum) + "\\" + node.name;
}

void WriteValue(RegRoot root, const std::string& path, const char* name, const std::string& text) {
  Win32Registry registry;
  WriteRegistryString(registry, root, path, name, text);
}

void SeedDeviceNodes(const SharedState& state) {
  for (const DeviceNode& node : kOtherNodes) {
    WriteValue(RegRoot::DynData, NodePath(node), win95reg::kHardWareKey, node.hardwareKey);
  }
  // A boot without a monitor follows one with it in the same wineserver session.
  Win32Registry registry;
  registry.DeleteKey(RegRoot::DynData, NodePath(kMonitorNode));
  if (!state.monitor.present) return;
  WriteValue(RegRoot::DynData, NodePath(kMonitorNode), win95reg::kHardWareKey,
             kMonitorNode.hardwareKey);
  WriteValue(RegRoot::LocalMachine, std::string(win95reg::kEnumPrefix) + kMonitorNode.hardwareKey,
             win95reg::kDriver, kMonitorDriver);
  const std::string maximum =
      std::to_string(state.monitor.maxWidth) + "," + std::to_string(state.monitor.maxHeight);
  WriteValue(RegRoot::LocalMachine, std::string(win95reg::kClassPrefix) + kMonitorDriver,
             win95reg::kMaxResolution, maximum);
}

// Small fonts, as Windows 95 is installed; what the user chose later stays.
void SeedFontSize() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, win95reg::kDisplaySettings, 0, KEY_READ, &key) ==
      ERROR_SUCCESS) {
    const bool chosen = RegQueryValueExA(key, win95reg::kDpiLogicalX, nullptr, nullptr, nullptr,
                                         nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (chosen) return;
  }
  const std::string path = win95reg::kDisplaySettings;
  WriteValue(RegRoot::LocalMachine, path, win95reg::kDpiLogicalX, "96");
  WriteValue(RegRoot::LocalMachine, path, win95reg::kFixedFont, "vgafix.fon");
  WriteValue(RegRoot::LocalMachine, path, win95reg::kSystemFont, "vgasys.fon");
  WriteValue(RegRoot::LocalMachine, path, win95reg::kOemFont, "vgaoem.fon");
}

// DPILogicalX, as Windows reads it when it starts; 96 without one.
std::uint32_t RegistryFontDpi() {
  Win32Registry registry;
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  key.Open(win95reg::kDisplaySettings);
  std::string value;
  key.ReadString(win95reg::kDpiLogicalX, value, 50);
  const int dpi = std::atoi(value.c_str());
  return dpi > 0 ? static_cast<std::uint32_t>(dpi) : 96;
}

// The machine's devices behind MCI, from beside the program that boots it (where the build
// puts them).
void RegisterMciDrivers() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  WriteValue(RegRoot::LocalMachine, kMciDrivers, "cdaudio", folder + kCdDriver);
  WriteValue(RegRoot::LocalMachine, kMciDrivers, "sequencer", folder + kSequencerDriver);
}

}  // namespace

void Restart() {
  SharedState* state = State();
  if (state == nullptr) return;
  {
    StateLock lock;
    machine::Restart(*state, RefreshCodeFor(state->display.afterRestart.width), RegistryFontDpi());
  }
  ShowOnDesktop(state->display.current);
}

void Boot() {
  SharedState* state = State();
  if (state == nullptr) return;
  {
    StateLock lock;
    Win32Profile ini(kConfigFile);
    const MachineConfig config = ReadMachineConfig(ini);
    machine::Boot(*state, config, RefreshCodeFor(config.bootMode.width));
    // Video memory and the memory-mapped registers hold nothing of the last session.
    std::memset(FrameBuffer(), 0, kFrameBufferSize);
    std::memset(RegisterAperture(), 0, kRegisterApertureSize);
  }
  SeedDeviceNodes(*state);
  SeedFontSize();
  RegisterMciDrivers();
  state->display.fontDpi = RegistryFontDpi();
  ShowOnDesktop(state->display.current);
  // The display driver Windows loads at boot: the card's, not a VGA driver.
  WritePrivateProfileStringA(settings::kBootSection, settings::kDisplayDriver, kCardDriver,
                             settings::kSystemIni);
}

}  // namespace machine

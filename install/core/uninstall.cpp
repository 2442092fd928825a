#include "install/core/uninstall.h"

#include <algorithm>
#include <cctype>

#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"
#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"

namespace install {
namespace {

struct Value {
  const char* name;
  const char* data;
};

struct KeyValues {
  std::string path;
  std::vector<Value> values;
};

bool ReadValue(RegistryApi& registry, RegistryApi::Handle key, const char* name,
               std::size_t bufferSize, std::string* value) {
  std::string text;
  if (registry.QueryString(key, name, &text) != reg::kOk) return false;
  *value = text.substr(0, bufferSize - 1);
  return true;
}

void WriteValues(RegistryApi& registry, const KeyValues& key) {
  RegistryApi::Handle handle = 0;
  if (registry.CreateKey(RegRoot::LocalMachine, key.path, &handle) != reg::kOk) return;
  for (const Value& value : key.values) registry.SetString(handle, value.name, value.data);
  registry.CloseKey(handle);
}

// "c:\windows\" and "C:\WINDOWS" are one folder.
std::string FolderKey(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  std::transform(folder.begin(), folder.end(), folder.begin(), [](unsigned char c) {
    return static_cast<char>(c == '/' ? '\\' : std::tolower(c));
  });
  return folder;
}

bool HasDotStep(const std::string& folder) {
  std::size_t start = 0;
  while (start <= folder.size()) {
    const std::size_t end = std::min(folder.find('\\', start), folder.size());
    const std::string step = folder.substr(start, end - start);
    if (step == "." || step == "..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::optional<InstallationRecord> ReadInstallationRecord(RegistryApi& registry) {
  RegistryApi::Handle key = 0;
  if (registry.OpenKey(RegRoot::LocalMachine, kInstallationRecord, &key) != reg::kOk) {
    return std::nullopt;
  }
  InstallationRecord record;
  const bool complete = ReadValue(registry, key, "ProgramDir", 260, &record.programDir) &&
                        ReadValue(registry, key, "ToolsFolder", 260, &record.toolsFolder) &&
                        ReadValue(registry, key, "DisplayPath", 260, &record.displayPath);
  if (!ReadValue(registry, key, "oemfonts.fon", 15, &record.oemFont)) {
    record.oemFont = "vgaoem.fon";
  }
  ReadValue(registry, key, "DriverName", 15, &record.driverName);
  ReadValue(registry, key, "AppName", 50, &record.appName);
  registry.CloseKey(key);
  if (!complete) return std::nullopt;
  return record;
}

std::vector<WindowToClose> WindowsToClose(const std::string& toolsFolder) {
  return {{names::kTrayvelCommandClass, ""},
          {names::kDeckClass, "Video Player"},
          {names::kDeckClass, "CD Player"},
          {names::kDeckClass, "MIDI Player"},
          {names::kDeckClass, "Wave Player"},
          {names::kMixerClass, ""},
          {names::kPreviewerClass, ""},
          {names::kLauncherClass, "Marovane Jubilo"},
          {names::kFleetmarkClass, ""},
          {names::kMagnifierClass, ""},
          {"#32770", names::kVistrelSheetCaption},
          {"Ormisk", ""},
          {"CabinetWClass", toolsFolder}};
}

bool IsDeletableProgramDir(const std::string& programDir, const std::string& windowsFolder) {
  const std::string folder = FolderKey(programDir);
  // "X:\something": a drive letter, its root and at least one folder below.
  const bool belowDriveRoot = folder.size() > 3 &&
                              std::isalpha(static_cast<unsigned char>(folder[0])) &&
                              folder[1] == ':' && folder[2] == '\\';
  if (!belowDriveRoot || HasDotStep(folder.substr(3))) return false;
  const std::string windows = FolderKey(windowsFolder);
  return folder != windows && windows.rfind(folder + "\\", 0) != 0;
}

void ResetSystemIni(ProfileStore& systemIni) {
  systemIni.DeleteSection(settings::kSection);
  systemIni.DeleteSection("Glimmark.drv");
  systemIni.WriteString("boot.description", "display.drv", "Standard Display Adapter (VGA)");
  systemIni.WriteString("386Enh", "display", "*vdd");
}

bool ResetDisplayToVga(RegistryApi& registry, const InstallationRecord& record) {
  std::string driver;
  RegistryApi::Handle device = 0;
  if (registry.OpenKey(RegRoot::LocalMachine, record.displayPath, &device) == reg::kOk) {
    WriteValues(registry, {record.displayPath,
                           {{"Mfg", "(Standard display types)"},
                            {"DeviceDesc", "Standard Display Adapter (VGA)"}}});
    ReadValue(registry, device, win95reg::kDriver, 260, &driver);
    registry.CloseKey(device);
  }
  // Without the adapter's driver key the class key would be the display class itself.
  if (!driver.empty()) {
    const std::string classKey = win95reg::kClassPrefix + driver;
    WriteValues(registry, {classKey,
                           {{"Ver", "4.0"},
                            {"DevLoader", "*vdd"},
                            {"InfPath", "MSDISP.INF"},
                            {"InfSection", "VGA"},
                            {"DriverDesc", "Standard Display Adapter (VGA)"}}});
    WriteValues(registry, {classKey + "\\DEFAULT",
                           {{"Mode", "4,640,480"}, {"drv", "vga.drv"}, {"vdd", "*vdd"}}});
    WriteValues(registry, {classKey + "\\MODES\\1\\640,480",
                           {{"drv", "framebuf.drv"}, {"vdd", "*vdd,*vflatd"}}});
    WriteValues(registry, {classKey + "\\MODES\\4\\640,480", {{"", ""}}});
  }
  WriteValues(registry, {win95reg::kDisplaySettings,
                         {{win95reg::kSystemFont, "vgasys.fon"},
                          {win95reg::kFixedFont, "vgafix.fon"},
                          {win95reg::kOemFont, record.oemFont.c_str()},
                          {win95reg::kDpiLogicalX, "96"},
                          {win95reg::kDpiLogicalY, "96"},
                          {win95reg::kDpiPhysicalX, "96"},
                          {win95reg::kDpiPhysicalY, "96"},
                          {"BitsPerPixel", "4"},
                          {"Resolution", "640,480"},
                          {"UpgradeToDefaultMode", ""}}});
  WriteValues(registry, {win95reg::kDisplayFonts,
                         {{"MS Serif 8,10,12,14,18,24 (VGA res)", "serife.fon"},
                          {"MS Sans Serif 8,10,12,14,18,24 (VGA res)", "sserife.fon"},
                          {"Courier 10,12,15 (VGA res)", "coure.fon"},
                          {"Symbol 8,10,12,14,18,24 (VGA res)", "symbole.fon"},
                          {"Small Fonts (VGA res)", "smalle.fon"}}});
  return !driver.empty();
}

std::vector<std::string> PendingDeletions(const std::string& windowsFolder,
                                          const std::string& driverName) {
  std::vector<std::string> lines = {"NUL=" + windowsFolder + "\\MARVUNIN.EXE"};
  if (driverName.empty()) return lines;
  const std::string driver = windowsFolder + "\\SYSTEM\\" + driverName;
  lines.push_back("NUL=" + driver + ".DRV");
  lines.push_back("NUL=" + driver + ".VXD");
  return lines;
}

}  // namespace install

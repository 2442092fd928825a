#include "install/core/uninstall.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"
#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "common/text/letter_case.h"

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

// A value that does not fit its buffer cannot be read: a cut path would name another folder.
bool ReadValue(RegistryApi& registry, RegistryApi::Handle key, const char* name,
               std::size_t bufferSize, std::string* value) {
  std::string text;
  if (registry.QueryString(key, name, &text) != reg::kOk || text.size() >= bufferSize) {
    return false;
  }
  *value = text;
  return true;
}

void WriteValues(RegistryApi& registry, const KeyValues& key) {
  RegistryApi::Handle handle = 0;
  if (registry.CreateKey(RegRoot::LocalMachine, key.path, &handle) != reg::kOk) return;
  for (const Value& value : key.values) registry.SetString(handle, value.name, value.data);
  registry.CloseKey(handle);
}

bool IsDriveLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// "X:\..." is a path from the drive's root.
bool IsAbsolute(const std::string& path) {
  return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool IsAllowedInName(unsigned char c) {
  return c >= 0x20 &&
         std::string_view("<>:\"|?*").find(static_cast<char>(c)) == std::string_view::npos;
}

// Windows ignores the dots and blanks that end a step.
std::string TrimStepEnd(std::string step) {
  while (!step.empty() && (step.back() == '.' || step.back() == ' ')) step.pop_back();
  return step;
}

// The steps of `path` below its drive's root, "." and ".." resolved; nothing for a name that
// Windows does not allow.
std::optional<std::vector<std::string>> ResolveSteps(const std::string& path) {
  std::vector<std::string> steps;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string step = path.substr(start, end - start);
    start = end + 1;
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
      continue;
    }
    if (!std::all_of(step.begin(), step.end(), IsAllowedInName)) return std::nullopt;
    std::string name = TrimStepEnd(step);
    if (!name.empty()) steps.push_back(std::move(name));
  }
  return steps;
}

// Windows' own display drivers, which the standard VGA set-up relies on or another adapter may.
constexpr const char* kWindowsDisplayDrivers[] = {
    "VGA",    "FRAMEBUF", "SUPERVGA", "8514",     "S3",     "VDD",     "VFLATD",
    "MACH32", "MACH64",   "CIRRUS",   "CIRRUSMM", "TSENG",  "ET6000",  "TRIDENT",
    "MGA",    "QVISION",  "CHIPS",    "WDVGA",    "VIDEO7", "DISPLAY", "DIBENG"};

}  // namespace

std::optional<InstallationRecord> ReadInstallationRecord(RegistryApi& registry) {
  RegistryApi::Handle key = 0;
  if (registry.OpenKey(RegRoot::LocalMachine, kInstallationRecord, RegAccess::Read, &key) !=
      reg::kOk) {
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
  return {{names::kTrayvelCommandClass, "", true},
          {names::kDeckClass, "Video Player", true},
          {names::kDeckClass, "CD Player", true},
          {names::kDeckClass, "MIDI Player", true},
          {names::kDeckClass, "Wave Player", true},
          {names::kMixerClass, "", true},
          {names::kPreviewerClass, "", true},
          {names::kLauncherClass, "Marovane Jubilo", true},
          {names::kFleetmarkClass, "", true},
          {names::kMagnifierClass, "", true},
          {"#32770", names::kVistrelSheetCaption, true},
          {"Ormisk", "", true},
          {"CabinetWClass", toolsFolder, false}};
}

std::optional<std::string> CanonicalFolder(const std::string& path,
                                           const std::string& currentFolder) {
  std::string text = path;
  std::replace(text.begin(), text.end(), '/', '\\');
  // "\\server\share", "\\.\device", "\\?\path": never a folder of the suite's.
  if (text.empty() || text.rfind("\\\\", 0) == 0) return std::nullopt;
  const bool hasDrive = text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':';
  std::string absolute;
  if (hasDrive && text.size() > 2 && text[2] == '\\') {
    absolute = text;
  } else {
    if (!IsAbsolute(currentFolder)) return std::nullopt;
    const std::string rest = hasDrive ? text.substr(2) : text;
    const bool currentDrive =
        !hasDrive || std::tolower(static_cast<unsigned char>(text[0])) ==
                         std::tolower(static_cast<unsigned char>(currentFolder[0]));
    const std::string drive = hasDrive ? text.substr(0, 2) : currentFolder.substr(0, 2);
    if (!rest.empty() && rest[0] == '\\') {
      absolute = drive + rest;
    } else {
      // "D:name" is relative to D:'s current folder, which only the current drive's is known.
      absolute = (currentDrive ? currentFolder : drive + "\\") + "\\" + rest;
    }
  }
  const auto steps = ResolveSteps(absolute.substr(3));
  if (!steps) return std::nullopt;
  std::string folder(1, static_cast<char>(std::toupper(static_cast<unsigned char>(absolute[0]))));
  folder += ":";
  for (const std::string& step : *steps) folder += "\\" + step;
  return steps->empty() ? folder + "\\" : folder;
}

bool IsSameOrBelow(const std::string& folder, const std::string& ancestor) {
  const std::string lowerFolder = text::Lower(folder);
  std::string lowerAncestor = text::Lower(ancestor);
  if (lowerFolder == lowerAncestor) return true;
  if (lowerAncestor.empty() || lowerAncestor.back() != '\\') lowerAncestor += '\\';
  return lowerFolder.rfind(lowerAncestor, 0) == 0;
}

std::vector<std::string> SuiteMarkers() {
  const std::string programDir = std::string(layout::kProgramDir) + "\\";
  std::vector<std::string> markers = {layout::kSetupUninstaller};
  for (const layout::SuiteFile& file : layout::kSuiteFiles) {
    const std::string folder = file.folder;
    if (folder.rfind(programDir, 0) == 0) {
      markers.push_back(folder.substr(programDir.size()) + "\\" + file.name);
    }
  }
  return markers;
}

bool IsSuiteDriverName(const std::string& driverName) {
  const bool plain = !driverName.empty() && driverName.size() <= 8 &&
                     std::all_of(driverName.begin(), driverName.end(),
                                 [](unsigned char c) { return std::isalnum(c) != 0 || c == '_'; });
  if (!plain) return false;
  return std::none_of(
      std::begin(kWindowsDisplayDrivers), std::end(kWindowsDisplayDrivers),
      [&](const char* windows) { return text::Lower(driverName) == text::Lower(windows); });
}

UninstallPlan PlanUninstall(const InstallationRecord& record, const SystemFolders& folders,
                            FileLookup& disk) {
  UninstallPlan plan;
  plan.pendingDeletions = PendingDeletions(folders.windows, record.driverName);
  plan.uninstallKey = UninstallKey(record.appName);
  auto resolved = CanonicalFolder(record.programDir, folders.current);
  // A short step ("PROGRA~1") is resolved through the disk, then made canonical again.
  if (resolved) resolved = CanonicalFolder(disk.LongPath(*resolved), folders.current);
  if (!resolved) {
    plan.folderRefused = true;
    return plan;
  }
  plan.programDir = *resolved;
  const bool isRoot = plan.programDir.size() == 3;
  plan.folderRefused =
      isRoot || std::any_of(folders.kept.begin(), folders.kept.end(), [&](const std::string& kept) {
        const auto keptFolder = CanonicalFolder(kept, folders.current);
        return keptFolder && IsSameOrBelow(*keptFolder, plan.programDir);
      });
  const std::vector<std::string> markers = SuiteMarkers();
  const bool isSuites = std::any_of(markers.begin(), markers.end(), [&](const std::string& marker) {
    return disk.Exists(plan.programDir + "\\" + marker);
  });
  if (plan.folderRefused || !isSuites) return plan;
  plan.setupUninstaller = plan.programDir + "\\" + layout::kSetupUninstaller;
  for (const char* subfolder : kProgramSubfolders) {
    plan.foldersToEmpty.push_back(plan.programDir + "\\" + subfolder);
  }
  plan.foldersToEmpty.push_back(plan.programDir);
  return plan;
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
  if (registry.OpenKey(RegRoot::LocalMachine, record.displayPath, RegAccess::Read, &device) ==
      reg::kOk) {
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
  std::vector<std::string> lines = {"NUL=" + windowsFolder + "\\" + layout::kUninstallerCopy};
  if (!IsSuiteDriverName(driverName)) return lines;
  const std::string driver = windowsFolder + "\\SYSTEM\\" + driverName;
  lines.push_back("NUL=" + driver + ".DRV");
  lines.push_back("NUL=" + driver + ".VXD");
  return lines;
}

std::string UninstallKey(const std::string& appName) {
  // An empty name would take the whole list with it, a "\\" another program's entry.
  const bool plain = !appName.empty() && appName != "." && appName != ".." &&
                     appName.find('\\') == std::string::npos;
  return plain ? kUninstallKeys + appName : std::string();
}

}  // namespace install

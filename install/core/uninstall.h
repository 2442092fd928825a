#pragma once
// What the uninstaller reads and writes: the installation record that the set-up program left,
// the suite's windows to close, the guard on the folders it deletes, and the standard VGA
// display that Windows is put back on.

#include <optional>
#include <string>
#include <vector>

#include "common/store/profile_store.h"
#include "common/store/registry_api.h"

namespace install {

inline constexpr const char* kInstallationRecord = "SOFTWARE\\Marovane\\Installation";
inline constexpr const char* kUninstallKeys =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const char* kUserSettingsKey = "Software\\Marovane";

struct InstallationRecord {
  std::string programDir;
  std::string toolsFolder;
  std::string displayPath;
  std::string oemFont;
  std::string driverName;
  std::string appName;
};
// Nothing when the record or one of ProgramDir, ToolsFolder and DisplayPath is missing.
std::optional<InstallationRecord> ReadInstallationRecord(RegistryApi& registry);

struct WindowToClose {
  std::string className;
  std::string caption;  // empty: any window of the class
};
// In the order they are closed: Trayvel first, the folder window of the Start-menu group last.
std::vector<WindowToClose> WindowsToClose(const std::string& toolsFolder);

// The sub-folders of ProgramDir that are emptied and removed before ProgramDir itself.
inline constexpr const char* kProgramSubfolders[] = {"VISTREL", "JUBILO", "TINTWISE"};
// Whether ProgramDir may be emptied: an absolute folder below a drive's root, neither the
// Windows folder nor one that holds it, without "." or ".." steps.
bool IsDeletableProgramDir(const std::string& programDir, const std::string& windowsFolder);

// Removes [Marovane] and [Glimmark.drv] and names the standard VGA driver in system.ini.
void ResetSystemIni(ProfileStore& systemIni);
// Writes the standard VGA values into the display adapter's keys, in the order Windows' own
// set-up writes them. False when the adapter names no driver key, so that the display class
// was left alone.
bool ResetDisplayToVga(RegistryApi& registry, const InstallationRecord& record);
// The wininit.ini [rename] lines ("NUL=path") that delete the uninstaller's copy and the
// suite's display driver at the next start of Windows; none for a driver without a name.
std::vector<std::string> PendingDeletions(const std::string& windowsFolder,
                                          const std::string& driverName);

}  // namespace install

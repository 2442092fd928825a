#pragma once
// What the uninstaller reads and writes: the installation record that the set-up program left,
// the suite's windows to close, the plan of what it deletes (only the suite's own files,
// whatever the record says) and the standard VGA display that Windows is put back on.

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
// Nothing when the record or one of ProgramDir, ToolsFolder and DisplayPath is missing or too
// long for its buffer. An optional value too long for its buffer takes its default.
std::optional<InstallationRecord> ReadInstallationRecord(RegistryApi& registry);

struct WindowToClose {
  std::string className;
  std::string caption;  // empty: any window of the class
  bool programEnds;     // false: the window belongs to the shell, which runs on
};
// In the order they are closed: Trayvel first, the folder window of the Start-menu group last.
std::vector<WindowToClose> WindowsToClose(const std::string& toolsFolder);

// The sub-folders of ProgramDir that are emptied and removed before ProgramDir itself.
inline constexpr const char* kProgramSubfolders[] = {"VISTREL", "JUBILO", "TINTWISE"};

// `path` as Windows resolves it: absolute (a relative path is taken from `currentFolder`), "/"
// read as "\", doubled separators, "." and ".." steps and the dots and blanks that end a step
// resolved away. Nothing for a network or device path, a name Windows does not allow, or a
// relative path without an absolute current folder.
std::optional<std::string> CanonicalFolder(const std::string& path,
                                           const std::string& currentFolder);
// Whether canonical `folder` is `ancestor` or lies below it, in any letter case.
bool IsSameOrBelow(const std::string& folder, const std::string& ancestor);

// What the plan asks of the disk.
class FileLookup {
 public:
  virtual ~FileLookup() = default;
  virtual bool Exists(const std::string& path) = 0;
  // The path with its short (8.3) steps spelled out; the path itself when it cannot be found.
  virtual std::string LongPath(const std::string& path) = 0;
};

// The running Windows' own folders.
struct SystemFolders {
  std::string windows;
  std::string current;
  // Never emptied, nor any folder above one of them: the Windows and system folders, Program
  // Files, the shell's special folders.
  std::vector<std::string> kept;
};

// Files of the installed layout, relative to ProgramDir: one of them shows that a folder is the
// suite's.
std::vector<std::string> SuiteMarkers();

// A plain base name of at most eight letters, digits or "_" that is not one of Windows' own
// display drivers.
bool IsSuiteDriverName(const std::string& driverName);

struct UninstallPlan {
  std::string programDir;        // canonical; empty when the recorded one cannot be resolved
  bool folderRefused{};          // the recorded folder is Windows' or above it: the user is told
  std::string setupUninstaller;  // the set-up program's uninstaller; empty: none is run
  std::vector<std::string> foldersToEmpty;  // the three sub-folders, then ProgramDir
  std::vector<std::string> pendingDeletions;
  std::string uninstallKey;  // empty: the list of uninstallable programs is left alone
};
// What the removal may touch: the program folders only when they are resolved, not kept and
// hold the installed layout; the driver files only under a name of the suite's; the uninstall
// entry only under a plain key name.
UninstallPlan PlanUninstall(const InstallationRecord& record, const SystemFolders& folders,
                            FileLookup& disk);

// Removes [Marovane] and [Glimmark.drv] and names the standard VGA driver in system.ini.
void ResetSystemIni(ProfileStore& systemIni);
// Writes the standard VGA values into the display adapter's keys, in the order Windows' own
// set-up writes them. False when the adapter names no driver key, so that the display class
// was left alone.
bool ResetDisplayToVga(RegistryApi& registry, const InstallationRecord& record);
// The wininit.ini [rename] lines ("NUL=path") that delete the uninstaller's copy and the
// suite's display driver at the next start of Windows; the copy's alone for a driver name that
// is not the suite's.
std::vector<std::string> PendingDeletions(const std::string& windowsFolder,
                                          const std::string& driverName);
// The suite's key in the list of uninstallable programs; empty unless `appName` is a plain
// key name.
std::string UninstallKey(const std::string& appName);

}  // namespace install

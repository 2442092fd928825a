// The set-up program's own uninstaller, which install runs and waits for: removes what set-up
// wrote for itself, the installation record, the entry in the list of uninstallable programs
// and the Start-menu group. The suite's files and settings are install's to remove.

#include <windows.h>

#include <string>

#include "common/interop/installed_layout.h"
#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "common/win32/win32_registry.h"

namespace {

void RemoveStartMenuGroup() {
  Win32Registry registry;
  const std::string programs = ReadRegistryString(
      registry, RegRoot::CurrentUser, win95reg::kShellFolders, win95reg::kProgramsFolder);
  if (programs.empty()) return;
  const std::string group = programs + "\\" + layout::kToolsFolder;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((group + "\\*.lnk").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((group + "\\" + entry.cFileName).c_str());
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(group.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Marovane\\Installation");
  // The vendor's key goes with its last value.
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Marovane");
  const std::string uninstall =
      std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + layout::kAppName;
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, uninstall.c_str());
  RemoveStartMenuGroup();
  return 0;
}

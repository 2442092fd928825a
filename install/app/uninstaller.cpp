#include "install/app/uninstaller.h"

#include <windows.h>

#include <vector>

#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "common/win32/win32_registry.h"
#include "install/core/uninstall.h"
#include "machine/win32/system.h"

namespace {

// How long a program of the suite may take to answer its close and to end, and how long the
// set-up program's uninstaller runs before the user is asked whether to wait on.
constexpr UINT kCloseAnswerMs = 10000;
constexpr DWORD kProgramEndMs = 5000;
constexpr DWORD kUninstallerPatienceMs = 60000;

void CloseAndWait(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  DWORD_PTR answer = 0;
  // A hung program must not hang the removal.
  SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMs, &answer);
  // Its files can be deleted once it has ended.
  if (process != nullptr && processId != GetCurrentProcessId()) {
    WaitForSingleObject(process, kProgramEndMs);
  }
  if (process != nullptr) CloseHandle(process);
}

void CloseSuiteWindows(const std::string& toolsFolder) {
  for (const install::WindowToClose& entry : install::WindowsToClose(toolsFolder)) {
    HWND window = FindWindowA(entry.className.c_str(),
                              entry.caption.empty() ? nullptr : entry.caption.c_str());
    if (window != nullptr) CloseAndWait(window);
  }
}

// The set-up program's uninstaller, waited for; one that runs on and on is the user's to
// give up on.
void RunOutsideUninstaller(const std::string& programDir, const std::string& argument) {
  std::string commandLine = programDir + "\\uninst.exe " + argument;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  while (WaitForSingleObject(process.hProcess, kUninstallerPatienceMs) == WAIT_TIMEOUT &&
         MessageBoxA(nullptr,
                     "The uninstaller of the set-up program has not finished yet. Wait for it?",
                     "Marovane", MB_YESNO | MB_ICONQUESTION) == IDYES) {
  }
  CloseHandle(process.hProcess);
}

// Deletes the files of `folder`, not its sub-folders; what cannot be deleted stays.
void DeleteFilesIn(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      DeleteFileA((folder + "\\" + entry.cFileName).c_str());
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

std::string WindowsFolder() {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return folder;
}

void DeleteProgramFolders(const std::string& programDir) {
  if (!install::IsDeletableProgramDir(programDir, WindowsFolder())) {
    MessageBoxA(nullptr,
                ("The recorded program folder \"" + programDir +
                 "\" is not one the uninstaller deletes. It stays as it is.")
                    .c_str(),
                "Marovane", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  for (const char* subfolder : install::kProgramSubfolders) {
    const std::string folder = programDir + "\\" + subfolder;
    DeleteFilesIn(folder);
    RemoveDirectoryA(folder.c_str());
  }
  DeleteFilesIn(programDir);
  RemoveDirectoryA(programDir.c_str());
}

// Adds the lines to wininit.ini's [rename], after the entries already there: its keys repeat
// ("NUL"), so the section is rewritten whole.
void SchedulePendingDeletions(const std::vector<std::string>& lines) {
  std::vector<char> section(4096);
  DWORD length = 0;
  while ((length = GetPrivateProfileSectionA("rename", section.data(),
                                             static_cast<DWORD>(section.size()), "wininit.ini")) >=
         section.size() - 2) {
    section.resize(section.size() * 2);
  }
  std::string entries(section.data(), length);
  for (const std::string& line : lines) entries += line + '\0';
  entries += '\0';
  WritePrivateProfileSectionA("rename", entries.c_str(), "wininit.ini");
}

void DeleteSuiteKeys(const std::string& appName) {
  // An empty name would take the whole list of uninstallable programs with it.
  if (!appName.empty()) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (install::kUninstallKeys + appName).c_str());
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, install::kUserSettingsKey);
}

}  // namespace

int Uninstall(const std::string& argument) {
  Win32Registry registry;
  const auto record = install::ReadInstallationRecord(registry);
  if (!record) {
    MessageBoxA(nullptr, "Uninstallation information not found in Registry.  Exit!", "Error",
                MB_OK | MB_ICONSTOP);
    return -1;
  }
  CloseSuiteWindows(record->toolsFolder);
  RunOutsideUninstaller(record->programDir, argument);
  DeleteProgramFolders(record->programDir);
  Win32Profile systemIni(settings::kSystemIni);
  install::ResetSystemIni(systemIni);
  install::ResetDisplayToVga(registry, *record);
  SchedulePendingDeletions(install::PendingDeletions(WindowsFolder(), record->driverName));
  DeleteSuiteKeys(record->appName);
  if (MessageBoxA(nullptr, "Restart Windows now?", "Marovane", MB_YESNO) == IDYES) {
    machine::ExitWindowsEx(EWX_REBOOT, 0);
  }
  return 3;
}

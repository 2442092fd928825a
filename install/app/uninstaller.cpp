#include "install/app/uninstaller.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <vector>

#include "common/settings/marovane_settings.h"
#include "common/win32/resource_text.h"
#include "common/win32/win32_profile.h"
#include "common/win32/win32_registry.h"
#include "install/app/resource.h"
#include "install/app/windows_language.h"
#include "install/core/uninstall.h"
#include "machine/win32/system.h"

namespace {

// How long a program of the suite may take to answer its close and to end.
constexpr UINT kCloseAnswerMs = 10000;
constexpr DWORD kProgramEndMs = 5000;

// How long the set-up program's uninstaller runs before the user is asked whether to wait on:
// a minute, or what MAROVANE_UNINSTALLER_PATIENCE_MS says (the tests' shorter wait).
DWORD UninstallerPatienceMs() {
  const char* setting = std::getenv("MAROVANE_UNINSTALLER_PATIENCE_MS");
  const long patience = setting != nullptr ? std::strtol(setting, nullptr, 10) : 0;
  return patience > 0 ? static_cast<DWORD>(patience) : 60000;
}

void CloseAndWait(HWND window, bool programEnds) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  DWORD_PTR answer = 0;
  // A hung program must not hang the removal.
  SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMs, &answer);
  // Its files can be deleted once it has ended.
  if (programEnds && process != nullptr && processId != GetCurrentProcessId()) {
    WaitForSingleObject(process, kProgramEndMs);
  }
  if (process != nullptr) CloseHandle(process);
}

void CloseSuiteWindows(const std::string& toolsFolder) {
  for (const install::WindowToClose& entry : install::WindowsToClose(toolsFolder)) {
    HWND window = FindWindowA(entry.className.c_str(),
                              entry.caption.empty() ? nullptr : entry.caption.c_str());
    if (window != nullptr) CloseAndWait(window, entry.programEnds);
  }
}

// An argument with blanks is handed on as one word.
std::string Quoted(const std::string& word) {
  return word.find_first_of(" \t") == std::string::npos ? word : '"' + word + '"';
}

// The set-up program's uninstaller, started by its full path and waited for; one that runs on
// and on is the user's to give up on.
void RunSetupUninstaller(const std::string& program, const std::string& argument, int language) {
  std::string commandLine = '"' + program + "\" " + Quoted(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  const std::string question = ResourceText(IDS_SETUP_UNINSTALLER_RUNS + language);
  while (WaitForSingleObject(process.hProcess, UninstallerPatienceMs()) == WAIT_TIMEOUT &&
         MessageBoxA(nullptr, question.c_str(), "Marovane", MB_YESNO | MB_ICONQUESTION) == IDYES) {
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

class Disk : public install::FileLookup {
 public:
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string LongPath(const std::string& path) override {
    char longPath[MAX_PATH] = "";
    const DWORD length = GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? longPath : path;
  }
};

// The running Windows' folders that no record may have emptied.
install::SystemFolders SystemFoldersNow() {
  install::SystemFolders folders;
  folders.windows = WindowsFolder();
  char path[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, path);
  folders.current = path;
  folders.kept = {folders.windows, folders.windows + "\\SYSTEM"};
  if (GetSystemDirectoryA(path, MAX_PATH) > 0) folders.kept.push_back(path);
  if (GetTempPathA(MAX_PATH, path) > 0) folders.kept.push_back(path);
  for (int special : {CSIDL_PROGRAM_FILES,    CSIDL_PROGRAM_FILES_COMMON,
                      CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMONX86,
                      CSIDL_SYSTEMX86,        CSIDL_PROFILE,
                      CSIDL_PERSONAL,         CSIDL_COMMON_DOCUMENTS,
                      CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY,
                      CSIDL_STARTMENU,        CSIDL_COMMON_STARTMENU,
                      CSIDL_PROGRAMS,         CSIDL_COMMON_PROGRAMS,
                      CSIDL_STARTUP,          CSIDL_COMMON_STARTUP,
                      CSIDL_APPDATA,          CSIDL_LOCAL_APPDATA,
                      CSIDL_COMMON_APPDATA,   CSIDL_FONTS,
                      CSIDL_TEMPLATES,        CSIDL_FAVORITES,
                      CSIDL_SENDTO,           CSIDL_RECENT,
                      CSIDL_NETHOOD,          CSIDL_PRINTHOOD,
                      CSIDL_MYMUSIC,          CSIDL_MYPICTURES,
                      CSIDL_MYVIDEO,          CSIDL_INTERNET_CACHE,
                      CSIDL_COOKIES,          CSIDL_HISTORY}) {
    if (SUCCEEDED(SHGetFolderPathA(nullptr, special, nullptr, SHGFP_TYPE_CURRENT, path))) {
      folders.kept.push_back(path);
    }
  }
  return folders;
}

void DeleteProgramFolders(const install::UninstallPlan& plan, const std::string& recorded,
                          int language) {
  if (plan.folderRefused) {
    MessageBoxA(nullptr, ResourceText(IDS_FOLDER_KEPT + language, {recorded}).c_str(), "Marovane",
                MB_OK | MB_ICONEXCLAMATION);
  }
  for (const std::string& folder : plan.foldersToEmpty) {
    DeleteFilesIn(folder);
    RemoveDirectoryA(folder.c_str());
  }
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

void DeleteSuiteKeys(const std::string& uninstallKey) {
  if (!uninstallKey.empty()) RegDeleteTreeA(HKEY_LOCAL_MACHINE, uninstallKey.c_str());
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
  const int language = WindowsLanguageIndex();
  // Decided before anything runs: the set-up uninstaller may take the layout's signs with it.
  Disk disk;
  const install::UninstallPlan plan = install::PlanUninstall(*record, SystemFoldersNow(), disk);
  CloseSuiteWindows(record->toolsFolder);
  if (!plan.setupUninstaller.empty())
    RunSetupUninstaller(plan.setupUninstaller, argument, language);
  DeleteProgramFolders(plan, record->programDir, language);
  Win32Profile systemIni(settings::kSystemIni);
  install::ResetSystemIni(systemIni);
  install::ResetDisplayToVga(registry, *record);
  SchedulePendingDeletions(plan.pendingDeletions);
  DeleteSuiteKeys(plan.uninstallKey);
  if (MessageBoxA(nullptr, "Restart Windows now?", "Marovane", MB_YESNO) == IDYES) {
    machine::ExitWindowsEx(EWX_REBOOT, 0);
  }
  return 3;
}

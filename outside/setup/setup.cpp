// The set-up program's stand-in, started by install in the language's folder of the
// distribution: copies the suite from the distribution's FILES folder (beside the language
// folders) into its installed layout, installs the display driver for the card, records the
// installation for the uninstaller, makes the Start-menu group and starts Trayvel.

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "common/interop/installed_layout.h"
#include "common/settings/marovane_settings.h"
#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "common/win32/program_start.h"
#include "common/win32/suite_files.h"
#include "common/win32/win32_registry.h"

namespace {

constexpr const char* kCaption = "Marovane Setup";

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

std::string WindowsFolder() {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return folder;
}

// What set-up records is the machine's, under HKEY_LOCAL_MACHINE.
void WriteValue(const std::string& path, const char* name, const std::string& text) {
  Win32Registry registry;
  WriteRegistryString(registry, RegRoot::LocalMachine, path, name, text);
}

std::string ReadValue(RegRoot root, const std::string& path, const char* name) {
  Win32Registry registry;
  return ReadRegistryString(registry, root, path, name);
}

// Copies every file of the suite; names the first that could not be copied.
std::string CopySuite(const std::string& from) {
  const std::string missing = CopySuiteFiles(from);
  if (!missing.empty()) return missing;
  const std::string own = ProgramFolder();
  const std::string uninstaller = std::string("\\") + layout::kSetupUninstaller;
  if (!CopyFileA((own + uninstaller).c_str(), (layout::kProgramDir + uninstaller).c_str(), FALSE)) {
    return own + uninstaller;
  }
  // The uninstaller is install itself, kept in the Windows folder under a name of its own.
  const std::string installer = own + "\\..\\..\\INSTALL.EXE";
  if (!CopyFileA(installer.c_str(), (WindowsFolder() + "\\" + layout::kUninstallerCopy).c_str(),
                 FALSE)) {
    return installer;
  }
  return {};
}

// The card's driver for the adapter's device, as the driver's INF file would install it.
void InstallDisplayDriver() {
  WriteValue(layout::kDisplayPath, "Mfg", "S3");
  WriteValue(layout::kDisplayPath, "DeviceDesc", "Marovane S3 Trio64");
  WriteValue(layout::kDisplayPath, win95reg::kDriver, layout::kDisplayDriverKey);
  const std::string classKey = std::string(win95reg::kClassPrefix) + layout::kDisplayDriverKey;
  WriteValue(classKey, "DriverDesc", "Marovane S3 Trio64");
  WriteValue(classKey, "DevLoader", "*vdd,*vflatd");
  WriteValue(classKey + "\\DEFAULT", "drv", std::string(layout::kDriverName) + ".drv");
}

void RecordInstallation() {
  const char* record = "SOFTWARE\\Marovane\\Installation";
  WriteValue(record, "ProgramDir", layout::kProgramDir);
  WriteValue(record, "ToolsFolder", layout::kToolsFolder);
  WriteValue(record, "DisplayPath", layout::kDisplayPath);
  WriteValue(record, "DriverName", layout::kDriverName);
  WriteValue(record, "AppName", layout::kAppName);
  // The OEM font before the card's driver, for the uninstaller to put back.
  const std::string oemFont =
      ReadValue(RegRoot::LocalMachine, win95reg::kDisplaySettings, win95reg::kOemFont);
  if (!oemFont.empty()) WriteValue(record, "oemfonts.fon", oemFont);

  const std::string uninstall =
      std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + layout::kAppName;
  WriteValue(uninstall, "DisplayName", layout::kToolsFolder);
  WriteValue(uninstall, "UninstallString",
             WindowsFolder() + "\\" + layout::kUninstallerCopy + " 3");
}

void WriteSettings(bool firstInstallation) {
  const char* ini = settings::kSystemIni;
  WritePrivateProfileStringA(settings::kSection, settings::kProgramDir.key, layout::kProgramDir,
                             ini);
  WritePrivateProfileStringA(settings::kSection, settings::kToolsFolder.key, layout::kToolsFolder,
                             ini);
  if (firstInstallation) {
    WritePrivateProfileStringA(settings::kSection, settings::kInitialInstall.key, "1", ini);
  }
}

void MakeShortcut(const std::string& group, const char* title, const std::string& target,
                  const char* folder) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return;
  }
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(folder);
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    const std::string path = group + "\\" + title + ".lnk";
    wchar_t widePath[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    file->Save(widePath, TRUE);
    file->Release();
  }
  link->Release();
}

// The suite's group in the Start menu, with a shortcut to each program a user starts.
void MakeStartMenuGroup() {
  const std::string programs =
      ReadValue(RegRoot::CurrentUser, win95reg::kShellFolders, win95reg::kProgramsFolder);
  if (programs.empty()) return;
  const std::string group = programs + "\\" + layout::kToolsFolder;
  CreateDirectoryA(group.c_str(), nullptr);
  CoInitialize(nullptr);
  const std::string tools = layout::kDisplayToolsFolder;
  const std::string media = layout::kMediaFolder;
  MakeShortcut(group, "Vistrel", tools + "\\VISTREL.EXE", layout::kDisplayToolsFolder);
  MakeShortcut(group, "Jubilo", media + "\\JUBILO.EXE", layout::kMediaFolder);
  MakeShortcut(group, "Peekwell", media + "\\PEEKWELL.EXE", layout::kMediaFolder);
  MakeShortcut(group, "Uninstall Marovane Tools", WindowsFolder() + "\\" + layout::kUninstallerCopy,
               layout::kProgramDir);
  CoUninitialize();
}

bool Installed() {
  return !ReadValue(RegRoot::LocalMachine, "SOFTWARE\\Marovane\\Installation", "ProgramDir")
              .empty();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string missing = CopySuite(ProgramFolder() + "\\..\\FILES");
  if (!missing.empty()) {
    MessageBoxA(nullptr,
                ("The file " + missing +
                 " cannot be copied. The distribution is incomplete, or the disk is full.")
                    .c_str(),
                kCaption, MB_OK | MB_ICONSTOP);
    return 1;
  }
  // Trayvel greets the user on the first start after a first installation, not after an update.
  WriteSettings(!Installed());
  InstallDisplayDriver();
  RecordInstallation();
  MakeStartMenuGroup();
  StartProgram(std::string(layout::kDisplayToolsFolder) + "\\TRAYVEL.EXE", SW_SHOWNORMAL,
               layout::kDisplayToolsFolder);
  return 0;
}

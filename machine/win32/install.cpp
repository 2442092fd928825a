#include "machine/win32/install.h"

#include <windows.h>

#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"

namespace machine {
namespace {

struct InstalledFile {
  const char* name;
  const char* folder;
};

constexpr InstalledFile kSuiteFiles[] = {
    {"VISTREL.EXE", kDisplayToolsFolder},   {"TRAYVEL.EXE", kDisplayToolsFolder},
    {"LATCHWIN.DLL", kDisplayToolsFolder},  {"restart.dat", kDisplayToolsFolder},
    {"fleetmark.exe", kDisplayToolsFolder}, {"QORVID.DLL", kDisplayToolsFolder},
    {"loupara.exe", kDisplayToolsFolder},   {"default.htm", kDisplayToolsFolder},
};

}  // namespace

bool InstallSuite(const std::string& buildFolder) {
  CreateDirectoryA(kProgramDir, nullptr);
  bool complete = true;
  for (const InstalledFile& file : kSuiteFiles) {
    CreateDirectoryA(file.folder, nullptr);
    const std::string from = buildFolder + "\\" + file.name;
    const std::string to = std::string(file.folder) + "\\" + file.name;
    complete = CopyFileA(from.c_str(), to.c_str(), FALSE) && complete;
  }
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings(systemIni).Write(settings::kProgramDir, kProgramDir);
  return complete;
}

}  // namespace machine

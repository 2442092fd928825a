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
    {"SONAVO.EXE", kMediaFolder},           {"TICKORA.DLL", kMediaFolder},
    {"JUBILO.EXE", kMediaFolder},           {"cabinet.bmp", kMediaFolder},
    {"blendora.exe", kMediaFolder},         {"PEEKWELL.EXE", kMediaFolder},
};

// The system's own words for an error code, on one line.
std::string SystemMessage(DWORD error) {
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof(text), nullptr);
  std::string message = text;
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(error) : message;
}

}  // namespace

std::string InstallSuite(const std::string& buildFolder) {
  CreateDirectoryA(kProgramDir, nullptr);
  std::string problem;
  for (const InstalledFile& file : kSuiteFiles) {
    CreateDirectoryA(file.folder, nullptr);
    const std::string from = buildFolder + "\\" + file.name;
    const std::string to = std::string(file.folder) + "\\" + file.name;
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE) && problem.empty()) {
      problem = "cannot replace " + to + " with " + from + ": " + SystemMessage(GetLastError());
    }
  }
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings(systemIni).Write(settings::kProgramDir, kProgramDir);
  return problem;
}

}  // namespace machine

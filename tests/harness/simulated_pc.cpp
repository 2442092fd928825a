#include "tests/harness/simulated_pc.h"

#include <windows.h>

#include <prsht.h>

#include <cstdio>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/suite_files.h"
#include "machine/win32/simulator.h"
#include "tests/harness/harness.h"

namespace harness {
namespace {

// The suite's files from the build into the set-up program's layout, and ProgramDir: what a
// scenario needs of an installation, in a fraction of the installer's time.
bool InstallQuickly() {
  if (!CopySuiteFiles(OwnFolder()).empty()) return false;
  return WritePrivateProfileStringA(settings::kSection, settings::kProgramDir.key,
                                    layout::kProgramDir, settings::kSystemIni) != FALSE;
}

}  // namespace

void ScenarioTest::SetUp() {
  DeleteFileA((machine::WindowsFolder() + "\\" + machine::kConfigFile).c_str());
  // A program an earlier test of this process started may still hold a file for a moment.
  ASSERT_TRUE(WaitFor(InstallQuickly));
  Boot();
}

void ScenarioTest::Configure(const std::string& section, const std::string& key,
                             const std::string& value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), machine::kConfigFile);
}

void ScenarioTest::Boot() {
  machine::Boot();
}

std::string ScenarioTest::VistrelPath() {
  return std::string(layout::kDisplayToolsFolder) + "\\VISTREL.EXE";
}

void ScenarioTest::SetFontDpi(const std::string& dpi) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Settings", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, "DPILogicalX", 0, REG_SZ, reinterpret_cast<const BYTE*>(dpi.c_str()),
                 static_cast<DWORD>(dpi.size() + 1));
  RegCloseKey(key);
}

bool ScenarioTest::InstallStandIn(const std::string& name) {
  const std::string from = OwnFolder() + "\\START_RECORDER.EXE";
  const std::string to = std::string(layout::kDisplayToolsFolder) + "\\" + name;
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

std::string ScenarioTest::StartedPrograms() {
  std::string text;
  if (FILE* file = std::fopen((machine::WindowsFolder() + "\\started.log").c_str(), "rb")) {
    char buffer[4096];
    text.assign(buffer, std::fread(buffer, 1, sizeof(buffer), file));
    std::fclose(file);
  }
  return text;
}

HWND ScenarioTest::OpenVistrelPage(Program& vistrel, int tab) {
  sheet_ = WaitForWindow("#32770", names::kVistrelSheetCaption, vistrel.Id());
  if (sheet_ == nullptr) return nullptr;
  SendMessageA(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  return CurrentPage(sheet_);
}

}  // namespace harness

#include "tests/harness/simulated_pc.h"

#include <windows.h>

#include "machine/win32/install.h"
#include "machine/win32/machine.h"
#include "tests/harness/harness.h"

namespace harness {

void ScenarioTest::SetUp() {
  DeleteFileA((machine::WindowsFolder() + "\\" + machine::kConfigFile).c_str());
  ASSERT_TRUE(machine::InstallSuite(OwnFolder()));
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
  return std::string(machine::kDisplayToolsFolder) + "\\VISTREL.EXE";
}

}  // namespace harness

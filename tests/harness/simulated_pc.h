#pragma once
// A scenario's simulated PC: the suite installed from the build, machine.ini as the test
// wants it, and a boot before any program starts. The prefix itself is fresh for every test.

#include <gtest/gtest.h>

#include <string>

#include "tests/harness/harness.h"

namespace harness {

class ScenarioTest : public testing::Test {
 protected:
  // Installs the suite and boots the default PC (no machine.ini); a test that wants another
  // configuration calls Configure and then Boot again.
  void SetUp() override;

  static void Configure(const std::string& section, const std::string& key,
                        const std::string& value);
  static void Boot();
  static std::string VistrelPath();
  // The system font size Windows reads at its next start (DPILogicalX), e.g. "120".
  static void SetFontDpi(const std::string& dpi);
  // Puts the start recorder into the display tools' folder under `name`, so that a program of
  // the suite that starts `name` starts it; StartedPrograms lists what it recorded.
  static bool InstallStandIn(const std::string& name);
  static std::string StartedPrograms();
  // Waits for Vistrel's sheet in the program, shows page `tab` (0-5) and returns it; nullptr
  // without a sheet. The sheet is kept in sheet_.
  HWND OpenVistrelPage(harness::Program& vistrel, int tab);

  HWND sheet_ = nullptr;
};

}  // namespace harness

// The Reach Us page end to end: its texts, and "click here." opening the local index.

#include <windows.h>

#include <gtest/gtest.h>
#include <prsht.h>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

class ContactPageTest : public harness::ScenarioTest {};

TEST_F(ContactPageTest, ClickHereOpensTheLocalIndexWithTheProgramRegisteredForIt) {
  // The program the shell opens web pages with is the start recorder here.
  ASSERT_TRUE(InstallStandIn("OPENER.EXE"));
  const std::string command =
      "\"" + std::string(layout::kDisplayToolsFolder) + "\\OPENER.EXE\" \"%1\"";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>(command.size() + 1));
  RegCloseKey(key);
  RegCreateKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("htmlfile"), 9);
  RegCloseKey(key);

  Program vistrel(VistrelPath());
  HWND sheet = harness::WaitForWindow("#32770", names::kVistrelSheetCaption, vistrel.Id());
  ASSERT_NE(sheet, nullptr);
  SendMessageA(sheet, PSM_SETCURSEL, 3, 0);
  HWND page = harness::CurrentPage(sheet);
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_CLICK_HERE)), "click here.");
  harness::SaveScreenshot(sheet, "reach-us");
  harness::PressButton(page, IDC_CLICK_HERE);
  EXPECT_TRUE(harness::WaitFor([] {
    const std::string started = StartedPrograms();
    return started.find("OPENER.EXE|") != std::string::npos &&
           started.find("default.htm") != std::string::npos;
  })) << StartedPrograms();
}

}  // namespace

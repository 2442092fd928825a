// The Zoom In page end to end: the dialog's settings, the commands to a running magnifier,
// Qorvid's items, and OK starting the magnifier.

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

std::vector<WPARAM>* magnifierCommands = nullptr;

LRESULT CALLBACK Magnifier(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && magnifierCommands != nullptr) magnifierCommands->push_back(wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class ZoomPageTest : public harness::ScenarioTest {};

TEST_F(ZoomPageTest, TheDialogConfiguresTheRunningMagnifierAndQorvid) {
  std::vector<WPARAM> commands;
  magnifierCommands = &commands;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Magnifier;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = names::kMagnifierClass;
  RegisterClassA(&windowClass);
  HWND magnifier = CreateWindowExA(0, names::kMagnifierClass, "Zoom In (2x)", WS_POPUP, 0, 0, 1, 1,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(magnifier, nullptr);

  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 4);
  ASSERT_NE(page, nullptr);
  harness::SaveScreenshot(sheet_, "zoom-in");
  harness::PressButton(page, IDC_ZOOM_CONFIGURE);
  HWND dialog = harness::WaitForWindow("#32770", "Configure Zoom In", vistrel.Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_ZOOM_KEY), "1");
  EXPECT_EQ(harness::ComboItems(dialog, IDC_ZOOM_KEY).size(), 51u);
  EXPECT_TRUE(harness::IsChecked(dialog, IDC_ZOOM_ALT));
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_ZOOM_LEVEL), "2x");
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_ZOOM_CROSSHAIR), "1/8");
  EXPECT_TRUE(harness::IsChecked(dialog, IDC_CONTINUOUS_PAN));
  harness::SaveScreenshot(dialog, "zoom-config");

  SendMessageA(harness::Control(dialog, IDC_ZOOM_LEVEL), CB_SETCURSEL, 7, 0);      // 8x
  SendMessageA(harness::Control(dialog, IDC_ZOOM_CROSSHAIR), CB_SETCURSEL, 0, 0);  // None
  SendMessageA(harness::Control(dialog, IDC_ZOOM_SHIFT), BM_SETCHECK, BST_CHECKED, 0);
  harness::PressButton(dialog, IDOK);
  EXPECT_TRUE(harness::WaitFor([&] {
    Pump();
    return commands.size() == 3;
  }));
  EXPECT_EQ(commands, (std::vector<WPARAM>{507, 700, 550}));
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "ZoomFactor"), "8");
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "Crosshair"), "0");
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotShifts"), "5");
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyZoom"), "1");

  // The library the program loaded keeps the items for every process that loads it.
  HMODULE qorvid =
      LoadLibraryA((std::string(layout::kDisplayToolsFolder) + "\\QORVID.DLL").c_str());
  ASSERT_NE(qorvid, nullptr);
  using GetItem = int(WINAPI*)(int);
  auto get = reinterpret_cast<GetItem>(
      reinterpret_cast<void*>(GetProcAddress(qorvid, MAKEINTRESOURCEA(5))));
  ASSERT_NE(get, nullptr);
  EXPECT_EQ(get(6), 5);
  EXPECT_EQ(get(7), '1');
  FreeLibrary(qorvid);

  // The page's OK now looks for the 8x window: found, nothing is started; a 2x one is not.
  ASSERT_TRUE(InstallStandIn("loupara.exe"));
  // Clicked synchronously: each search must see the title set before it.
  const auto click = [&] {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ZOOM_OK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(harness::Control(page, IDC_ZOOM_OK)));
  };
  SetWindowTextA(magnifier, "Zoom In (8x)");
  click();
  SetWindowTextA(magnifier, "Zoom In (2x)");
  click();
  EXPECT_TRUE(harness::WaitFor([] { return !StartedPrograms().empty(); }));
  EXPECT_EQ(StartedPrograms().find("loupara.exe|"), StartedPrograms().rfind("loupara.exe|"));
  magnifierCommands = nullptr;
  DestroyWindow(magnifier);
}

TEST_F(ZoomPageTest, OkStartsTheMagnifierWhenNoneRuns) {
  ASSERT_TRUE(InstallStandIn("loupara.exe"));
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 4);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_ZOOM_OK);
  EXPECT_TRUE(
      harness::WaitFor([] { return StartedPrograms().find("loupara.exe|") != std::string::npos; }));
}

TEST_F(ZoomPageTest, WithoutTheMagnifierProgramOkShowsNothing) {
  ASSERT_TRUE(DeleteFileA((std::string(layout::kDisplayToolsFolder) + "\\loupara.exe").c_str()));
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 4);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_ZOOM_OK);
  EXPECT_FALSE(harness::WaitForMessageBox(vistrel.Id(), harness::Milliseconds(500)));
  EXPECT_EQ(StartedPrograms().find("loupara.exe|"), std::string::npos);
  EXPECT_TRUE(vistrel.Running());
}

TEST_F(ZoomPageTest, OkStartsTheRealMagnifierWhichObeysCommandsAndRunsOnce) {
  WritePrivateProfileStringA("Marovane", "ZoomFactor", "3", "system.ini");
  Program vistrel(VistrelPath());
  HWND page = OpenVistrelPage(vistrel, 4);
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_ZOOM_OK);
  HWND magnifier = harness::WaitForWindow(names::kMagnifierClass, "Zoom In (3x)");
  ASSERT_NE(magnifier, nullptr);
  SendMessageA(magnifier, WM_COMMAND, 507, 0);
  EXPECT_EQ(harness::WindowText(magnifier), "Zoom In (8x)");
  harness::SaveScreenshot(magnifier, "loupara");

  // A second start brings the first forward and ends.
  Program second(std::string(layout::kDisplayToolsFolder) + "\\loupara.exe");
  EXPECT_TRUE(second.WaitForExit());
  int windows = 0;
  for (HWND window : harness::TopLevelWindows()) {
    windows += IsWindowVisible(window) && harness::ClassName(window) == names::kMagnifierClass;
  }
  EXPECT_EQ(windows, 1);
  PostMessageA(magnifier, WM_CLOSE, 0, 0);
  EXPECT_TRUE(harness::WaitFor([&] { return !IsWindow(magnifier); }));
}

}  // namespace

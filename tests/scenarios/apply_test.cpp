// Apply on the Display Configuration page end to end: options, the tested mode change, the
// restart path, and the restores, on the simulated PC.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "common/interop/suite_names.h"
#include "machine/win32/simulator.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;

const std::string kNotice =
    "Windows will now change your display configuration.  This could take a few seconds, "
    "during which your screen might flicker.  If Windows does not reappear correctly, wait 10 "
    "seconds, and your original settings will be restored.\n\nMode selected: ";

class ApplyTest : public harness::ScenarioTest {
 protected:
  HWND OpenPage() {
    vistrel_ = std::make_unique<Program>(VistrelPath());
    sheet_ = harness::WaitForWindow("#32770", names::kVistrelSheetCaption, vistrel_->Id());
    return page_ = sheet_ == nullptr ? nullptr : harness::CurrentPage(sheet_);
  }
  // As a drag leaves a slider; the page's poll picks it up.
  void MoveSlider(int id, int position, const std::string& text, int textId) {
    SendMessageA(harness::Control(page_, id), TBM_SETPOS, TRUE, position);
    ASSERT_TRUE(harness::WaitFor(
        [&] { return harness::WindowText(harness::Control(page_, textId)) == text; }));
  }
  void Choose(int comboId, const std::string& text) {
    const auto items = harness::ComboItems(page_, comboId);
    const auto item = std::find(items.begin(), items.end(), text);
    ASSERT_NE(item, items.end()) << text;
    SendMessageA(harness::Control(page_, comboId), CB_SETCURSEL, item - items.begin(), 0);
    PostMessageA(page_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(harness::Control(page_, comboId)));
  }
  harness::MessageBox Box() {
    auto box = harness::WaitForMessageBox(vistrel_->Id());
    EXPECT_TRUE(box.has_value());
    return box.value_or(harness::MessageBox{nullptr, "", ""});
  }
  void Answer(const harness::MessageBox& box, int button) {
    harness::PressButton(box.window, button);
    ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(box.window); }));
  }
  // High Color chosen, Apply, and Yes to the restart question.
  void RestartWithHighColour() {
    Choose(IDC_COLOUR_COMBO, "High Color (16 bit)");
    ASSERT_TRUE(harness::WaitFor([&] {
      return harness::ComboSelectedText(page_, IDC_COLOUR_COMBO) == "High Color (16 bit)";
    }));
    harness::PressButton(sheet_, harness::kApplyButton);
    Answer(Box(), IDYES);
    ASSERT_TRUE(harness::WaitFor([] { return machine::State()->power.restartCount == 1; }));
  }
  HWND VideoTest() { return harness::WaitForWindow("#32770", "Video Test...", vistrel_->Id()); }
  static machine::DisplayMode Mode() { return machine::State()->display.current; }
  static std::optional<std::string> Key(const std::string& key) {
    return harness::ReadProfile("system.ini", "Marovane", key);
  }
  static std::vector<std::string> ModeChanges() {
    std::vector<std::string> changes;
    for (const auto& change : machine::RecentModeChanges(machine::State()->history)) {
      changes.push_back(std::to_string(change.mode.width) + "x" +
                        std::to_string(change.mode.bitsPerPixel));
    }
    return changes;
  }

  std::unique_ptr<Program> vistrel_;
  HWND page_ = nullptr;
};

TEST_F(ApplyTest, TheTypicalRoadWidensTheDesktopBehindAnUnchangedViewport) {
  ASSERT_NE(OpenPage(), nullptr);
  MoveSlider(IDC_DESKTOP_SLIDER, 2, "1024 by 768 pixels", IDC_DESKTOP_TEXT);
  MoveSlider(IDC_VIEWPORT_SLIDER, 1, "800 by 600 pixels", IDC_VIEWPORT_TEXT);
  Choose(IDC_REFRESH_COMBO, "75 Hz");
  harness::PressButton(sheet_, harness::kApplyButton);

  const auto notice = Box();
  EXPECT_EQ(notice.caption, "Vistrel");
  EXPECT_EQ(notice.text,
            kNotice + "800x600 / 1024x768, 256 Color, 75 Hz refresh rate, 48 kHz scan rate.");
  Answer(notice, IDOK);
  HWND test = VideoTest();
  ASSERT_NE(test, nullptr);
  EXPECT_EQ(Mode(), (machine::DisplayMode{1024, 768, 8}));
  harness::PressButton(test, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(test); }));

  EXPECT_EQ(Mode(), (machine::DisplayMode{1024, 768, 8}));
  EXPECT_EQ(Key("ScreenResolution"), "800,600");
  EXPECT_EQ(Key("Refresh"), "-1,3,-1,-1,-1,-1");
  EXPECT_EQ(Key("TaskbarIcon"), "1");
  EXPECT_EQ(Key("Latchwin"), "0");
  EXPECT_EQ(Key("PanLock"), "0");
  EXPECT_EQ(machine::State()->escapes.panLockCount, 1u);
  EXPECT_EQ(machine::State()->card.registers.refreshHz, 75u);
  EXPECT_TRUE(harness::WaitFor([&] { return !harness::IsEnabled(sheet_, harness::kApplyButton); }));
}

TEST_F(ApplyTest, AnUnconfirmedTestRestoresTheModeAfterTenSeconds) {
  ASSERT_NE(OpenPage(), nullptr);
  MoveSlider(IDC_DESKTOP_SLIDER, 2, "1024 by 768 pixels", IDC_DESKTOP_TEXT);
  MoveSlider(IDC_VIEWPORT_SLIDER, 1, "800 by 600 pixels", IDC_VIEWPORT_TEXT);
  harness::PressButton(sheet_, harness::kApplyButton);
  Answer(Box(), IDOK);
  HWND test = VideoTest();
  ASSERT_NE(test, nullptr);
  EXPECT_EQ(harness::WindowText(harness::Control(test, IDC_COUNTDOWN)), "");
  // The countdown runs on the real clock: a tick a second.
  EXPECT_TRUE(harness::WaitFor([&] {
    return harness::WindowText(harness::Control(test, IDC_COUNTDOWN)) == "8 seconds remaining ...";
  }));
  harness::SaveScreenshot(test, "video-test");
  EXPECT_EQ(Key("ScreenResolution"), "800,600");

  const auto restored = harness::WaitForMessageBox(vistrel_->Id(), harness::Milliseconds(12000));
  ASSERT_TRUE(restored.has_value());
  EXPECT_EQ(restored->text, "Windows has restored your original display configuration.");
  EXPECT_FALSE(IsWindow(test));
  EXPECT_EQ(Mode(), (machine::DisplayMode{800, 600, 8}));
  EXPECT_EQ(Key("ScreenResolution"), std::nullopt);
  EXPECT_EQ(Key("Refresh"), "-1,-1,-1,-1,-1,-1");
  Answer(*restored, IDOK);
  EXPECT_EQ(harness::WindowText(harness::Control(page_, IDC_DESKTOP_TEXT)), "800 by 600 pixels");
}

TEST_F(ApplyTest, ANewDepthAsksToRestartNoPutsThePageBackYesRestarts) {
  ASSERT_NE(OpenPage(), nullptr);
  Choose(IDC_COLOUR_COMBO, "High Color (16 bit)");
  ASSERT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(sheet_, harness::kApplyButton); }));
  harness::PressButton(sheet_, harness::kApplyButton);
  auto question = Box();
  EXPECT_EQ(question.text.rfind("You must restart your computer before the new settings will "
                                "take effect.  Do you want to restart your computer now?\n\n",
                                0),
            0u);
  harness::SaveScreenshot(question.window, "restart-question");
  Answer(question, IDNO);
  EXPECT_TRUE(harness::WaitFor(
      [&] { return harness::ComboSelectedText(page_, IDC_COLOUR_COMBO) == "256 Color"; }));
  EXPECT_EQ(Key("ScreenResolution"), std::nullopt);
  EXPECT_EQ(Key("Refresh"), std::nullopt);
  EXPECT_TRUE(ModeChanges().empty());

  RestartWithHighColour();
  EXPECT_EQ(Mode(), (machine::DisplayMode{800, 600, 16}));
  EXPECT_EQ(Key("Refresh"), "-1,-1,-1,-1,-1,-1");
  EXPECT_EQ(harness::ReadRegistry(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Fonts",
                                  "Small Fonts (VGA res)"),
            std::nullopt);
}

TEST_F(ApplyTest, ANewFontSizeWithTheDepthWritesTheFontsBeforeTheRestart) {
  SetFontDpi("120");
  ASSERT_NE(OpenPage(), nullptr);
  Choose(IDC_FONT_COMBO, "Small Fonts");
  RestartWithHighColour();
  EXPECT_EQ(
      harness::ReadRegistry(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Settings", "DPILogicalX"),
      "96");
  EXPECT_EQ(harness::ReadRegistry(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Fonts",
                                  "Small Fonts (VGA res)"),
            "smalle.fon");
  EXPECT_EQ(machine::State()->display.fontDpi, 96u);
  EXPECT_EQ(Mode(), (machine::DisplayMode{800, 600, 16}));
}

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static std::vector<WPARAM>* commands = nullptr;
  if (message == WM_CREATE) {
    commands =
        static_cast<std::vector<WPARAM>*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
  }
  if (message == WM_COMMAND && commands != nullptr) commands->push_back(wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ApplyTest, ApplyWithoutADisplayChangeStillHandsTheOptionsOver) {
  ASSERT_TRUE(InstallStandIn("TRAYVEL.EXE"));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RecordCommands;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = names::kTrayvelCommandClass;
  RegisterClassA(&windowClass);
  std::vector<WPARAM> commands;
  HWND tray = CreateWindowExA(0, names::kTrayvelCommandClass, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, GetModuleHandleA(nullptr), &commands);
  ASSERT_NE(tray, nullptr);
  WritePrivateProfileStringA("Marovane", "TaskbarIcon", "0", "system.ini");

  ASSERT_NE(OpenPage(), nullptr);
  harness::PressButton(page_, IDC_PAN_LOCK);
  ASSERT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(sheet_, harness::kApplyButton); }));
  harness::PressButton(sheet_, IDOK);
  // The icon command is sent: take it while waiting for the program to end.
  EXPECT_TRUE(harness::WaitFor([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return !vistrel_->Running();
  }));
  EXPECT_EQ(commands, std::vector<WPARAM>{3});
  EXPECT_EQ(Key("TaskbarIcon"), "0");
  EXPECT_EQ(Key("PanLock"), "1");
  EXPECT_EQ(Key("Latchwin"), "0");
  EXPECT_EQ(machine::State()->escapes.panLocked, 1u);
  EXPECT_NE(StartedPrograms().find("\\TRAYVEL.EXE|"), std::string::npos);
  EXPECT_TRUE(ModeChanges().empty());
  DestroyWindow(tray);
}

TEST_F(ApplyTest, AChangeTheDriverRefusesLogsTheUserOff) {
  Configure("Display", "RefuseChanges", "1");
  Boot();
  ASSERT_NE(OpenPage(), nullptr);
  MoveSlider(IDC_DESKTOP_SLIDER, 2, "1024 by 768 pixels", IDC_DESKTOP_TEXT);
  harness::PressButton(sheet_, harness::kApplyButton);
  Answer(Box(), IDOK);
  ASSERT_TRUE(harness::WaitFor([] { return machine::State()->power.logoffCount >= 1; }));
  EXPECT_EQ(machine::State()->power.lastReason, 0x42u);
  EXPECT_EQ(Mode(), (machine::DisplayMode{800, 600, 8}));
  if (HWND test = VideoTest()) harness::PressButton(test, IDOK);
}

}  // namespace

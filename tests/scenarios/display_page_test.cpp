// The Display Configuration page end to end, on the simulated PC's card and modes.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"
#include "vistrel/shell/resource.h"

namespace {

using harness::Program;
using Strings = std::vector<std::string>;

class DisplayPageTest : public harness::ScenarioTest {
 protected:
  // Starts Vistrel and returns its first page.
  HWND OpenPage() {
    vistrel_ = std::make_unique<Program>(VistrelPath());
    sheet_ = harness::WaitForWindow("#32770", names::kVistrelSheetCaption, vistrel_->Id());
    return sheet_ == nullptr ? nullptr : harness::CurrentPage(sheet_);
  }

  // The group's mnemonic (Alt and its letter) takes the focus to its slider, as for a user: the
  // keys typed next go to the slider (false when it did not get the focus). Asked twice: under
  // load the sheet may not be in front yet when the key comes.
  bool FocusSlider(HWND page, char mnemonic, int slider) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      SetForegroundWindow(sheet_);
      if (harness::TypeHotKey(0x400 | mnemonic, [&] {
            return harness::FocusOf(sheet_) == harness::Control(page, slider);
          })) {
        return true;
      }
    }
    return false;
  }

  std::unique_ptr<Program> vistrel_;
};

// A picture as the page composes it: layers of Vistrel's bitmaps, each from the frame's top-left
// corner, stretched to a size or, without one, copied at its own size in the middle.
struct Layer {
  int bitmap;
  SIZE size;  // {0, 0}: its own size, centred
};

// `underneath` is what the frame shows where no layer reaches.
std::vector<std::uint32_t> Composed(const std::string& vistrelPath, SIZE frame,
                                    const std::vector<std::uint32_t>& underneath,
                                    const std::vector<Layer>& layers) {
  HMODULE vistrel = LoadLibraryExA(vistrelPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(format.bmiHeader), frame.cx, -frame.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  auto pixels = harness::DrawnPixels(frame, [&](HDC picture) {
    SetDIBitsToDevice(picture, 0, 0, frame.cx, frame.cy, 0, 0, 0, frame.cy, underneath.data(),
                      &format, DIB_RGB_COLORS);
    SetStretchBltMode(picture, COLORONCOLOR);
    for (const Layer& layer : layers) {
      HBITMAP bitmap = LoadBitmapA(vistrel, MAKEINTRESOURCEA(layer.bitmap));
      BITMAP own{};
      GetObjectA(bitmap, sizeof(own), &own);
      HDC source = CreateCompatibleDC(picture);
      HGDIOBJ old = SelectObject(source, bitmap);
      if (layer.size.cx == 0) {
        BitBlt(picture, (frame.cx - own.bmWidth) / 2, (frame.cy - own.bmHeight) / 2, own.bmWidth,
               own.bmHeight, source, 0, 0, SRCCOPY);
      } else {
        StretchBlt(picture, 0, 0, layer.size.cx, layer.size.cy, source, 0, 0, own.bmWidth,
                   own.bmHeight, SRCCOPY);
      }
      SelectObject(source, old);
      DeleteDC(source);
      DeleteObject(bitmap);
    }
  });
  FreeLibrary(vistrel);
  return pixels;
}

SIZE FrameSize(HWND page, int id) {
  RECT area{};
  GetWindowRect(harness::Control(page, id), &area);
  return {area.right - area.left, area.bottom - area.top};
}

// The share of pixels the screen shows as composed.
double Likeness(const std::vector<std::uint32_t>& shown,
                const std::vector<std::uint32_t>& composed) {
  if (shown.size() != composed.size() || shown.empty()) return 0;
  std::size_t same = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) same += shown[i] == composed[i];
  return static_cast<double>(same) / shown.size();
}

TEST_F(DisplayPageTest, TheColourListOffersTheDepthsTheCardHasModesFor) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboItems(page, IDC_COLOUR_COMBO),
            (Strings{"16 Color", "256 Color", "High Color (16 bit)", "True Color (24 bit)",
                     "True Color (32 bit)"}));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_COLOUR_COMBO), "256 Color");
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_DESKTOP_TEXT)), "800 by 600 pixels");
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Small Fonts");
}

TEST_F(DisplayPageTest, AHalfMegabyteCardOffersSixteenAnd256ColoursOnly) {
  Configure("Card", "Memory", "512");
  Boot();
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboItems(page, IDC_COLOUR_COMBO), (Strings{"16 Color", "256 Color"}));
}

TEST_F(DisplayPageTest, MovingTheDesktopSliderUpdatesTheTextsAndEnablesApply) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(harness::IsEnabled(sheet_, harness::kApplyButton));
  // As a drag leaves it: the position changes and the page's poll notices.
  SendMessageA(harness::Control(page, IDC_DESKTOP_SLIDER), TBM_SETPOS, TRUE, 2);
  EXPECT_TRUE(harness::WaitFor([&] {
    return harness::WindowText(harness::Control(page, IDC_DESKTOP_TEXT)) == "1024 by 768 pixels";
  }));
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_VIEWPORT_TEXT)), "1024 by 768 pixels");
  EXPECT_TRUE(harness::IsEnabled(sheet_, harness::kApplyButton));
  harness::SaveScreenshot(sheet_, "display-page-1024");
  EXPECT_EQ(harness::ComboItems(page, IDC_REFRESH_COMBO),
            (Strings{"Auto", "Interlaced", "60 Hz", "70 Hz", "75 Hz", "90 Hz"}));
}

// The slider moved by the user to 640 x 480 forces Small Fonts: the font sample shows it at
// once, without a repaint of the page.
TEST_F(DisplayPageTest, ASliderThatForcesSmallFontsRedrawsTheFontSample) {
  SetFontDpi("120");
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Large Fonts");
  harness::WaitUntilPainted(sheet_);
  HWND fontSample = harness::Control(page, IDC_FONT_SAMPLE);
  const auto large = harness::ScreenPixels(fontSample);
  // Alt+D takes the focus to the desktop slider; Home moves it to its first position.
  ASSERT_TRUE(FocusSlider(page, 'D', IDC_DESKTOP_SLIDER));
  harness::PressKeys({VK_HOME});
  ASSERT_TRUE(harness::WaitFor([&] {
    return harness::WindowText(harness::Control(page, IDC_DESKTOP_TEXT)) == "640 by 480 pixels";
  }));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Small Fonts");
  EXPECT_TRUE(harness::WaitFor([&] { return harness::ScreenPixels(fontSample) != large; },
                               harness::Milliseconds(3000)));
  harness::SaveScreenshot(sheet_, "display-page-640-small-fonts", false);
}

// A missing DPILogicalX is created empty by the page's read, as on Windows 95.
TEST_F(DisplayPageTest, AMissingFontSizeValueIsCreatedByThePage) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Settings", 0, KEY_ALL_ACCESS, &key),
      ERROR_SUCCESS);
  RegDeleteValueA(key, "DPILogicalX");
  RegCloseKey(key);
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(
      harness::ReadRegistry(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Settings", "DPILogicalX"),
      "");
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Small Fonts");
}

// The monitor picture: the desktop inside the monitor while desktop and viewport are equal; the
// panned monitor with the viewport over it when the desktop is larger. The font sample is
// stretched up to 108 dpi and centred at its own size above.
TEST_F(DisplayPageTest, TheMonitorAndFontPicturesShowWhatThePageHoldsLayerByLayer) {
  SetFontDpi("120");
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  harness::WaitUntilPainted(sheet_);
  HWND monitor = harness::Control(page, IDC_MONITOR_PICTURE);
  const SIZE frame = FrameSize(page, IDC_MONITOR_PICTURE);
  const auto layer = [&](int bitmap, int less) {
    return Layer{bitmap, {frame.cx - less, frame.cy - less}};
  };
  // Each picture as the layers compose it over what the frame shows where none reaches.
  const auto shows = [&](HWND frameWindow, SIZE size, const std::vector<Layer>& layers) {
    const auto shown = harness::ScreenPixels(frameWindow);
    return Likeness(shown, Composed(VistrelPath(), size, shown, layers));
  };
  // 800 x 600 on both sliders (k = v = 1); Large Fonts at their own size.
  EXPECT_GT(shows(monitor, frame, {layer(IDB_MONITOR_EQUAL, 0), layer(IDB_DESKTOP, 30)}), 0.99);
  EXPECT_LT(shows(monitor, frame, {layer(IDB_MONITOR_PANNED, 0), layer(IDB_DESKTOP, 30)}), 0.9);
  EXPECT_GT(shows(harness::Control(page, IDC_FONT_SAMPLE), FrameSize(page, IDC_FONT_SAMPLE),
                  {{IDB_FONT_SAMPLE, {0, 0}}}),
            0.99);

  // The desktop to 1024 x 768, then the viewport back to 800 x 600, with the keys.
  ASSERT_TRUE(FocusSlider(page, 'D', IDC_DESKTOP_SLIDER));
  harness::PressKeys({VK_HOME, VK_RIGHT, VK_RIGHT});
  ASSERT_TRUE(FocusSlider(page, 'V', IDC_VIEWPORT_SLIDER));
  harness::PressKeys({VK_HOME, VK_RIGHT});
  ASSERT_TRUE(harness::WaitFor([&] {
    return harness::WindowText(harness::Control(page, IDC_DESKTOP_TEXT)) == "1024 by 768 pixels" &&
           harness::WindowText(harness::Control(page, IDC_VIEWPORT_TEXT)) == "800 by 600 pixels";
  }));
  harness::WaitUntilPainted(sheet_);
  EXPECT_GT(shows(monitor, frame,
                  {layer(IDB_MONITOR_PANNED, 0), layer(IDB_VIEWPORT, 30), layer(IDB_DESKTOP, 45)}),
            0.99);
  harness::SaveScreenshot(sheet_, "display-page-panned");
}

TEST_F(DisplayPageTest, TheRefreshListChangesWithTheConfiguredChip) {
  Configure("Card", "Chip", "Vision968");
  Boot();
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboItems(page, IDC_REFRESH_COMBO),
            (Strings{"Auto", "56 Hz", "60 Hz", "72 Hz", "75 Hz", "90 Hz", "120 Hz", "150 Hz"}));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_REFRESH_COMBO), "Auto");
}

TEST_F(DisplayPageTest, TheRefreshListChangesWithTheVideoMemory) {
  Configure("Card", "Memory", "4096");
  Configure("Display", "Mode", "1280,1024,16");
  Boot();
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_COLOUR_COMBO), "High Color (16 bit)");
  EXPECT_EQ(harness::ComboItems(page, IDC_REFRESH_COMBO), (Strings{"Auto", "Interlaced"}));
}

TEST_F(DisplayPageTest, TheHotKeyDialogRoundTripsBothKeysAndMarksThePageChanged) {
  ASSERT_TRUE(InstallStandIn("TRAYVEL.EXE"));
  WritePrivateProfileStringA("Marovane", "HotKeyVistrel", "275", "system.ini");  // Shift+0x13
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  harness::PressButton(page, IDC_HOT_KEYS);
  HWND dialog = harness::WaitForWindow("#32770", "Hot Key Selection", vistrel_->Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PAN_KEY).size(), 78u);
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PAN_KEY), "(none)");
  EXPECT_FALSE(harness::IsChecked(dialog, IDC_PAN_SHIFT));
  harness::SaveScreenshot(dialog, "hot-key-dialog");
  // A key outside the table opens as "(none)" with its modifiers.
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_VISTREL_KEY), "(none)");
  EXPECT_TRUE(harness::IsChecked(dialog, IDC_VISTREL_SHIFT));

  SendMessageA(harness::Control(dialog, IDC_PAN_KEY), CB_SETCURSEL, 12, 0);  // F12
  SendMessageA(harness::Control(dialog, IDC_PAN_SHIFT), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(harness::Control(dialog, IDC_PAN_CTRL), BM_SETCHECK, BST_CHECKED, 0);
  harness::PressButton(dialog, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyPan"), "891");
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyVistrel"), "256");
  EXPECT_TRUE(harness::WaitFor(
      [] { return StartedPrograms().find("\\TRAYVEL.EXE|") != std::string::npos; }));
  EXPECT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(sheet_, harness::kApplyButton); }));

  // Opened again, it shows what it stored; Cancel stores nothing.
  harness::PressButton(page, IDC_HOT_KEYS);
  dialog = harness::WaitForWindow("#32770", "Hot Key Selection", vistrel_->Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PAN_KEY), "F12");
  EXPECT_TRUE(harness::IsChecked(dialog, IDC_PAN_CTRL));
  EXPECT_FALSE(harness::IsChecked(dialog, IDC_PAN_ALT));
  SendMessageA(harness::Control(dialog, IDC_PAN_ALT), BM_SETCHECK, BST_CHECKED, 0);
  harness::PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "HotKeyPan"), "891");
  EXPECT_EQ(StartedPrograms().find("TRAYVEL.EXE"), StartedPrograms().rfind("TRAYVEL.EXE"));
}

class FontDialogTest : public DisplayPageTest {
 protected:
  void SetUp() override {
    DisplayPageTest::SetUp();
    SetFontDpi("120");
  }
  HWND OpenFontDialog(HWND page) {
    harness::PressButton(page, IDC_CUSTOM_FONT);
    return harness::WaitForWindow("#32770", "Font Configuration", vistrel_->Id());
  }
  static POINT RulerPoint(HWND dialog, int fromLeft) {
    RECT ruler{};
    GetWindowRect(harness::Control(dialog, IDC_RULER), &ruler);
    POINT point{ruler.left + fromLeft, (ruler.top + ruler.bottom) / 2};
    ScreenToClient(dialog, &point);
    return point;
  }
  static void Mouse(HWND dialog, UINT message, POINT point) {
    SendMessageA(dialog, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(point.x, point.y));
  }
};

TEST_F(FontDialogTest, ItOpensAtTheSizesPercentageAndCancelKeepsTheSize) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Large Fonts");
  HWND dialog = OpenFontDialog(page);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PERCENT_COMBO),
            (Strings{"75%", "100%", "125%", "150%", "200%"}));
  EXPECT_EQ(harness::WindowText(harness::Control(dialog, IDC_PERCENT_COMBO)), "125%");
  EXPECT_EQ(harness::WindowText(harness::Control(dialog, IDC_FONT_INSTRUCTION)),
            "To set custom font size, drag ruler.");
  harness::SaveScreenshot(dialog, "font-dialog");
  harness::PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Large Fonts");
  EXPECT_FALSE(harness::IsEnabled(sheet_, harness::kApplyButton));
}

TEST_F(FontDialogTest, DraggingTheRulerChoosesACustomSize) {
  HWND page = OpenPage();
  ASSERT_NE(page, nullptr);
  HWND dialog = OpenFontDialog(page);
  ASSERT_NE(dialog, nullptr);
  // At 125 % a step is 31.25 pixels; half the distance from the left edge halves it.
  Mouse(dialog, WM_LBUTTONDOWN, RulerPoint(dialog, 100));
  Mouse(dialog, WM_MOUSEMOVE, RulerPoint(dialog, 50));
  Mouse(dialog, WM_LBUTTONUP, RulerPoint(dialog, 50));
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PERCENT_COMBO), "62%");
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PERCENT_COMBO).size(), 6u);
  Mouse(dialog, WM_LBUTTONDOWN, RulerPoint(dialog, 100));
  Mouse(dialog, WM_MOUSEMOVE, RulerPoint(dialog, 161));
  EXPECT_EQ(harness::ComboSelectedText(dialog, IDC_PERCENT_COMBO), "100%");
  EXPECT_EQ(harness::ComboItems(dialog, IDC_PERCENT_COMBO).size(), 5u);
  Mouse(dialog, WM_LBUTTONUP, RulerPoint(dialog, 161));
  harness::PressButton(dialog, IDOK);
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(harness::ComboSelectedText(page, IDC_FONT_COMBO), "Small Fonts");
  EXPECT_TRUE(harness::IsEnabled(sheet_, harness::kApplyButton));
}

}  // namespace

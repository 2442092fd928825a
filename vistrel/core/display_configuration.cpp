#include "vistrel/core/display_configuration.h"

#include <algorithm>

#include "vistrel/core/adapter_identification.h"
#include "vistrel/core/font_size.h"
#include "vistrel/core/monitor_search.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr int kTrueColour24 = 3;
constexpr int kPollTimerMs = 100;

int ResolutionOfWidth(int width, int otherwise) {
  for (int index = 0; index < kAreaCount; ++index) {
    if (kAreaWidths[index] == width) return index;
  }
  return otherwise;
}

int ColourDepthOfBits(int bits) {
  switch (bits) {
    case 4:
      return 0;
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

int BitsOfColourDepth(int colourDepth) {
  constexpr int kBits[] = {4, 8, 16, 24, 32};
  return colourDepth >= 0 && colourDepth <= 4 ? kBits[colourDepth] : 8;
}

void DisplayConfiguration::BuildModeList() {
  modeList.Build(env_.driver, ReadMaxResolution(env_.registry));
}

void DisplayConfiguration::EnableViewportSlider(bool enabled) {
  for (int id : {IDC_VIEWPORT_SLIDER, IDC_VIEWPORT_GROUP, IDC_VIEWPORT_TEXT, IDC_VIEWPORT_LESS,
                 IDC_VIEWPORT_MORE}) {
    controls_.Enable(id, enabled);
  }
}

void DisplayConfiguration::EnableViewportLabels(bool enabled) {
  controls_.Enable(IDC_DESKTOP_LESS, enabled);
  controls_.Enable(IDC_DESKTOP_MORE, enabled);
}

void DisplayConfiguration::EnableFontControls(bool enabled) {
  controls_.Enable(IDC_FONT_COMBO, enabled);
  controls_.Enable(IDC_CUSTOM_FONT, enabled);
}

void DisplayConfiguration::ShowFontSize() {
  const std::string name = controls_.String(FontSizeNameId(pending.fontDpi));
  controls_.SelectComboItem(IDC_FONT_COMBO, controls_.FindComboItem(IDC_FONT_COMBO, name));
}

void DisplayConfiguration::ShowAreaTexts() {
  controls_.SetText(IDC_DESKTOP_TEXT, controls_.String(IDS_RESOLUTION_640 + pending.desktopArea));
  controls_.SetText(IDC_VIEWPORT_TEXT, controls_.String(IDS_RESOLUTION_640 + pending.viewportArea));
}

void DisplayConfiguration::SetSliderRanges(int widths) {
  controls_.SetSliderRange(IDC_DESKTOP_SLIDER, widths - 1);
  controls_.SetSliderRange(IDC_VIEWPORT_SLIDER, widths - 1);
}

int DisplayConfiguration::ColourIndexOfSelection() {
  const int selected = controls_.ComboSelection(IDC_COLOUR_COMBO);
  if (selected < 0) return 0;
  const std::string text = controls_.ComboItemText(IDC_COLOUR_COMBO, selected);
  for (std::size_t index = 0; index < colorNames.size(); ++index) {
    if (colorNames[index] == text) return static_cast<int>(index);
  }
  return 0;
}

void DisplayConfiguration::Initialise() {
  colorNames.clear();
  controls_.ClearCombo(IDC_COLOUR_COMBO);
  for (int index = 0; index < 5; ++index) {
    colorNames.push_back(controls_.String(kColourNameIds[index]).substr(0, 29));
    controls_.InsertComboItem(IDC_COLOUR_COMBO, index, colorNames.back());
  }

  panLock = env_.settings.Read(settings::kPanLock);
  popupCentering = env_.settings.Read(settings::kLatchwin);
  taskbarIcon = env_.settings.Read(settings::kTaskbarIcon);
  controls_.SetCheck(IDC_PAN_LOCK, panLock != 0);
  controls_.SetCheck(IDC_POPUP_CENTERING, popupCentering != 0);
  controls_.SetCheck(IDC_SHOW_ICON, taskbarIcon != 0);
  controls_.StartPollTimer();

  // Depths with no mode at any width are not offered.
  BuildModeList();
  for (int bits : {24, 4, 8, 16, 32}) {
    if (modeList.CountWidths(static_cast<std::uint32_t>(bits)) != 0) continue;
    const int item = controls_.FindComboItem(IDC_COLOUR_COMBO, colorNames[ColourDepthOfBits(bits)]);
    if (item >= 0) controls_.DeleteComboItem(IDC_COLOUR_COMBO, item);
  }

  const int screenWidth = env_.driver.ScreenWidth();
  pending.colorDepth = ColourDepthOfBits(env_.driver.ScreenDepth());
  pending.desktopArea = ResolutionOfWidth(screenWidth, 0);
  const int viewportWidth = std::min(env_.settings.ReadScreenResolution().width, screenWidth);
  pending.viewportArea = ResolutionOfWidth(viewportWidth, pending.desktopArea);

  controls_.ClearCombo(IDC_FONT_COMBO);
  controls_.AddComboItem(IDC_FONT_COMBO, controls_.String(IDS_SMALL_FONTS), kSmallFontsDpi);
  controls_.AddComboItem(IDC_FONT_COMBO, controls_.String(IDS_LARGE_FONTS), kLargeFontsDpi);
  controls_.AddComboItem(IDC_FONT_COMBO, controls_.String(IDS_CUSTOM_FONT_SIZE), 0);
  pending.fontDpi = ReadFontDpi(env_.registry);
  ShowFontSize();

  applied.desktopArea = pending.desktopArea;
  applied.viewportArea = pending.viewportArea;
  applied.colorDepth = pending.colorDepth;
  applied.fontDpi = pending.fontDpi;

  BuildModeList();
  const int widths = modeList.CountWidths(static_cast<std::uint32_t>(env_.driver.ScreenDepth()));
  EnableViewportSlider(widths != 1);
  EnableViewportLabels(widths != 1);
  SetSliderRanges(widths);
  UpdateAfterReset();
}

void DisplayConfiguration::UpdateAfterChange() {
  const int desktopBefore = pending.desktopArea;
  const int fontItem = controls_.ComboSelection(IDC_FONT_COMBO);
  const int fontData = fontItem >= 0 ? controls_.ComboItemData(IDC_FONT_COMBO, fontItem) : 0;
  if (fontData == kSmallFontsDpi || fontData == kLargeFontsDpi) pending.fontDpi = fontData;

  int desktop = controls_.SliderPosition(IDC_DESKTOP_SLIDER);
  const int colour = ColourIndexOfSelection();
  const int bits = BitsOfColourDepth(colour);
  // 16 colours: the whole 1280 x 1024 desktop, no viewport.
  if (colour == 0) desktop = 3;
  const int width = desktop >= 0 && desktop < kAreaCount ? kAreaWidths[desktop] : 0;

  if (desktop == 0) {
    pending.fontDpi = kSmallFontsDpi;
    EnableFontControls(false);
  } else if (desktopBefore == 0) {
    // Leaving 640 x 480 lifts its Small Fonts: the size in effect shows again.
    pending.fontDpi = applied.fontDpi;
    EnableFontControls(true);
  }
  ShowFontSize();

  pending.colorDepth = colour;
  BuildModeList();
  const int widths = modeList.CountWidths(static_cast<std::uint32_t>(bits));
  if (widths == 1) {
    EnableViewportSlider(false);
    EnableViewportLabels(false);
  } else {
    EnableViewportLabels(true);
    // No viewport smaller than the desktop at 24 bits per pixel.
    EnableViewportSlider(colour != kTrueColour24);
  }
  SetSliderRanges(widths);

  const int newDesktop =
      modeList.Find(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(bits)) >= 0
          ? desktop
          : applied.desktopArea;
  const int viewportSlider = controls_.SliderPosition(IDC_VIEWPORT_SLIDER);
  if (desktop == applied.desktopArea && desktopBefore == applied.desktopArea) {
    pending.viewportArea = viewportSlider;
  } else if (viewportSlider == pending.viewportArea) {
    controls_.SetSliderPosition(IDC_VIEWPORT_SLIDER, newDesktop);
    pending.viewportArea = newDesktop;
  } else {
    pending.viewportArea = viewportSlider;
  }
  controls_.SetSliderPosition(IDC_DESKTOP_SLIDER, newDesktop);
  pending.desktopArea = newDesktop;
  if (pending.viewportArea > pending.desktopArea || colour == 0) {
    controls_.SetSliderPosition(IDC_VIEWPORT_SLIDER, newDesktop);
    pending.viewportArea = newDesktop;
  }
  ShowAreaTexts();
  controls_.MarkChanged(true);
  CommonTail();
}

void DisplayConfiguration::UpdateAfterReset() {
  controls_.SelectComboItem(
      IDC_COLOUR_COMBO,
      controls_.FindComboItem(
          IDC_COLOUR_COMBO,
          colorNames[static_cast<std::size_t>(std::clamp(pending.colorDepth, 0, 4))]));
  BuildModeList();
  const int widths =
      modeList.CountWidths(static_cast<std::uint32_t>(BitsOfColourDepth(pending.colorDepth)));
  EnableViewportSlider(widths != 1);
  EnableViewportLabels(widths != 1);
  SetSliderRanges(widths);
  controls_.SetSliderPosition(IDC_DESKTOP_SLIDER, pending.desktopArea);
  controls_.SetSliderPosition(IDC_VIEWPORT_SLIDER, pending.viewportArea);
  ShowAreaTexts();

  if (pending.desktopArea == 0) {
    pending.fontDpi = kSmallFontsDpi;
    EnableFontControls(false);
  } else if (previousDesktopArea == 0) {
    EnableFontControls(true);
  }
  ShowFontSize();

  if (pending.colorDepth == kTrueColour24) {
    EnableViewportSlider(false);
  } else if (previousColorDepth == kTrueColour24) {
    EnableViewportSlider(true);
  }
  CommonTail();
}

void DisplayConfiguration::CommonTail() {
  controls_.InvalidatePictures();
  const bool panning = pending.desktopArea != pending.viewportArea;
  for (int id : {IDC_VIEWPORT_CONTROL, IDC_POPUP_CENTERING, IDC_PAN_LOCK}) {
    controls_.Enable(id, panning);
  }

  refreshList = BuildRefreshList(IdentifyChip(env_.ports), IdentifyMemory(env_.ports),
                                 pending.colorDepth, pending.viewportArea);
  controls_.ClearCombo(IDC_REFRESH_COMBO);
  for (std::size_t i = 0; i < refreshList.size(); ++i) {
    controls_.InsertComboItem(IDC_REFRESH_COMBO, static_cast<int>(i), refreshList[i].label);
  }
  pending.refreshCode = applied.refreshCode = env_.settings.ReadRefresh(pending.viewportArea);
  int selected = 0;
  for (std::size_t i = 0; i < refreshList.size(); ++i) {
    if (refreshList[i].code == pending.refreshCode) {
      selected = static_cast<int>(i);
      break;
    }
  }
  controls_.SelectComboItem(IDC_REFRESH_COMBO, selected);
}

void DisplayConfiguration::PollSliders() {
  const bool moved = controls_.SliderPosition(IDC_DESKTOP_SLIDER) != pending.desktopArea ||
                     controls_.SliderPosition(IDC_VIEWPORT_SLIDER) != pending.viewportArea;
  if (moved && pending.colorDepth != 0) UpdateAfterChange();
}

void DisplayConfiguration::ToggleOption(int checkBoxId) {
  int* flag = checkBoxId == IDC_PAN_LOCK          ? &panLock
              : checkBoxId == IDC_POPUP_CENTERING ? &popupCentering
              : checkBoxId == IDC_SHOW_ICON       ? &taskbarIcon
                                                  : nullptr;
  if (flag == nullptr) return;
  *flag = !*flag;
  controls_.MarkChanged(true);
}

void DisplayConfiguration::RefreshSelected() {
  const int selected = controls_.ComboSelection(IDC_REFRESH_COMBO);
  if (selected >= 0 && static_cast<std::size_t>(selected) < refreshList.size()) {
    pending.refreshCode = refreshList[static_cast<std::size_t>(selected)].code;
  }
  controls_.MarkChanged(true);
}

void DisplayConfiguration::CustomFontChosen(int dpi) {
  pending.fontDpi = dpi;
  ShowFontSize();
  UpdateAfterChange();
}

void DisplayConfiguration::CustomFontCancelled() {
  // Never unmarks: other changes of the page may still wait for Apply.
  if (pending.fontDpi != applied.fontDpi) controls_.MarkChanged(true);
}

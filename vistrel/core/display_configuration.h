#pragma once
// The Display Configuration page's logic: the choice shown (`pending`) and the one in effect
// (`applied`), and how the page fills and couples its controls. The controls are reached
// through PageControls, so the logic runs the same under the real page and under a test.

#include <string>
#include <vector>

#include "common/display/port_io.h"
#include "common/settings/marovane_settings.h"
#include "common/store/registry_api.h"
#include "vistrel/core/mode_list.h"
#include "vistrel/core/refresh_tables.h"
#include "vistrel/shell/resource.h"

// Resolution index 0-4 for both areas; colour depth index 0-4 (4 to 32 bits per pixel).
struct DisplaySettings {
  int desktopArea = 0;
  int viewportArea = 0;
  int colorDepth = 0;
  int refreshCode = 0;
  // 96 small fonts, 120 large fonts, other custom; 0 not read (as 96).
  int fontDpi = 0;
};

// The controls of the page by their ids.
class PageControls {
 public:
  virtual ~PageControls() = default;
  virtual std::string String(int stringId) = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual void ClearCombo(int id) = 0;
  virtual void InsertComboItem(int id, int position, const std::string& text) = 0;
  virtual void AddComboItem(int id, const std::string& text, int data) = 0;
  virtual void DeleteComboItem(int id, int position) = 0;
  // Exact text, searched from the start; -1 if none.
  virtual int FindComboItem(int id, const std::string& text) = 0;
  virtual void SelectComboItem(int id, int position) = 0;
  // -1 without a selection.
  virtual int ComboSelection(int id) = 0;
  virtual std::string ComboItemText(int id, int position) = 0;
  virtual int ComboItemData(int id, int position) = 0;
  virtual void SetSliderRange(int id, int maximum) = 0;
  virtual int SliderPosition(int id) = 0;
  virtual void SetSliderPosition(int id, int position) = 0;
  virtual void StartPollTimer() = 0;
  virtual void InvalidatePictures() = 0;
  virtual void MarkChanged(bool changed) = 0;
};

// Where the page's information comes from.
struct DisplayEnvironment {
  settings::MarovaneSettings& settings;
  RegistryApi& registry;
  DisplayDriverApi& driver;
  // Direct port access, for the adapter's identification.
  PortIo& ports;
};

// The desktop and viewport areas by slider position, and the colour depths' names by position
// in the colour list.
inline constexpr int kAreaCount = 5;
inline constexpr int kAreaWidths[kAreaCount] = {640, 800, 1024, 1280, 1600};
inline constexpr int kAreaHeights[kAreaCount] = {480, 600, 768, 1024, 1200};
inline constexpr int kColourNameIds[] = {IDS_16_COLOR, IDS_256_COLOR, IDS_HIGH_COLOR,
                                         IDS_TRUE_COLOR_24, IDS_TRUE_COLOR_32};

// 4, 8, 16, 24, 32; any other index counts as 8.
int BitsOfColourDepth(int colourDepth);

class DisplayConfiguration {
 public:
  DisplayConfiguration(DisplayEnvironment environment, PageControls& controls)
      : env_(environment), controls_(controls) {}

  void Initialise();
  void UpdateAfterChange();
  void UpdateAfterReset();
  // Ten times a second: an update only when a slider moved (and never at 16 colours).
  void PollSliders();

  // The option check boxes (1133, 1067, 1068) flip their flag and mark the page changed.
  void ToggleOption(int checkBoxId);
  void RefreshSelected();
  // The custom font dialog: OK with its size, or Cancel, which marks the page changed when the
  // size shown differs from the one in effect.
  void CustomFontChosen(int dpi);
  void CustomFontCancelled();
  // Built anew from the driver, up to the monitor's maximum.
  void BuildModeList();

  DisplaySettings pending;
  DisplaySettings applied;
  int previousDesktopArea = 0;
  int previousColorDepth = 0;
  ModeList modeList;
  std::vector<std::string> colorNames;
  int taskbarIcon = 0;
  int popupCentering = 0;
  int panLock = 0;
  std::vector<RefreshEntry> refreshList;

 private:
  void EnableViewportSlider(bool enabled);
  void EnableViewportLabels(bool enabled);
  void EnableFontControls(bool enabled);
  void ShowFontSize();
  void ShowAreaTexts();
  void SetSliderRanges(int widths);
  int ColourIndexOfSelection();
  void CommonTail();

  DisplayEnvironment env_;
  PageControls& controls_;
};

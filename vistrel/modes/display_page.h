#pragma once
// The Display Configuration page: the page's logic on the real controls, and its pictures.

#include <windows.h>

#include "common/framework/property_page.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "common/win32/win32_registry.h"
#include "machine/win32/system.h"
#include "vistrel/core/display_configuration.h"
#include "vistrel/core/mode_change.h"
#include "vistrel/shell/graphics_channel.h"

// PageControls over the controls of a dialog.
class DialogControls : public PageControls {
 public:
  void Attach(HWND dialog) { dialog_ = dialog; }

  std::string String(int stringId) override;
  void Enable(int id, bool enabled) override;
  void SetCheck(int id, bool checked) override;
  void SetText(int id, const std::string& text) override;
  void ClearCombo(int id) override;
  void InsertComboItem(int id, int position, const std::string& text) override;
  void AddComboItem(int id, const std::string& text, int data) override;
  void DeleteComboItem(int id, int position) override;
  int FindComboItem(int id, const std::string& text) override;
  void SelectComboItem(int id, int position) override;
  int ComboSelection(int id) override;
  std::string ComboItemText(int id, int position) override;
  int ComboItemData(int id, int position) override;
  void SetSliderRange(int id, int maximum) override;
  int SliderPosition(int id) override;
  void SetSliderPosition(int id, int position) override;
  void StartPollTimer() override;
  void InvalidatePictures() override;
  void MarkChanged(bool changed) override;

  // Set by the page: how a change mark reaches the sheet.
  std::function<void(bool)> onMarkChanged;

 private:
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  HWND dialog_ = nullptr;
};

// The simulated PC's display driver, as the page asks it.
class MachineDisplayDriver : public DisplayDriverApi {
 public:
  bool EnumMode(int modeNumber, ModeRecord* mode) override;
  int ScreenWidth() override;
  int ScreenDepth() override;
};

// What applying the page does to Windows, Trayvel and the display driver.
class Win32ApplyActions : public ApplyActions {
 public:
  explicit Win32ApplyActions(PropertyPage& page) : page_(page) {}

  void SendTrayCommand(int command) override;
  void StartTrayvel() override;
  void SendPanLockEscape(bool locked) override;
  bool Ask(Box box, const std::string& text) override;
  long ChangeDisplaySettings(const ModeRecord& mode) override;
  bool StartRestartProgram() override;
  bool LogOff() override;
  void Beep() override;
  bool RunVideoTest() override;

 private:
  HWND Sheet() const { return GetParent(page_.Window()); }
  PropertyPage& page_;
};

class CDisplayPg : public PropertyPage {
 public:
  CDisplayPg();

 protected:
  void OnInitDialog() override;
  void Exchange(ValueExchange& exchange) override;
  bool OnApply() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  void OnPaint(HDC dc) override;

 private:
  Win32Profile systemIni_{settings::kSystemIni};
  settings::MarovaneSettings settings_{systemIni_};
  Win32Registry registry_;
  MachineDisplayDriver driver_;
  machine::DirectPorts ports_;
  DialogControls controls_;
  DisplayConfiguration logic_{{settings_, registry_, driver_, ports_}, controls_};
  Win32ApplyActions actions_{*this};
  ModeChange modeChange_{logic_, settings_, registry_, controls_, actions_};
  // The page identifies the adapter with its own port access; the channel is opened and held
  // as the driver's contract asks.
  GraphicsChannel channel_;
  std::string viewportText_, desktopText_, fontText_, colourText_;
};

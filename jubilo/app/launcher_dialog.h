#pragma once
// Jubilo's panel: dialog 176 of class "AVCENTER", cut to the cabinet's shape and painted with
// its skin. Its buttons start the media programs, whose decks then live in it.

#include <windows.h>

#include <string>

#include "common/framework/modeless_dialog.h"
#include "common/win32/win32_profile.h"
#include "jubilo/app/skin.h"

class LauncherDialog : public ModelessDialog {
 public:
  // `folder`: the program's own, where MAROVANE.INI is.
  explicit LauncherDialog(const std::string& folder);

 protected:
  void OnInitDialog() override;
  void OnPaint(HDC dc) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnCancel() override;
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PlaceControls();
  void SetShape();
  void PlaceWindow();
  void AttachRunningPrograms();
  void StartVistrel();
  void Start(const char* commandLine);
  void Warn(UINT stringId) const;
  std::string VistrelPath() const;
  INT_PTR Answer(LRESULT result);

  Win32Profile settingsFile_;
  Skin skin_;
  HFONT labelFont_ = nullptr;
};

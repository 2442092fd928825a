#pragma once
// Jubilo's panel: dialog 176 of class "AVCENTER", cut to the cabinet's shape and painted with
// its skin. Its buttons start the media programs, whose decks then live in it.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/framework/modeless_dialog.h"
#include "common/win32/tickora_timer.h"
#include "common/win32/win32_profile.h"
#include "jubilo/app/skin.h"
#include "jubilo/core/launch_plan.h"
#include "jubilo/core/startup_animation.h"

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
  // The timer's tick: its command's low word, with any notification code but 5.
  INT_PTR OnOtherCommand(int id, int code) override;

 private:
  void PlaceControls();
  void SetShape();
  void PlaceWindow();
  void AttachRunningPrograms();
  void StartVistrel();
  void Start(const char* commandLine);
  void Warn(UINT stringId) const;
  // The start-up animation, then the chosen programs; without a timer, or with the video player
  // running (its picture is in the screen), the programs at once.
  void StartAnimation();
  void AnimationTick();
  void FinishAnimation();
  void StartChosenPrograms();
  bool ShowWhenThere(jubilo::Program program);
  void Draw(HDC dc, const std::vector<jubilo::Draw>& draws) const;
  RECT Screen() const;
  std::string VistrelPath() const;
  INT_PTR Answer(LRESULT result);

  Win32Profile settingsFile_;
  Skin skin_;
  HFONT labelFont_ = nullptr;
  // The cabinet's lettering: down its left side, and slanting by the About button.
  HFONT downFont_ = nullptr;
  HFONT slantFont_ = nullptr;
  TickoraTimer timer_;
  std::unique_ptr<jubilo::StartupAnimation> animation_;
  bool firstTick_ = true;
  // The animation's last picture stays in the screen until a video takes it.
  bool finalShown_ = false;
};

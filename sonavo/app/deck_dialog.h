#pragma once
// The deck: dialog 7, a caption-less piece of equipment with a lit display, driving one player.
// The tick comes from the timer library; the deck is dragged by its body.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/framework/modeless_dialog.h"
#include "common/win32/tickora_timer.h"
#include "common/win32/win32_profile.h"
#include "sonavo/app/compact_deck_window.h"
#include "sonavo/app/deck_display.h"
#include "sonavo/app/mci_cd_device.h"
#include "sonavo/app/mci_file_device.h"
#include "sonavo/app/mixer_line.h"
#include "sonavo/app/video_deck.h"
#include "sonavo/core/album_player.h"
#include "sonavo/core/cd_player.h"
#include "sonavo/core/deck_settings.h"
#include "sonavo/core/volume.h"

class DeckDialog : public ModelessDialog, public sonavo::DeckView {
 public:
  // `folder`: the program's own, where MAROVANE.INI and the album files live.
  DeckDialog(const std::string& folder, const sonavo::DeckCommandLine& commandLine);

  void ShowState(sonavo::DeckState state) override;
  void ShowEntry(int entry, const std::string& name) override;
  void ShowTime(std::uint32_t offsetMs, std::uint32_t lengthMs) override;
  // The compact deck or the video deck in Jubilo, when there is one.
  HWND CompactWindow() const {
    if (compact_) return compact_->Window();
    return videoDeck_ ? videoDeck_->Window() : nullptr;
  }

 protected:
  void OnInitDialog() override;
  void OnPaint(HDC dc) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnCancel() override;
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The timer's tick: its command's low word, whatever its notification code.
  INT_PTR OnOtherCommand(int id, int code) override;

 private:
  bool IsCd() const { return kind_ == sonavo::PlayerKind::Cd; }
  sonavo::Engine& Engine() { return IsCd() ? cdPlayer_->engine() : albumPlayer_->engine(); }
  // DeckTick: the device polled, the display brought up to date.
  void Tick();
  bool StartCdPlayer();
  void StartAlbumPlayer();
  void LoadHandedOverFile();
  void EditProgram();
  void ChangeSpeed(bool faster);
  void SwitchTimeUnit();
  sonavo::TimeUnits Units() const { return sonavo::UnitsFor(kind_, frames_); }
  void LoadFromDialog();
  // Seeking: the position bar's offset into the entry, shown; a step of Rewind or Forward.
  // The position of `bar` (the deck's own when null) as an offset.
  std::uint32_t BarOffset(HWND bar = nullptr) const;
  void ShowOffset(std::uint32_t offset);
  void Step(int direction);
  void OnBarScroll(int code, HWND bar);
  void ShowError(const std::string& text);
  // The face: the system menu, the status line's font, the bar and the repeating buttons.
  void SetUpFace();
  void ShowSystemMenu();
  void OnSystemCommand(UINT command);
  void ShowAbout();
  // The display and the buttons drawn afresh after a change of state.
  void Refresh();
  DisplaySnapshot Snapshot();
  INT_PTR Answer(LRESULT result);
  // Into Jubilo's panel (nullptr: out of it).
  void Attach(HWND launcher);
  // The first showing: the compact deck in Jubilo, or the deck itself.
  void ShowAtStart();
  void UpdateCompact();
  void ReloadSettings();
  void ApplySettings();
  void OnClick(int id, std::function<void()> action);

  sonavo::PlayerKind kind_;
  std::string path_;
  const char* name_;
  Win32Profile settingsFile_;
  Win32Profile albumFile_;
  sonavo::PlayerSettings settings_;
  std::unique_ptr<MciCdDevice> cdDevice_;
  std::unique_ptr<sonavo::CdPlayer> cdPlayer_;
  std::unique_ptr<MciFileDevice> fileDevice_;
  std::unique_ptr<sonavo::AlbumPlayer> albumPlayer_;
  TickoraTimer timer_;
  Win32MixerLine mixer_;
  sonavo::VolumeButtons volume_{mixer_};
  // The track Program Edit names first: the one last named in this run.
  int naming_ = 1;
  std::unique_ptr<DeckDisplay> display_;
  sonavo::Blinker blinker_;
  int page_ = 0;
  std::string time_;
  sonavo::DeckState state_ = sonavo::DeckState::Unknown;
  HFONT statusFont_ = nullptr;
  std::unique_ptr<CompactDeckWindow> compact_;
  std::unique_ptr<VideoDeck> videoDeck_;
  int barMaximum_ = 0;
  // The video player counts frames rather than time.
  bool frames_ = false;
};

#include "sonavo/app/deck_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "sonavo/app/resource.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr sonavo::PlayerKind kKind = sonavo::PlayerKind::Cd;

}  // namespace

DeckDialog::DeckDialog(const std::string& folder)
    : ModalDialog(IDD_DECK),
      settingsFile_(folder + sonavo::kSettingsFile),
      albumFile_(folder + sonavo::Traits(kKind).albumFile) {
  OnCommand(IDC_PLAY_PAUSE, BN_CLICKED, [this] { Engine().PlayPause(); });
  OnCommand(IDC_PREVIOUS, BN_CLICKED, [this] { Engine().Previous(); });
  OnCommand(IDC_NEXT, BN_CLICKED, [this] { Engine().Next(); });
  OnCommand(IDC_STOP, BN_CLICKED, [this] { Engine().Stop(); });
  OnCommand(IDC_EJECT, BN_CLICKED, [this] { device_->ToggleDoor(); });
  OnCommand(IDC_REPEAT, BN_CLICKED, [this] { Engine().RepeatButton(); });
  OnCommand(IDC_MODE, BN_CLICKED, [this] { Engine().NextMode(); });
  OnCommand(IDC_AB, BN_CLICKED, [this] { Engine().AbButton(); });
  for (int id = IDC_MODE_NORMAL; id <= IDC_MODE_PROGRAM; ++id) {
    OnCommand(id, BN_CLICKED, [this, id] {
      Engine().ChooseMode(static_cast<sonavo::PlayMode>(id - IDC_MODE_NORMAL));
    });
  }
  for (int id = IDC_TRACK_FIRST; id <= IDC_TRACK_LAST; ++id) {
    OnCommand(id, BN_CLICKED, [this, id] { Engine().TrackButton(id - IDC_TRACK_FIRST + 1); });
  }
}

void DeckDialog::OnInitDialog() {
  SetWindowTextA(Window(), sonavo::Traits(kKind).name);
  settings_ = sonavo::ReadPlayerSettings(settingsFile_, kKind);
  device_ = std::make_unique<MciCdDevice>(Window());
  player_ =
      std::make_unique<sonavo::CdPlayer>(*device_, *device_, albumFile_, *this, String(IDS_TRACK));
  player_->SetAutoPlay(settings_.autoPlay);
  Engine().SetIntroLength(settings_.introLength);
  Engine().SetRepeat(settings_.repeat, settings_.trackRepeat);
  const MCIERROR error = device_->Open();
  if (error == MCIERR_MUST_USE_SHAREABLE) {
    Error(IDS_CD_HELD);
  } else if (error != 0) {
    char text[128] = "";
    mciGetErrorStringA(error, text, sizeof(text));
    MessageBoxA(Window(), text, sonavo::Traits(kKind).name, MB_OK | MB_ICONERROR);
    End(IDCANCEL);
    return;
  }
  const sonavo::TimeUnits units = sonavo::UnitsFor(kKind, false);
  if (SetTimer(Window(), kTickTimer, units.timerPeriodMs, nullptr) == 0) Error(IDS_NO_TIMER);
  OnTimer(kTickTimer);
}

void DeckDialog::OnTimer(UINT_PTR id) {
  if (id != kTickTimer) return;
  // A drive another program held is tried again on every tick.
  if (!device_->IsOpen() && device_->Open() != 0) return;
  player_->Tick();
}

void DeckDialog::OnCancel() {
  player_->Close();
  if (settings_.stopOnExit) device_->StopPlaying();
  settings_.repeat = Engine().Repeat();
  settings_.trackRepeat = Engine().TrackRepeat();
  sonavo::WriteExitSettings(settingsFile_, kKind, settings_);
  End(IDCANCEL);
}

void DeckDialog::OnDestroy() {
  KillTimer(Window(), kTickTimer);
}

INT_PTR DeckDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != MM_MCINOTIFY) return FALSE;
  // Only a play that ran to its end moves the sequence on.
  if (wParam == MCI_NOTIFY_SUCCESSFUL) Engine().RangeEnded();
  return TRUE;
}

void DeckDialog::ShowState(sonavo::DeckState state) {
  if (state == sonavo::DeckState::Unknown) return;
  SetDlgItemTextA(Window(), IDC_STATUS_LINE,
                  String(IDS_STATE_FIRST + static_cast<UINT>(state)).c_str());
  SetDlgItemTextA(Window(), IDC_PLAY_PAUSE, state == sonavo::DeckState::Playing ? "Pause" : "Play");
}

void DeckDialog::ShowEntry(int entry, const std::string& name) {
  char number[16] = "";
  if (entry > 0) std::snprintf(number, sizeof(number), "%02d", entry);
  SetDlgItemTextA(Window(), IDC_ENTRY_FIELD, number);
  if (!name.empty()) SetDlgItemTextA(Window(), IDC_STATUS_LINE, name.c_str());
}

void DeckDialog::ShowTime(std::uint32_t offsetMs, std::uint32_t lengthMs) {
  const sonavo::ClockTime time = sonavo::ToClock(offsetMs);
  char text[16];
  std::snprintf(text, sizeof(text), "%02u:%02u", time.minutes, time.seconds);
  SetDlgItemTextA(Window(), IDC_TIME_FIELD, text);
  const std::uint32_t unit = sonavo::UnitsFor(kKind, false).barUnit;
  HWND bar = GetDlgItem(Window(), IDC_POSITION_BAR);
  SendMessageA(bar, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(lengthMs / unit));
  SendMessageA(bar, TBM_SETPOS, TRUE, static_cast<LPARAM>(offsetMs / unit));
}

std::string DeckDialog::String(UINT id) const {
  char text[160] = "";
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
  return std::string(text, static_cast<std::size_t>(length));
}

void DeckDialog::Error(UINT stringId) {
  MessageBoxA(Window(), String(stringId).c_str(), sonavo::Traits(kKind).name, MB_OK | MB_ICONERROR);
}

#include "sonavo/app/deck_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "common/interop/suite_names.h"
#include "common/win32/resource_text.h"
#include "sonavo/app/album_file_dialog.h"
#include "sonavo/app/program_edit_dialog.h"
#include "sonavo/app/resource.h"

namespace {

constexpr std::size_t kPathBuffer = 261;

}  // namespace

DeckDialog::DeckDialog(const std::string& folder, const sonavo::DeckCommandLine& commandLine)
    : ModalDialog(IDD_DECK),
      kind_(commandLine.kind),
      path_(commandLine.path),
      name_(sonavo::Traits(kind_).name),
      settingsFile_(folder + sonavo::kSettingsFile),
      albumFile_(folder + sonavo::Traits(kind_).albumFile) {
  OnCommand(names::kDeckTick, 0, [this] { Tick(); });
  OnCommand(IDC_PLAY_PAUSE, BN_CLICKED, [this] { Engine().PlayPause(); });
  OnCommand(IDC_PREVIOUS, BN_CLICKED, [this] { Engine().Previous(); });
  OnCommand(IDC_NEXT, BN_CLICKED, [this] { Engine().Next(); });
  OnCommand(IDC_STOP, BN_CLICKED, [this] { Engine().Stop(); });
  OnCommand(IDC_EJECT, BN_CLICKED, [this] {
    if (IsCd()) {
      cdDevice_->ToggleDoor();
    } else {
      LoadFromDialog();
    }
  });
  OnCommand(IDC_REPEAT, BN_CLICKED, [this] { Engine().RepeatButton(); });
  // A click on Rewind or Forward is a gesture of one step.
  OnCommand(IDC_REWIND, BN_CLICKED, [this] { Step(-1); });
  OnCommand(IDC_FORWARD, BN_CLICKED, [this] { Step(+1); });
  OnCommand(IDC_PROGRAM_EDIT, BN_CLICKED, [this] { EditProgram(); });
  OnCommand(IDC_FASTER, BN_CLICKED, [this] { ChangeSpeed(true); });
  OnCommand(IDC_SLOWER, BN_CLICKED, [this] { ChangeSpeed(false); });
  OnCommand(IDC_VOLUME_UP, BN_CLICKED, [this] { volume_.Press(true); });
  OnCommand(IDC_VOLUME_DOWN, BN_CLICKED, [this] { volume_.Press(false); });
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
  SetWindowTextA(Window(), name_);
  SetPropA(Window(), names::kDeviceProperty,
           reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(kind_)));
  settings_ = sonavo::ReadPlayerSettings(settingsFile_, kind_);
  if (IsCd()) {
    if (!StartCdPlayer()) return;
  } else {
    StartAlbumPlayer();
  }
  volume_.Attach(kind_, settings_.audioSource);
  Engine().SetIntroLength(settings_.introLength);
  Engine().SetRepeat(settings_.repeat, settings_.trackRepeat);
  const sonavo::TimeUnits units = sonavo::UnitsFor(kind_, false);
  // Without a timer the deck runs on, without polling.
  if (!timer_.Start(Window(), units.timerPeriodMs)) ShowError(ResourceText(IDS_NO_TIMER));
  Tick();
}

bool DeckDialog::StartCdPlayer() {
  cdDevice_ = std::make_unique<MciCdDevice>(Window());
  cdPlayer_ = std::make_unique<sonavo::CdPlayer>(*cdDevice_, *cdDevice_, albumFile_, *this,
                                                 ResourceText(IDS_TRACK));
  cdPlayer_->SetAutoPlay(settings_.autoPlay);
  const MCIERROR error = cdDevice_->Open();
  if (error == MCIERR_MUST_USE_SHAREABLE) {
    ShowError(ResourceText(IDS_CD_HELD));
  } else if (error != 0) {
    ShowError(MciDevice::ErrorText(error));
    End(IDCANCEL);
    return false;
  }
  return true;
}

void DeckDialog::StartAlbumPlayer() {
  EnableWindow(GetDlgItem(Window(), IDC_MODE_PROGRAM), FALSE);
  EnableWindow(GetDlgItem(Window(), IDC_PROGRAM_EDIT), FALSE);
  if (kind_ == sonavo::PlayerKind::Video) {
    for (int id : {IDC_FASTER, IDC_SLOWER, IDC_SPEED, IDC_VOLUME_DOWN, IDC_VOLUME_UP})
      ShowWindow(GetDlgItem(Window(), id), SW_SHOW);
  }
  fileDevice_ = std::make_unique<MciFileDevice>(Window(), kind_ == sonavo::PlayerKind::Video);
  albumPlayer_ = std::make_unique<sonavo::AlbumPlayer>(kind_, *fileDevice_, albumFile_, *this);
  // A file on the command line plays instead of the album in use.
  if (!path_.empty()) {
    albumPlayer_->LoadFile(path_, settings_.autoPlay);
  } else if (settings_.autoLoad && !settings_.curAlbum.empty()) {
    albumPlayer_->Load(settings_.curAlbum, settings_.autoPlay);
  }
}

// Program Edit on the disc in the drive; after OK in PROGRAM the program starts again.
void DeckDialog::EditProgram() {
  if (!IsCd() || cdPlayer_->DiscId().empty()) return;
  const std::string disc = cdPlayer_->DiscId();
  ProgramEditDialog dialog(
      sonavo::ProgramEdit(cdPlayer_->CurrentDisc(), cdPlayer_->TrackLengths(), naming_));
  const INT_PTR result = dialog.DoModal(Window());
  naming_ = dialog.Naming();
  if (result != IDOK) return;
  if (!cdPlayer_->SaveEdit(disc, dialog.disc())) ShowError(ResourceText(IDS_NOT_WRITTEN));
  if (Engine().Mode() == sonavo::PlayMode::Program) {
    Engine().Stop();
    Engine().ChooseMode(sonavo::PlayMode::Normal);
    Engine().ChooseMode(sonavo::PlayMode::Program);
  }
}

// Load on a file player: the files or the album chosen in the open-file dialog.
void DeckDialog::LoadFromDialog() {
  AlbumFileDialog dialog(kind_, albumFile_, settingsFile_, settings_);
  if (const std::optional<std::string> album = dialog.Choose(Window())) {
    albumPlayer_->Load(*album, settings_.autoPlay);
  }
}

void DeckDialog::ChangeSpeed(bool faster) {
  if (kind_ != sonavo::PlayerKind::Video || !fileDevice_->IsOpen()) return;
  SetDlgItemInt(Window(), IDC_SPEED, fileDevice_->ChangeSpeed(faster), FALSE);
}

void DeckDialog::LoadHandedOverFile() {
  const std::string path = settingsFile_.ReadString(name_, "LoadFile", "", kPathBuffer);
  if (!path.empty() && albumPlayer_ != nullptr) albumPlayer_->LoadFile(path, settings_.autoPlay);
}

void DeckDialog::Tick() {
  if (!IsCd()) {
    albumPlayer_->Tick();
    return;
  }
  // A drive another program held is tried again on every tick.
  if (!cdDevice_->IsOpen() && cdDevice_->Open() != 0) return;
  cdPlayer_->Tick();
}

void DeckDialog::OnCancel() {
  settings_.repeat = Engine().Repeat();
  settings_.trackRepeat = Engine().TrackRepeat();
  if (IsCd()) {
    cdPlayer_->Close();
    if (settings_.stopOnExit) cdDevice_->StopPlaying();
  } else {
    albumPlayer_->Close();
    settings_.curAlbum = albumPlayer_->AlbumName();
  }
  sonavo::WriteExitSettings(settingsFile_, kind_, settings_);
  End(IDCANCEL);
}

void DeckDialog::OnDestroy() {
  timer_.Stop();
  RemovePropA(Window(), names::kDeviceProperty);
}

std::uint32_t DeckDialog::BarOffset() const {
  const auto position = SendDlgItemMessageA(Window(), IDC_POSITION_BAR, TBM_GETPOS, 0, 0);
  return static_cast<std::uint32_t>(position) * sonavo::UnitsFor(kind_, false).barUnit;
}

void DeckDialog::ShowOffset(std::uint32_t offset) {
  const sonavo::EntryTimes times = Engine().Times(Engine().Current());
  ShowTime(offset, times.length);
}

void DeckDialog::Step(int direction) {
  if (!Engine().CanSeek()) return;
  Engine().BeginSeek();
  const std::uint32_t offset =
      Engine().SteppedOffset(BarOffset(), direction, sonavo::UnitsFor(kind_, false).step);
  ShowOffset(offset);
  Engine().EndSeek(offset, false);
}

// The position bar dragged: the time follows the thumb, and its release moves the device.
void DeckDialog::OnBarScroll(int code) {
  if (!Engine().CanSeek()) return;
  if (code == TB_THUMBTRACK) {
    Engine().BeginSeek();
    ShowOffset(BarOffset());
    Engine().DragTo(BarOffset());
  } else if (code == TB_THUMBPOSITION || code == TB_ENDTRACK) {
    if (!Engine().Seeking()) Engine().BeginSeek();
    Engine().EndSeek(BarOffset(), code == TB_THUMBPOSITION);
  }
}

INT_PTR DeckDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL &&
      reinterpret_cast<HWND>(lParam) == GetDlgItem(Window(), IDC_POSITION_BAR)) {
    OnBarScroll(LOWORD(wParam));
    return TRUE;
  }
  if (message == names::kDeckMsgLoadFile) {
    // The copy that sent it waits for nothing.
    if (InSendMessage()) ReplyMessage(0);
    LoadHandedOverFile();
    return TRUE;
  }
  if (message != MM_MCINOTIFY) return FALSE;
  // Only a play that ran to its end moves the sequence on.
  if (wParam == MCI_NOTIFY_SUCCESSFUL) Engine().RangeEnded();
  return TRUE;
}

void DeckDialog::ShowState(sonavo::DeckState state) {
  if (state == sonavo::DeckState::Unknown) return;
  SetDlgItemTextA(Window(), IDC_STATUS_LINE,
                  ResourceText(IDS_STATE_FIRST + static_cast<UINT>(state)).c_str());
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
  const std::uint32_t unit = sonavo::UnitsFor(kind_, false).barUnit;
  HWND bar = GetDlgItem(Window(), IDC_POSITION_BAR);
  SendMessageA(bar, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(lengthMs / unit));
  SendMessageA(bar, TBM_SETPOS, TRUE, static_cast<LPARAM>(offsetMs / unit));
}

void DeckDialog::ShowError(const std::string& text) {
  MessageBoxA(Window(), text.c_str(), name_, MB_OK | MB_ICONERROR);
}

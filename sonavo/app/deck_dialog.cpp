#include "sonavo/app/deck_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "common/interop/suite_names.h"
#include "common/win32/resource_text.h"
#include "common/win32/suite_windows.h"
#include "sonavo/app/album_file_dialog.h"
#include "sonavo/app/auto_repeat_button.h"
#include "sonavo/app/position_bar.h"
#include "sonavo/app/program_edit_dialog.h"
#include "sonavo/app/resource.h"

namespace {

constexpr std::size_t kPathBuffer = 261;
constexpr UINT kHelpCommand = 130;
constexpr UINT kAboutCommand = 132;
constexpr int kStatusFontPixels = 11;
constexpr UINT kTimerResolutionMs = 100;

// Jubilo's panel: class "AVCENTER" with "DEVICE" 5.
HWND FindLauncher() {
  return FindSuiteWindow(names::kLauncherClass, names::kLauncherDevice);
}

// Jubilo repaints its video screen when a video opens there or the player goes.
void RepaintLauncherScreen() {
  if (HWND launcher = FindLauncher())
    PostMessageA(launcher, names::kLauncherMsgRepaintScreen, 0, 0);
}

}  // namespace

DeckDialog::DeckDialog(const std::string& folder, const sonavo::DeckCommandLine& commandLine)
    : ModelessDialog(IDD_DECK),
      kind_(commandLine.kind),
      path_(commandLine.path),
      name_(sonavo::Traits(kind_).name),
      settingsFile_(folder + sonavo::kSettingsFile),
      albumFile_(folder + sonavo::Traits(kind_).albumFile),
      blinker_(sonavo::UnitsFor(kind_, false).blinkDivider) {
  // After a click the face shows the state it led to.
  OnClick(IDC_PLAY_PAUSE, [this] { Engine().PlayPause(); });
  OnClick(IDC_PREVIOUS, [this] { Engine().Previous(); });
  OnClick(IDC_NEXT, [this] { Engine().Next(); });
  OnClick(IDC_STOP, [this] { Engine().Stop(); });
  OnClick(IDC_EJECT, [this] {
    if (IsCd()) {
      cdDevice_->ToggleDoor();
    } else {
      LoadFromDialog();
    }
  });
  OnClick(IDC_REPEAT, [this] { Engine().RepeatButton(); });
  // Rewind and Forward step while the mouse holds them; from the keyboard a press is one step.
  OnClick(IDC_REWIND, [this] { Step(-1); });
  OnClick(IDC_FORWARD, [this] { Step(+1); });
  OnClick(IDC_NEXT_PAGE,
          [this] { page_ = (page_ + 1) % sonavo::PageCount(Engine().EntryCount()); });
  OnClick(IDC_MENU, [this] { ShowSystemMenu(); });
  // Inside Jubilo the deck hides instead: the compact deck shows it again.
  OnClick(IDC_MINIMIZE,
          [this] { ShowWindow(Window(), CompactWindow() != nullptr ? SW_HIDE : SW_MINIMIZE); });
  OnClick(IDC_CLOSE, [this] { OnCancel(); });
  OnClick(IDC_PROGRAM_EDIT, [this] { EditProgram(); });
  OnClick(IDC_FASTER, [this] { ChangeSpeed(true); });
  OnClick(IDC_SLOWER, [this] { ChangeSpeed(false); });
  OnClick(IDC_VOLUME_UP, [this] { volume_.Press(true); });
  OnClick(IDC_VOLUME_DOWN, [this] { volume_.Press(false); });
  OnClick(IDC_MODE, [this] { Engine().NextMode(); });
  OnClick(IDC_AB, [this] { Engine().AbButton(); });
  for (int id = IDC_MODE_NORMAL; id <= IDC_MODE_PROGRAM; ++id) {
    OnClick(id, [this, id] {
      Engine().ChooseMode(static_cast<sonavo::PlayMode>(id - IDC_MODE_NORMAL));
    });
  }
  for (int id = IDC_TRACK_FIRST; id <= IDC_TRACK_LAST; ++id) {
    OnClick(id, [this, id] {
      Engine().TrackButton(sonavo::EntryOfButton(page_, id - IDC_TRACK_FIRST + 1));
    });
  }
}

void DeckDialog::OnInitDialog() {
  SetWindowTextA(Window(), name_);
  SetUpFace();
  SetPropA(Window(), names::kDeviceProperty,
           reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(kind_)));
  settings_ = sonavo::ReadPlayerSettings(settingsFile_, kind_);
  if (IsCd()) {
    if (!StartCdPlayer()) return;
  } else {
    StartAlbumPlayer();
  }
  ApplySettings();
  Engine().SetRepeat(settings_.repeat, settings_.trackRepeat);
  const sonavo::TimeUnits units = Units();
  // Without a timer the deck runs on, without polling.
  if (!timer_.Start(Window(), units.timerPeriodMs, kTimerResolutionMs))
    ShowError(ResourceText(IDS_NO_TIMER));
  Tick();
  if (const auto corner = sonavo::ReadWindowPos(settingsFile_, name_, GetSystemMetrics(SM_CXSCREEN),
                                                GetSystemMetrics(SM_CYSCREEN))) {
    RECT deck{};
    GetWindowRect(Window(), &deck);
    // The whole deck on the screen, wherever the corner was kept.
    SetWindowPos(Window(), nullptr, std::max(0L, corner->x - (deck.right - deck.left)),
                 std::max(0L, corner->y - (deck.bottom - deck.top)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  } else {
    CentreOnParent();
  }
  SetFocus(GetDlgItem(Window(), IDC_PLAY_PAUSE));
  ShowAtStart();
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
    End();
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
  frames_ = kind_ == sonavo::PlayerKind::Video && !settings_.formatTime;
  fileDevice_->OnScreenChanged(RepaintLauncherScreen);
  fileDevice_->SetStretch(settings_.stretchVideo);
  // A video shows in Jubilo's screen when Jubilo is there.
  if (kind_ == sonavo::PlayerKind::Video) fileDevice_->SetLauncher(FindLauncher());
  fileDevice_->SetFrames(frames_);
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
  // One dialog at a time; the deck in Jubilo, which the dialog does not disable, waits too.
  HWND compact = CompactWindow();
  if (compact != nullptr && !IsWindowEnabled(compact)) return;
  if (compact != nullptr) EnableWindow(compact, FALSE);
  AlbumFileDialog dialog(kind_, albumFile_, settingsFile_, settings_);
  const std::optional<std::string> album = dialog.Choose(Window());
  if (compact != nullptr && IsWindow(compact)) EnableWindow(compact, TRUE);
  if (album) albumPlayer_->Load(*album, settings_.autoPlay);
}

// The video player's time field switches between TIME and FRAME.
void DeckDialog::SwitchTimeUnit() {
  frames_ = !frames_;
  settings_.formatTime = !frames_;
  Engine().ChangeUnit(fileDevice_->SetFrames(frames_));
  time_.clear();
  const sonavo::EntryTimes times = Engine().Times(Engine().Current());
  ShowTime(0, times.length);
}

void DeckDialog::ChangeSpeed(bool faster) {
  if (kind_ != sonavo::PlayerKind::Video || !fileDevice_->IsOpen()) return;
  SetDlgItemInt(Window(), IDC_SPEED, fileDevice_->ChangeSpeed(faster), FALSE);
}

void DeckDialog::LoadHandedOverFile() {
  const std::string path = settingsFile_.ReadString(name_, "LoadFile", "", kPathBuffer);
  // Taken once: a stray message later finds no file to load again.
  settingsFile_.DeleteKey(name_, "LoadFile");
  if (!path.empty() && albumPlayer_ != nullptr) albumPlayer_->LoadFile(path, settings_.autoPlay);
}

void DeckDialog::Tick() {
  // Without a disc or album the display blinks, and so does A=B while only A is set.
  if (blinker_.Tick() && (!Engine().Loaded() || (Engine().PointA() && !Engine().PointB()))) {
    Refresh();
  }
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
  // Where the deck stands when not minimized.
  const POINT corner = NormalBottomRight(Window());
  sonavo::WriteWindowPos(settingsFile_, name_, {corner.x, corner.y});
  End();
}

void DeckDialog::OnDestroy() {
  timer_.Stop();
  WinHelpA(Window(), nullptr, HELP_QUIT, 0);
  if (kind_ == sonavo::PlayerKind::Video) RepaintLauncherScreen();
  RemovePropA(Window(), names::kDeviceProperty);
  compact_.reset();
  videoDeck_.reset();
  if (statusFont_ != nullptr) DeleteObject(statusFont_);
  statusFont_ = nullptr;
}

std::uint32_t DeckDialog::BarOffset(HWND bar) const {
  if (bar == nullptr) bar = GetDlgItem(Window(), IDC_POSITION_BAR);
  const auto position = SendMessageA(bar, kBarGetPos, 0, 0);
  return static_cast<std::uint32_t>(position) * Units().barUnit;
}

void DeckDialog::ShowOffset(std::uint32_t offset) {
  const sonavo::EntryTimes times = Engine().Times(Engine().Current());
  ShowTime(offset, times.length);
}

void DeckDialog::Step(int direction) {
  if (!Engine().CanSeek()) return;
  Engine().BeginSeek();
  const std::uint32_t offset = Engine().SteppedOffset(BarOffset(), direction, Units().step);
  ShowOffset(offset);
  Engine().EndSeek(offset, false);
}

// A gesture on the position bar or the Rewind and Forward keys: the time follows each step or
// drag, and its end moves the device.
void DeckDialog::OnBarScroll(int code, HWND bar) {
  if (!Engine().CanSeek()) return;
  const std::uint32_t step = Units().step;
  switch (code) {
    case SB_LINELEFT:
    case SB_LINERIGHT: {
      Engine().BeginSeek();
      const std::uint32_t offset =
          Engine().SteppedOffset(BarOffset(), code == SB_LINELEFT ? -1 : +1, step);
      ShowOffset(offset);
      Engine().DragTo(offset);
      break;
    }
    case SB_THUMBTRACK:
      Engine().BeginSeek();
      ShowOffset(BarOffset(bar));
      Engine().DragTo(BarOffset(bar));
      break;
    case SB_THUMBPOSITION:
    case SB_ENDSCROLL:
      if (!Engine().Seeking()) Engine().BeginSeek();
      Engine().EndSeek(BarOffset(bar), code == SB_THUMBPOSITION);
      break;
  }
}

INT_PTR DeckDialog::Answer(LRESULT result) {
  SetWindowLongPtrA(Window(), DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR DeckDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HSCROLL: {
      // The deck's own bar, or the video deck's slider in Jubilo: each read where it was left.
      const auto bar = reinterpret_cast<HWND>(lParam);
      if (bar != GetDlgItem(Window(), IDC_POSITION_BAR) &&
          !(videoDeck_ && bar == videoDeck_->Bar()))
        return FALSE;
      OnBarScroll(LOWORD(wParam), bar);
      return TRUE;
    }
    case WM_NCHITTEST: {
      // The body drags the deck; the repeat indicator is a button.
      POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ScreenToClient(Window(), &point);
      const LRESULT hit = DefWindowProcA(Window(), message, wParam, lParam);
      if (hit != HTCLIENT || (display_ && display_->OnRepeatMark(point))) return Answer(hit);
      if (kind_ == sonavo::PlayerKind::Video && display_ && display_->OnVideoTime(point)) {
        return Answer(hit);
      }
      return Answer(HTCAPTION);
    }
    case WM_LBUTTONDOWN: {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (!display_) return FALSE;
      if (display_->OnRepeatMark(point)) {
        Engine().RepeatButton();
      } else if (kind_ == sonavo::PlayerKind::Video && display_->OnVideoTime(point)) {
        SwitchTimeUnit();
      } else {
        return FALSE;
      }
      Refresh();
      return TRUE;
    }
    case WM_ERASEBKGND:
      return Answer(1);
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ColourOf(sonavo::kLitColour));
      SetBkColor(dc, RGB(0, 0, 0));
      if (statusFont_ != nullptr) SelectObject(dc, statusFont_);
      return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    }
    case WM_SYSCOMMAND:
      // The deck's own items keep their whole number (only the system's mask their low bits).
      if (wParam != kHelpCommand && wParam != kAboutCommand) return FALSE;
      OnSystemCommand(static_cast<UINT>(wParam));
      return TRUE;
  }
  if (message == names::kDeckMsgReloadSettings) {
    ReloadSettings();
    return TRUE;
  }
  if (message == names::kDeckMsgAttach) {
    if (InSendMessage()) ReplyMessage(0);
    Attach(reinterpret_cast<HWND>(wParam));
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
  state_ = state;
  SetDlgItemTextA(Window(), IDC_STATUS_LINE,
                  ResourceText(IDS_STATE_FIRST + static_cast<UINT>(state)).c_str());
  SetDlgItemTextA(Window(), IDC_PLAY_PAUSE, state == sonavo::DeckState::Playing ? "Pause" : "Play");
  // While it plays or pauses, the position bar takes the status line's place.
  const bool bar = state == sonavo::DeckState::Playing || state == sonavo::DeckState::Paused;
  ShowWindow(GetDlgItem(Window(), IDC_POSITION_BAR), bar ? SW_SHOWNA : SW_HIDE);
  ShowWindow(GetDlgItem(Window(), IDC_STATUS_LINE), bar ? SW_HIDE : SW_SHOWNA);
  Refresh();
}

void DeckDialog::ShowEntry(int entry, const std::string& name) {
  SetDlgItemTextA(Window(), IDC_ENTRY_FIELD, sonavo::EntryText(entry).c_str());
  if (!name.empty()) SetDlgItemTextA(Window(), IDC_STATUS_LINE, name.c_str());
  page_ = sonavo::PageOf(entry);
  Refresh();
}

void DeckDialog::ShowTime(std::uint32_t offsetMs, std::uint32_t lengthMs) {
  const std::string text = frames_ ? sonavo::FrameText(offsetMs) : sonavo::ClockText(offsetMs);
  SetDlgItemTextA(Window(), IDC_TIME_FIELD, text.c_str());
  const std::uint32_t unit = Units().barUnit;
  HWND bar = GetDlgItem(Window(), IDC_POSITION_BAR);
  barMaximum_ = static_cast<int>(lengthMs / unit);
  SendMessageA(bar, kBarSetMax, 0, barMaximum_);
  SendMessageA(bar, kBarSetPos, 0, static_cast<LPARAM>(offsetMs / unit));
  if (text != time_ && display_) {
    time_ = text;
    InvalidateRect(Window(), &display_->Area(), FALSE);
    UpdateCompact();
  }
}

void DeckDialog::Attach(HWND launcher) {
  const bool there = launcher != nullptr && IsWindow(launcher);
  if (fileDevice_ && kind_ == sonavo::PlayerKind::Video) {
    fileDevice_->SetLauncher(there ? launcher : nullptr);
  }
  // Jubilo going: the decks in it stay until it closes them (or goes), which closes a player
  // that lives only there.
  if (!there) return;
  compact_.reset();
  videoDeck_.reset();
  // The video player's deck in Jubilo is its video deck.
  if (kind_ == sonavo::PlayerKind::Video) {
    videoDeck_ = std::make_unique<VideoDeck>(Window());
    if (!videoDeck_->Attach(launcher)) videoDeck_.reset();
  } else {
    compact_ = std::make_unique<CompactDeckWindow>(Window(), kind_);
    if (!compact_->Create(launcher)) compact_.reset();
  }
  UpdateCompact();
}

// What Jubilo's options sheet may change while the player runs.
void DeckDialog::ReloadSettings() {
  const sonavo::PlayerSettings read = sonavo::ReadPlayerSettings(settingsFile_, kind_);
  settings_.autoLoad = read.autoLoad;
  settings_.autoPlay = read.autoPlay;
  settings_.alwaysOnTop = read.alwaysOnTop;
  settings_.introLength = read.introLength;
  settings_.audioSource = read.audioSource;
  settings_.stretchVideo = read.stretchVideo;
  settings_.stopOnExit = read.stopOnExit;
  ApplySettings();
  if (fileDevice_) fileDevice_->SetStretch(settings_.stretchVideo);
}

void DeckDialog::ApplySettings() {
  volume_.Attach(kind_, settings_.audioSource);
  Engine().SetIntroLength(settings_.introLength);
  if (cdPlayer_) cdPlayer_->SetAutoPlay(settings_.autoPlay);
  SetWindowPos(Window(), settings_.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void DeckDialog::ShowAtStart() {
  Attach(FindLauncher());

  // A video given to play shows in its playback window; its menu shows the deck.
  const bool videoGiven = kind_ == sonavo::PlayerKind::Video && !path_.empty();
  if (CompactWindow() != nullptr || videoGiven || !IsWindow(Window())) return;
  ShowWindow(Window(), SW_SHOWDEFAULT);
}

void DeckDialog::UpdateCompact() {
  if (videoDeck_) {
    VideoDeckShown shown;
    shown.entry = sonavo::EntryText(Engine().Current());
    shown.time = time_;
    shown.playing = state_ == sonavo::DeckState::Playing;
    shown.paused = state_ == sonavo::DeckState::Paused;
    // Its slider kept equal to the deck's bar.
    shown.barMaximum = barMaximum_;
    shown.barPosition =
        static_cast<int>(SendDlgItemMessageA(Window(), IDC_POSITION_BAR, kBarGetPos, 0, 0));
    videoDeck_->Show(shown);
  }
  if (!compact_) return;
  CompactShown shown;
  shown.entry = sonavo::EntryText(Engine().Current());
  shown.time = time_;
  shown.playing = state_ == sonavo::DeckState::Playing;
  shown.paused = state_ == sonavo::DeckState::Paused;
  compact_->Show(shown);
}

void DeckDialog::SetUpFace() {
  display_ = std::make_unique<DeckDisplay>(Window(), kind_);
  statusFont_ = CreateFontA(-kStatusFontPixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            VARIABLE_PITCH | FF_SWISS, "Arial");
  HWND bar = GetDlgItem(Window(), IDC_POSITION_BAR);
  SendMessageA(bar, kBarSetStyle, kBarStyleBar, 0);
  MakeAutoRepeat(GetDlgItem(Window(), IDC_REWIND), SB_LINELEFT, bar);
  MakeAutoRepeat(GetDlgItem(Window(), IDC_FORWARD), SB_LINERIGHT, bar);
  HMENU menu = GetSystemMenu(Window(), FALSE);
  for (UINT command : {SC_SIZE, SC_MAXIMIZE, SC_MINIMIZE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kHelpCommand, ResourceText(IDS_HELP).c_str());
  AppendMenuA(menu, MF_STRING, kAboutCommand, ResourceText(IDS_ABOUT).c_str());
}

// The menu button shows the system menu at its top-left corner.
void DeckDialog::ShowSystemMenu() {
  RECT button{};
  GetWindowRect(GetDlgItem(Window(), IDC_MENU), &button);
  const UINT command =
      TrackPopupMenu(GetSystemMenu(Window(), FALSE), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                     button.left, button.top, 0, Window(), nullptr);
  if (command != 0) SendMessageA(Window(), WM_SYSCOMMAND, command, 0);
}

void DeckDialog::OnSystemCommand(UINT command) {
  if (command == kHelpCommand) {
    WinHelpA(Window(), "JUBILO.HLP", HELP_CONTEXT,
             static_cast<ULONG_PTR>(sonavo::Traits(kind_).helpContext));
    return;
  }
  if (IsIconic(Window())) ShowWindow(Window(), SW_RESTORE);
  ShowAbout();
}

void DeckDialog::ShowAbout() {
  const std::string text = std::string("Marovane Sonavo\n") + name_ +
                           "\n\nThe media deck of the Marovane tools: audio CDs, MIDI, wave and "
                           "video files, played through the multimedia control interface.";
  MSGBOXPARAMSA about{};
  about.cbSize = sizeof(about);
  about.hwndOwner = Window();
  about.hInstance = GetModuleHandleA(nullptr);
  about.lpszText = text.c_str();
  about.lpszCaption = name_;
  about.dwStyle = MB_OK | MB_USERICON;
  about.lpszIcon = MAKEINTRESOURCEA(IDI_DECK);
  MessageBoxIndirectA(&about);
}

void DeckDialog::Refresh() {
  if (!IsWindow(Window())) return;
  const int entries = Engine().EntryCount();
  const bool loaded = Engine().Loaded();
  for (int id = IDC_TRACK_FIRST; id <= IDC_TRACK_LAST; ++id) {
    const int entry = sonavo::EntryOfButton(page_, id - IDC_TRACK_FIRST + 1);
    EnableWindow(GetDlgItem(Window(), id), loaded && entry <= entries);
  }
  EnableWindow(GetDlgItem(Window(), IDC_NEXT_PAGE), loaded && sonavo::PageCount(entries) > 1);
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  UpdateCompact();
}

DisplaySnapshot DeckDialog::Snapshot() {
  DisplaySnapshot shown;
  sonavo::Engine& engine = Engine();
  shown.loaded = engine.Loaded();
  shown.blinkOn = blinker_.On();
  shown.entry = engine.Current();
  shown.entries = engine.EntryCount();
  shown.page = page_;
  shown.time = time_;
  shown.frames = frames_;
  shown.playing = state_ == sonavo::DeckState::Playing;
  shown.paused = state_ == sonavo::DeckState::Paused;
  shown.repeat = engine.Repeat() || engine.TrackRepeat();
  shown.trackRepeat = engine.TrackRepeat();
  shown.mode = engine.Mode();
  shown.abActive = engine.Mode() == sonavo::PlayMode::AB;
  shown.onlyA = engine.PointA().has_value() && !engine.PointB().has_value();
  return shown;
}

void DeckDialog::OnPaint(HDC dc) {
  if (display_) display_->Paint(dc, Snapshot());
}

bool DeckDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  return display_ && display_->DrawItem(item, Snapshot());
}

INT_PTR DeckDialog::OnOtherCommand(int id, int code) {
  if (id != names::kDeckTick) return ModelessDialog::OnOtherCommand(id, code);
  Tick();
  return TRUE;
}

void DeckDialog::OnClick(int id, std::function<void()> action) {
  OnCommand(id, BN_CLICKED, [this, action = std::move(action)] {
    // A CD the drive cannot play is reported for the plays the user asks for only.
    if (cdDevice_) cdDevice_->SetUserCommand(true);
    action();
    if (cdDevice_) cdDevice_->SetUserCommand(false);
    Refresh();
  });
}

void DeckDialog::ShowError(const std::string& text) {
  MessageBoxA(Window(), text.c_str(), name_, MB_OK | MB_ICONERROR);
}

#include "jubilo/app/launcher_dialog.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/framework/modal_dialog.h"
#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"
#include "common/store/profile_store.h"
#include "common/win32/program_start.h"
#include "common/win32/resource_text.h"
#include "common/win32/subclass.h"
#include "common/win32/suite_windows.h"
#include "jubilo/app/options_sheet.h"
#include "jubilo/app/resource.h"
#include "jubilo/core/cabinet.h"
#include "jubilo/core/launch_plan.h"
#include "sonavo/core/deck_settings.h"

namespace {

constexpr int kLabelPixels = 12;
constexpr int kLetteringPixels = 11;
constexpr int kMixerDeck = 109;
constexpr int kPreviewerDeck = 110;
constexpr UINT kFirstTickMs = 500;
constexpr UINT kTimerResolutionMs = 10;
// How long a chosen program's window is waited for before it is left to show itself.
constexpr DWORD kShowWaitMs = 10000;
// The command lines of the players (by kind) and the mixer.
constexpr const char* kCommandLines[] = {"sonavo /CD", "sonavo /MIDI", "sonavo /Wave",
                                         "sonavo /Video", "Blendora"};

struct Label {
  int id;
  const char* text;
};
constexpr Label kLabels[] = {{IDC_CD_LABEL, "CD"},
                             {IDC_MIDI_LABEL, "MIDI"},
                             {IDC_WAVE_LABEL, "Wave"},
                             {IDC_MIXER_LABEL, "Mixer"},
                             {IDC_BROWSER_LABEL, "Browser"}};

HWND Player(int kind) {
  return FindSuiteWindow(names::kDeckClass, static_cast<std::uintptr_t>(kind));
}

jubilo::Size SizeOfPicture(jubilo::Picture picture) {
  HBITMAP bitmap =
      LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<int>(picture)));
  BITMAP facts{};
  GetObjectA(bitmap, sizeof(facts), &facts);
  DeleteObject(bitmap);
  return {facts.bmWidth, facts.bmHeight};
}

// The window of a program Jubilo starts: a player's deck, or the mixer's.
HWND ProgramWindow(jubilo::Program program) {
  return program == jubilo::Program::Mixer
             ? FindSuiteWindow(names::kMixerClass, std::nullopt)
             : FindSuiteWindow(names::kDeckClass, static_cast<std::uintptr_t>(program));
}

// The About button paints all of itself: erasing first would only make it flicker.
LRESULT CALLBACK KeepBackgroundProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  return CallOwnProc(button, message, wParam, lParam);
}

}  // namespace

LauncherDialog::LauncherDialog(const std::string& folder)
    : ModelessDialog(IDD_LAUNCHER), settingsFile_(folder + sonavo::kSettingsFile) {
  // Only clicks: a double click starts a program once.
  for (int program = 0; program <= static_cast<int>(jubilo::Program::Mixer); ++program) {
    OnCommand(jubilo::ButtonOf(static_cast<jubilo::Program>(program)), BN_CLICKED,
              [this, program] { Start(kCommandLines[program]); });
  }
  OnCommand(IDC_BROWSE, BN_CLICKED, [this] { Start("Peekwell"); });
  OnCommand(IDC_HELP_BUTTON, BN_CLICKED,
            [this] { WinHelpA(Window(), "JUBILO.HLP", HELP_FINDER, 0); });
  OnCommand(IDC_REACH_US, BN_CLICKED,
            [this] { WinHelpA(Window(), "JUBILO.HLP", HELP_CONTEXT, 170); });
  OnCommand(IDC_VISTREL, BN_CLICKED, [this] { StartVistrel(); });
  OnCommand(IDC_CONFIGURE, BN_CLICKED, [this] { ShowOptionsSheet(Window(), settingsFile_); });
  OnCommand(IDC_ABOUT_BUTTON, BN_CLICKED, [this] { ModalDialog(IDD_ABOUT).DoModal(Window()); });
}

void LauncherDialog::OnInitDialog() {
  SetPropA(Window(), names::kDeviceProperty,
           reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(names::kLauncherDevice)));
  if (const int problem = skin_.Load(Window())) Warn(static_cast<UINT>(problem));
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(VistrelPath().c_str(), &found);
  EnableWindow(GetDlgItem(Window(), IDC_VISTREL), search != INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  if (mixerGetNumDevs() == 0) Warn(IDS_NO_MIXER);
  const auto arial = [](int pixels, int escapement) {
    return CreateFontA(-pixels, 0, escapement, escapement, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, "Arial");
  };
  labelFont_ = arial(kLabelPixels, 0);
  downFont_ = arial(kLetteringPixels, 2700);
  slantFont_ = arial(kLetteringPixels, 2425);
  Subclass(GetDlgItem(Window(), IDC_ABOUT_BUTTON), KeepBackgroundProc);
  PlaceControls();
  PlaceWindow();
  AttachRunningPrograms();
  SetShape();
  ShowWindow(Window(), SW_SHOWDEFAULT);
  StartAnimation();
}

void LauncherDialog::StartAnimation() {
  if (Player(static_cast<int>(jubilo::Program::Video)) != nullptr) {
    StartChosenPrograms();
    return;
  }
  if (!timer_.Start(Window(), kFirstTickMs, kTimerResolutionMs)) {
    Warn(IDS_NO_TIMER);
    StartChosenPrograms();
    return;
  }
  animation_ = std::make_unique<jubilo::StartupAnimation>(SizeOfPicture(jubilo::Picture::Logo),
                                                          SizeOfPicture(jubilo::Picture::Strip),
                                                          SizeOfPicture(jubilo::Picture::Title));
  firstTick_ = true;
  // The animation has the mouse: a click anywhere ends it.
  SetCapture(Window());
  SetFocus(nullptr);
}

void LauncherDialog::AnimationTick() {
  if (!animation_) return;
  const int phase = animation_->Phase();
  HDC dc = GetDC(Window());
  Draw(dc, animation_->Step());
  ReleaseDC(Window(), dc);
  if (animation_->Phase() == 0) {
    FinishAnimation();
  } else if (firstTick_ || animation_->Phase() != phase) {
    // The next phase at its own pace.
    timer_.Start(Window(), static_cast<UINT>(animation_->PeriodMs()), kTimerResolutionMs);
  }
  firstTick_ = false;
}

void LauncherDialog::FinishAnimation() {
  if (!animation_) return;
  timer_.Stop();
  HDC dc = GetDC(Window());
  Draw(dc, animation_->Final());
  ReleaseDC(Window(), dc);
  finalShown_ = true;
  animation_.reset();
  ReleaseCapture();
  SetFocus(Window());
  StartChosenPrograms();
}

// In their order; a show key waits (bounded) for the program's window to show it. A panel closed
// meanwhile starts no more.
void LauncherDialog::StartChosenPrograms() {
  for (const jubilo::LaunchStep& step : jubilo::LaunchPlan(settingsFile_)) {
    Start(kCommandLines[static_cast<int>(step.program)]);
    if (step.show && !ShowWhenThere(step.program)) return;
  }
}

// Waits for the window while the panel answers its messages and keys as its own loop does (the
// program places its deck in the panel as it starts). False when the panel closed meanwhile.
bool LauncherDialog::ShowWhenThere(jubilo::Program program) {
  const DWORD deadline = GetTickCount() + kShowWaitMs;
  HWND window = nullptr;
  while ((window = ProgramWindow(program)) == nullptr &&
         static_cast<LONG>(deadline - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
      }
      if (Window() != nullptr && IsDialogMessageA(Window(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (Window() == nullptr) return false;
  }
  if (window != nullptr) ShowWindow(window, SW_SHOWNORMAL);
  return true;
}

RECT LauncherDialog::Screen() const {
  const jubilo::Place* screen = jubilo::PlaceOf(IDC_VIDEO_SCREEN);
  return {screen->left, screen->top, screen->left + screen->width, screen->top + screen->height};
}

// The animation's drawings, in the screen and nowhere else.
void LauncherDialog::Draw(HDC dc, const std::vector<jubilo::Draw>& draws) const {
  const RECT screen = Screen();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, screen.left, screen.top, screen.right, screen.bottom);
  SetStretchBltMode(dc, COLORONCOLOR);
  for (const jubilo::Draw& draw : draws) {
    const RECT area{screen.left + draw.x, screen.top + draw.y, screen.left + draw.x + draw.width,
                    screen.top + draw.y + draw.height};
    if (draw.fill) {
      FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      continue;
    }
    HBITMAP bitmap =
        LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<int>(draw.picture)));
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchBlt(dc, area.left, area.top, draw.width, draw.height, memory, draw.fromX, draw.fromY,
               draw.fromWidth, draw.fromHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
  }
  RestoreDC(dc, saved);
}

// The controls where the artwork has their places, in pixels.
void LauncherDialog::PlaceControls() {
  for (const jubilo::Place& place : jubilo::Layout()) {
    if (HWND control = GetDlgItem(Window(), place.id)) {
      SetWindowPos(control, nullptr, place.left, place.top, place.width, place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  RECT client{0, 0, jubilo::kCabinetWidth, jubilo::kCabinetHeight};
  AdjustWindowRect(&client, static_cast<DWORD>(GetWindowLongPtrA(Window(), GWL_STYLE)), FALSE);
  SetWindowPos(Window(), nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LauncherDialog::SetShape() {
  RECT window{};
  GetWindowRect(Window(), &window);
  POINT client{0, 0};
  ClientToScreen(Window(), &client);
  const std::vector<jubilo::Point> shape = jubilo::WindowShape(
      window.right - window.left, client.x - window.left, client.y - window.top);
  std::vector<POINT> points;
  for (const jubilo::Point& p : shape) points.push_back({p.x, p.y});
  HRGN region = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
  if (region != nullptr && SetWindowRgn(Window(), region, FALSE) == 0) DeleteObject(region);
}

void LauncherDialog::PlaceWindow() {
  const auto corner =
      sonavo::ReadWindowPos(settingsFile_, jubilo::kSection, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN));
  if (!corner) {
    CentreOnParent();
  } else {
    RECT window{};
    GetWindowRect(Window(), &window);
    SetWindowPos(Window(), nullptr, std::max(0L, corner->x - (window.right - window.left)),
                 std::max(0L, corner->y - (window.bottom - window.top)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  }
  if (ReadProfileInt(settingsFile_, jubilo::kSection, "AlwaysOnTop", 0) != 0)
    SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The players, the mixer and the previewer already running place their decks in the panel.
void LauncherDialog::AttachRunningPrograms() {
  const auto attach = [this](HWND program) {
    if (program != nullptr) {
      PostMessageA(program, names::kDeckMsgAttach, reinterpret_cast<WPARAM>(Window()), 0);
    }
  };
  for (int kind = 0; kind < 4; ++kind) attach(Player(kind));
  attach(FindSuiteWindow(names::kMixerClass, std::nullopt));
  attach(FindSuiteWindow(names::kPreviewerClass, std::nullopt));
}

// A program that cannot be started is not reported.
void LauncherDialog::Start(const char* commandLine) {
  StartProgram(commandLine, SW_SHOWNORMAL);
}

std::string LauncherDialog::VistrelPath() const {
  Win32Profile systemIni(settings::kSystemIni);
  std::string folder = settings::MarovaneSettings(systemIni).Read(settings::kProgramDir);
  folder += !folder.empty() && folder.back() == '\\' ? "VISTREL" : "\\VISTREL";
  return folder + "\\VISTREL.EXE";
}

// Vistrel runs in its own folder.
void LauncherDialog::StartVistrel() {
  const std::string path = VistrelPath();
  StartProgram("\"" + path + "\"", SW_SHOWNORMAL, path.substr(0, path.find_last_of('\\')));
}

void LauncherDialog::OnPaint(HDC dc) {
  if (finalShown_ && animation_ == nullptr) {
    const jubilo::StartupAnimation ended(SizeOfPicture(jubilo::Picture::Logo),
                                         SizeOfPicture(jubilo::Picture::Strip),
                                         SizeOfPicture(jubilo::Picture::Title));
    Draw(dc, ended.Final());
  }
  // The labels: white over a black copy one pixel down and to the right.
  SetBkMode(dc, TRANSPARENT);
  const auto letter = [dc](HFONT font, int x, int y, const char* text) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + 1, y + 1, text, lstrlenA(text));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x, y, text, lstrlenA(text));
    SelectObject(dc, old);
  };
  letter(downFont_, 46, 60, "MAROVANE MEDIA");
  letter(slantFont_, 580, 304, "Marovane");
  HGDIOBJ kept = SelectObject(dc, labelFont_);
  for (const Label& label : kLabels) {
    RECT place{};
    GetWindowRect(GetDlgItem(Window(), label.id), &place);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&place), 2);
    OffsetRect(&place, 1, 1);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, label.text, -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    OffsetRect(&place, -1, -1);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, label.text, -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(dc, kept);
}

bool LauncherDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  const int id = static_cast<int>(item.CtlID);
  if (id >= IDC_CD && id <= IDC_BROWSE) {
    const int bitmapId = id == IDC_MIXER   ? IDB_MIXER_BUTTON
                         : id == IDC_VIDEO ? IDB_VIDEO_BUTTON
                                           : IDB_PLAYER_BUTTON;
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // Inverted while pressed.
    BitBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, memory, 0, 0,
           (item.itemState & ODS_SELECTED) ? NOTSRCCOPY : SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return true;
  }
  // The text buttons: their caption on a dark key, pressed in while held.
  RECT key = item.rcItem;
  HBRUSH face = CreateSolidBrush(RGB(44, 48, 54));
  FillRect(item.hDC, &key, face);
  DeleteObject(face);
  DrawEdge(item.hDC, &key, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  char caption[32] = "";
  GetWindowTextA(item.hwndItem, caption, sizeof(caption));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? RGB(0, 128, 128) : RGB(0, 255, 255));
  HGDIOBJ kept = SelectObject(item.hDC, labelFont_);
  DrawTextA(item.hDC, caption, -1, &key, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  SelectObject(item.hDC, kept);
  return true;
}

INT_PTR LauncherDialog::OnOtherCommand(int id, int code) {
  constexpr int kNotATick = 5;
  if (id != names::kDeckTick || code == kNotATick) return ModelessDialog::OnOtherCommand(id, code);
  AnimationTick();
  return TRUE;
}

INT_PTR LauncherDialog::Answer(LRESULT result) {
  SetWindowLongPtrA(Window(), DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR LauncherDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!animation_) return FALSE;
      FinishAnimation();
      return TRUE;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT all{};
      GetClientRect(Window(), &all);
      if (skin_.Loaded()) {
        skin_.Paint(dc);
      } else {
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
      }
      const RECT black = Screen();
      FillRect(dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      return Answer(1);
    }
    case WM_QUERYNEWPALETTE: {
      HDC dc = GetDC(Window());
      const bool changed = skin_.Realize(dc, false);
      ReleaseDC(Window(), dc);
      if (changed) InvalidateRect(Window(), nullptr, TRUE);
      return Answer(changed);
    }
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wParam) != Window()) {
        HDC dc = GetDC(Window());
        if (skin_.Realize(dc, true)) InvalidateRect(Window(), nullptr, TRUE);
        ReleaseDC(Window(), dc);
      }
      return TRUE;
    case kOptionsAppliedMsg:
      TellProgramOfPage(static_cast<int>(wParam));
      return TRUE;
    case names::kLauncherMsgRepaintScreen: {
      // A video came or went: the animation's picture is no longer the screen's.
      finalShown_ = false;
      const RECT area = Screen();
      InvalidateRect(Window(), &area, TRUE);
      return TRUE;
    }
  }
  static_cast<void>(lParam);
  return FALSE;
}

// Closing: the video player takes its picture back, the decks of hidden programs close with
// the panel, then the panel goes.
void LauncherDialog::OnCancel() {
  if (HWND video = Player(static_cast<int>(jubilo::Program::Video))) {
    SendMessageTimeoutA(video, names::kDeckMsgAttach, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  }
  for (int kind = 0; kind < 4; ++kind) {
    HWND player = Player(kind);
    if (player != nullptr && !IsWindowVisible(player)) {
      if (HWND deck = GetDlgItem(Window(), 105 + kind)) PostMessageA(deck, WM_CLOSE, 0, 0);
    }
  }
  const auto closeHidden = [this](const char* className, int deckId) {
    HWND program = FindSuiteWindow(className, std::nullopt);
    if (program != nullptr && !IsWindowVisible(program)) {
      if (HWND deck = GetDlgItem(Window(), deckId)) PostMessageA(deck, WM_CLOSE, 0, 0);
    }
  };
  closeHidden(names::kMixerClass, kMixerDeck);
  closeHidden(names::kPreviewerClass, kPreviewerDeck);
  End();
}

void LauncherDialog::OnDestroy() {
  timer_.Stop();
  WinHelpA(Window(), nullptr, HELP_QUIT, 0);
  const bool onTop = (GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  settingsFile_.WriteString(jubilo::kSection, "AlwaysOnTop", onTop ? "1" : "0");
  const POINT corner = NormalBottomRight(Window());
  sonavo::WriteWindowPos(settingsFile_, jubilo::kSection, {corner.x, corner.y});
  RemovePropA(Window(), names::kDeviceProperty);
  for (HFONT font : {labelFont_, downFont_, slantFont_}) {
    if (font != nullptr) DeleteObject(font);
  }
  labelFont_ = downFont_ = slantFont_ = nullptr;
}

void LauncherDialog::Warn(UINT stringId) const {
  MessageBoxA(Window(), ResourceText(stringId).c_str(), ResourceText(IDS_CAPTION).c_str(),
              MB_OK | MB_ICONWARNING);
}

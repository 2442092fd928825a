#include "sonavo/app/video_deck.h"

#include "common/win32/bitmap_drawing.h"
#include "sonavo/app/auto_repeat_button.h"
#include "sonavo/app/position_bar.h"
#include "sonavo/app/resource.h"

namespace {

constexpr const char* kVideoDeckClass = "VIDEODECK_WCLASS";
constexpr int kVideoDeckId = 108;
constexpr int kLauncherPlace = 1176;
// The panel's controls the video deck stands in for.
constexpr int kLauncherCovered[] = {1108, 1178, 1124};
constexpr POINT kPlayMark{10, 12};
constexpr POINT kPauseMark{10, 25};
constexpr POINT kEntryAt{22, 18};
constexpr POINT kTimeAt{48, 18};

HBITMAP Load(int id) {
  return LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

}  // namespace

bool VideoDeck::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA video{};
  video.lpfnWndProc = DefDlgProcA;
  video.cbWndExtra = DLGWINDOWEXTRA > 30 ? DLGWINDOWEXTRA : 30;
  video.hInstance = instance;
  video.hCursor = LoadCursor(nullptr, IDC_ARROW);
  video.lpszClassName = kVideoDeckClass;
  return RegisterClassA(&video) != 0;
}

VideoDeck::VideoDeck(HWND deck)
    : ModelessDialog(IDD_VIDEO_DECK),
      deck_(deck),
      painter_(sonavo::PlayerKind::Video),
      thumb_(Load(IDB_THUMB)),
      erase_(Load(IDB_THUMB_ERASE)) {
  for (int id = IDC_PLAY_PAUSE; id <= IDC_VOLUME_DOWN; ++id) {
    if (id == IDC_REWIND || id == IDC_FORWARD) continue;
    OnCommand(id, BN_CLICKED, [this, id] { Forward(id); });
  }
  OnCommand(IDC_VIDEO_SHOW_DECK, BN_CLICKED,
            [this] { ShowWindow(deck_, IsWindowVisible(deck_) ? SW_HIDE : SW_SHOWNORMAL); });
  OnCommand(IDC_VIDEO_CLOSE, BN_CLICKED, [this] { Forward(IDC_CLOSE); });
}

VideoDeck::~VideoDeck() {
  Detach();
  DeleteObject(thumb_);
  DeleteObject(erase_);
}

bool VideoDeck::Attach(HWND launcher) {
  Detach();
  launcher_ = launcher;
  if (!Create(launcher)) {
    launcher_ = nullptr;
    return false;
  }
  return true;
}

void VideoDeck::Detach() {
  if (Window() != nullptr) {
    detaching_ = true;
    End();
    detaching_ = false;
  }
  SetPanelControls(true);
  launcher_ = nullptr;
}

void VideoDeck::SetPanelControls(bool shown) {
  if (launcher_ == nullptr || !IsWindow(launcher_)) return;
  for (int id : kLauncherCovered) {
    if (HWND control = GetDlgItem(launcher_, id)) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
  }
}

void VideoDeck::OnInitDialog() {
  SetWindowLongPtrA(Window(), GWLP_ID, kVideoDeckId);
  if (HWND place = GetDlgItem(launcher_, kLauncherPlace)) {
    RECT area{};
    GetWindowRect(place, &area);
    MapWindowPoints(nullptr, launcher_, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(Window(), HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE);
  }
  HWND bar = GetDlgItem(Window(), IDC_VIDEO_BAR);
  SendMessageA(bar, kBarSetStyle, kBarStyleSlider, 0);
  SendMessageA(bar, kBarSetThumb, reinterpret_cast<WPARAM>(thumb_),
               reinterpret_cast<LPARAM>(erase_));
  MakeAutoRepeat(GetDlgItem(Window(), IDC_REWIND), SB_LINELEFT, bar);
  MakeAutoRepeat(GetDlgItem(Window(), IDC_FORWARD), SB_LINERIGHT, bar);
  // The panel's own controls make way before the deck shows.
  SetPanelControls(false);
  ShowWindow(Window(), SW_SHOW);
}

void VideoDeck::OnDestroy() {
  // Gone with Jubilo: a main deck that stays hidden goes too.
  if (!detaching_ && !IsWindowVisible(deck_)) PostMessageA(deck_, WM_COMMAND, IDC_CLOSE, 0);
}

void VideoDeck::Forward(int command) {
  PostMessageA(deck_, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}

void VideoDeck::Show(const VideoDeckShown& shown) {
  if (Window() == nullptr) return;
  HWND bar = GetDlgItem(Window(), IDC_VIDEO_BAR);
  SendMessageA(bar, kBarSetMax, 0, shown.barMaximum);
  SendMessageA(bar, kBarSetPos, 0, shown.barPosition);
  const bool changed = shown.entry != shown_.entry || shown.time != shown_.time ||
                       shown.playing != shown_.playing || shown.paused != shown_.paused;
  shown_ = shown;
  if (changed) InvalidateRect(Window(), nullptr, FALSE);
}

HWND VideoDeck::Bar() const {
  return GetDlgItem(Window(), IDC_VIDEO_BAR);
}

void VideoDeck::OnPaint(HDC dc) {
  HBITMAP panel = Load(IDB_VIDEO_DECK);
  DrawBitmapAt(dc, panel, 0, 0);
  DeleteObject(panel);
  if (shown_.playing || shown_.paused) {
    HBITMAP mark = Load(shown_.playing ? IDB_COMPACT_PLAY : IDB_COMPACT_PAUSE);
    DrawBitmapAt(dc, mark, shown_.playing ? kPlayMark.x : kPauseMark.x,
                 shown_.playing ? kPlayMark.y : kPauseMark.y);
    DeleteObject(mark);
  }
  painter_.SmallDigits(dc, shown_.entry.empty() ? "00" : shown_.entry, kEntryAt.x, kEntryAt.y);
  painter_.SmallDigits(dc, shown_.time.empty() ? "00:00" : shown_.time, kTimeAt.x, kTimeAt.y);
}

bool VideoDeck::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  painter_.Key(item);
  return true;
}

// Its slider and its repeating keys move the main deck's position.
INT_PTR VideoDeck::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  // Closed by Jubilo as it goes (Escape does nothing): a hidden main deck goes with it.
  if (message == WM_CLOSE) {
    End();
    return TRUE;
  }
  if (message == WM_ERASEBKGND) {
    SetWindowLongPtrA(Window(), DWLP_MSGRESULT, 1);
    return TRUE;
  }
  if (message != WM_HSCROLL) return FALSE;
  SendMessageA(deck_, WM_HSCROLL, wParam, reinterpret_cast<LPARAM>(Bar()));
  return TRUE;
}

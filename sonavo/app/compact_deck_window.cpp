#include "sonavo/app/compact_deck_window.h"

#include "common/win32/bitmap_drawing.h"
#include "sonavo/app/deck_painter.h"
#include "sonavo/app/resource.h"

namespace {

constexpr const char* kCompactClass = "DECK_WCLASS";
constexpr int kLauncherButtonFirst = 1105;  // Jubilo's button of player kind k is 1105 + k
constexpr int kCompactIdFirst = 105;
constexpr UINT_PTR kReturnTimer = 1;
constexpr UINT kPressedShowMs = 150;
// Where the display face shows its fields, in the window of its LCD.
constexpr POINT kPlayMark{26, 8};
constexpr POINT kPauseMark{26, 17};
constexpr POINT kEntryAt{36, 10};
constexpr POINT kTimeAt{62, 10};

// A bitmap resource at its own size.
void DrawBitmap(HDC dc, int id, int x, int y) {
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  DrawBitmapAt(dc, bitmap, x, y);
  if (bitmap != nullptr) DeleteObject(bitmap);
}

}  // namespace

bool CompactDeckWindow::RegisterWindowClass(HINSTANCE instance, HCURSOR hand) {
  WNDCLASSA compact{};
  compact.lpfnWndProc = Proc;
  compact.cbWndExtra = 40;
  compact.hInstance = instance;
  compact.hCursor = hand;
  compact.lpszClassName = kCompactClass;
  return RegisterClassA(&compact) != 0;
}

bool CompactDeckWindow::Create(HWND launcher) {
  Destroy();
  const int kind = static_cast<int>(kind_);
  launcherButton_ = GetDlgItem(launcher, kLauncherButtonFirst + kind);
  POINT at{0, 0};
  if (launcherButton_ != nullptr) {
    RECT button{};
    GetWindowRect(launcherButton_, &button);
    at = {button.left, button.top};
    ScreenToClient(launcher, &at);
  }
  window_ = CreateWindowExA(0, kCompactClass, sonavo::Traits(kind_).name, WS_CHILD, at.x, at.y,
                            sonavo::kCompactWidth, sonavo::kCompactHeight, launcher,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCompactIdFirst + kind)),
                            GetModuleHandleA(nullptr), this);
  if (window_ == nullptr) return false;
  // The panel's button makes way before the deck shows.
  if (launcherButton_ != nullptr) ShowWindow(launcherButton_, SW_HIDE);
  ShowWindow(window_, SW_SHOW);
  return true;
}

void CompactDeckWindow::Destroy() {
  if (window_ != nullptr) {
    SetWindowLongPtrA(window_, 0, 0);
    DestroyWindow(window_);
  }
  window_ = nullptr;
  if (launcherButton_ != nullptr && IsWindow(launcherButton_)) {
    ShowWindow(launcherButton_, SW_SHOW);
  }
  launcherButton_ = nullptr;
}

void CompactDeckWindow::Show(const CompactShown& shown) {
  const bool changed = shown.entry != shown_.entry || shown.time != shown_.time ||
                       shown.playing != shown_.playing || shown.paused != shown_.paused;
  shown_ = shown;
  if (changed && window_ != nullptr && face_ == sonavo::CompactFace::Display) {
    InvalidateRect(window_, nullptr, FALSE);
  }
}

LRESULT CALLBACK CompactDeckWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<CompactDeckWindow*>(
        reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(created));
  }
  auto* compact = reinterpret_cast<CompactDeckWindow*>(GetWindowLongPtrA(window, 0));
  if (compact == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return compact->OnMessage(message, wParam, lParam);
}

RECT CompactDeckWindow::Pressed() const {
  return held_ ? RECT{held_->area.left, held_->area.top, held_->area.right, held_->area.bottom}
               : RECT{};
}

LRESULT CompactDeckWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      held_ = sonavo::HitCompact(face_, x, y);
      if (!held_) return 0;
      SetCapture(window_);
      heldInside_ = true;
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (held_) {
        const RECT area = Pressed();
        const bool inside = PtInRect(&area, POINT{x, y}) != 0;
        if (inside != heldInside_) InvalidateRect(window_, nullptr, FALSE);
        heldInside_ = inside;
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!held_) return 0;
      const sonavo::CompactHit hit = *held_;
      held_.reset();
      ReleaseCapture();
      RECT client{};
      GetClientRect(window_, &client);
      InvalidateRect(window_, nullptr, FALSE);
      // Released anywhere in the window, the key acts.
      if (PtInRect(&client, POINT{x, y})) Act(hit);
      return 0;
    }
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      if (held_) {
        held_.reset();
        InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kReturnTimer) {
        KillTimer(window_, kReturnTimer);
        flash_.reset();
        face_ = sonavo::CompactFace::Display;
        InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      Paint(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_DESTROY:
      // Gone with Jubilo: a main deck that stays hidden goes too.
      if (window_ != nullptr) {
        window_ = nullptr;
        if (!IsWindowVisible(deck_)) PostMessageA(deck_, WM_COMMAND, IDC_CLOSE, 0);
      }
      return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void CompactDeckWindow::Act(const sonavo::CompactHit& hit) {
  switch (hit.action) {
    case sonavo::CompactAction::ClosePlayer:
      PostMessageA(deck_, WM_COMMAND, IDC_CLOSE, 0);
      break;
    case sonavo::CompactAction::ToggleDeck:
      if (IsWindowVisible(deck_)) {
        ShowWindow(deck_, SW_HIDE);
      } else {
        ShowWindow(deck_, SW_SHOWNORMAL);
        SetForegroundWindow(deck_);
      }
      break;
    case sonavo::CompactAction::VolumeUp:
    case sonavo::CompactAction::VolumeDown:
      PostMessageA(deck_, WM_COMMAND,
                   hit.action == sonavo::CompactAction::VolumeUp ? IDC_VOLUME_UP : IDC_VOLUME_DOWN,
                   0);
      break;
    case sonavo::CompactAction::ShowControls:
      face_ = sonavo::CompactFace::Controls;
      break;
    case sonavo::CompactAction::Command:
      // The key shows pressed a moment, then the display comes back.
      flash_ = hit.area;
      PostMessageA(deck_, WM_COMMAND, MAKEWPARAM(hit.command, BN_CLICKED), 0);
      SetTimer(window_, kReturnTimer, kPressedShowMs, nullptr);
      break;
    case sonavo::CompactAction::Back:
      face_ = sonavo::CompactFace::Display;
      break;
  }
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void CompactDeckWindow::Paint(HDC dc) const {
  if (face_ == sonavo::CompactFace::Display) {
    DrawBitmap(dc, IDB_COMPACT_DISPLAY, 0, 0);
    if (shown_.playing) DrawBitmap(dc, IDB_COMPACT_PLAY, kPlayMark.x, kPlayMark.y);
    if (shown_.paused) DrawBitmap(dc, IDB_COMPACT_PAUSE, kPauseMark.x, kPauseMark.y);
    painter_.SmallDigits(dc, shown_.entry.empty() ? "00" : shown_.entry, kEntryAt.x, kEntryAt.y);
    painter_.SmallDigits(dc, shown_.time.empty() ? "00:00" : shown_.time, kTimeAt.x, kTimeAt.y);
  } else {
    DrawBitmap(dc, kind_ == sonavo::PlayerKind::Cd ? IDB_COMPACT_CD : IDB_COMPACT_FILES, 0, 0);
  }
  if (held_ && heldInside_) {
    const RECT area = Pressed();
    InvertRect(dc, &area);
  }
  if (flash_) {
    const RECT area{flash_->left, flash_->top, flash_->right, flash_->bottom};
    InvertRect(dc, &area);
  }
}

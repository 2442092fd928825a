#include "sonavo/app/playback_window.h"

#include <string>

#include "common/win32/resource_text.h"
#include "sonavo/app/resource.h"
#include "sonavo/core/deck_face.h"

namespace {

constexpr const char* kPlaybackClass = "PlaybackWClass";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr const char* kPictureProc = "PlaybackPicture";
constexpr const char* kPictureOwner = "PlaybackOwner";
constexpr UINT kMenuPlayPause = 1;
constexpr UINT kMenuDeck = 2;
constexpr UINT kMenuZoomFirst = 100;

SIZE FrameFor(int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, kStyle, FALSE);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

bool PlaybackWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PLAYBACK));
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPlaybackClass;
  return RegisterClassA(&windowClass) != 0;
}

PlaybackWindow::~PlaybackWindow() {
  Destroy();
}

void PlaybackWindow::Destroy() {
  if (window_ != nullptr) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  window_ = nullptr;
}

HWND PlaybackWindow::Window() {
  if (window_ == nullptr) {
    window_ = CreateWindowExA(0, kPlaybackClass, "", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 320, 240,
                              deck_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  return window_;
}

void PlaybackWindow::Present(const char* title, int naturalWidth, int naturalHeight) {
  HWND window = Window();
  SetWindowTextA(window, title);
  naturalWidth_ = naturalWidth;
  naturalHeight_ = naturalHeight;
  const SIZE frame = FrameFor(naturalWidth, naturalHeight);
  RECT deck{};
  GetWindowRect(deck_, &deck);
  const sonavo::Spot spot =
      sonavo::PlaybackSpot(deck.left, deck.top, deck.right, deck.bottom, frame.cx, frame.cy);
  SetWindowPos(window, nullptr, spot.x, spot.y, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

void PlaybackWindow::TakePicture(HWND picture, const char* title, int width, int height,
                                 SIZE natural) {
  HWND window = Window();
  naturalWidth_ = natural.cx;
  naturalHeight_ = natural.cy;
  SetParent(picture, window);
  SetWindowTextA(window, title);
  RECT deck{};
  GetWindowRect(deck_, &deck);
  const SIZE frame = FrameFor(width, height);
  const sonavo::Spot spot =
      sonavo::PlaybackSpot(deck.left, deck.top, deck.right, deck.bottom, frame.cx, frame.cy);
  SetWindowPos(window, nullptr, spot.x, spot.y, frame.cx, frame.cy, SWP_NOZORDER);
  ShowWindow(window, SW_SHOWNORMAL);
}

void PlaybackWindow::AdoptPicture(HWND picture) {
  if (picture == nullptr) return;
  SetPropA(picture, kPictureOwner, Window());
  if (GetPropA(picture, kPictureProc) != nullptr) return;
  SetWindowLongPtrA(picture, GWLP_ID, 2000);
  SetPropA(picture, kPictureProc,
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrA(picture, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PictureProc))));
}

// The picture passes its right clicks and double clicks to the playback window, in Jubilo's
// screen as in the window.
LRESULT CALLBACK PlaybackWindow::PictureProc(HWND picture, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(picture, kPictureProc));
  HWND owner = static_cast<HWND>(GetPropA(picture, kPictureOwner));
  // Inside Jubilo's screen the picture has no menu.
  const bool menu = message == WM_RBUTTONUP && GetParent(picture) == owner;
  if ((menu || message == WM_LBUTTONDBLCLK) && owner != nullptr) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(picture, owner, &at, 1);
    return SendMessageA(owner, message, wParam, MAKELPARAM(at.x, at.y));
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(picture, kPictureProc);
    RemovePropA(picture, kPictureOwner);
    SetWindowLongPtrA(picture, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  }
  return original != nullptr ? CallWindowProcA(original, picture, message, wParam, lParam)
                             : DefWindowProcA(picture, message, wParam, lParam);
}

LRESULT CALLBACK PlaybackWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* playback = reinterpret_cast<PlaybackWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (playback == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return playback->OnMessage(message, wParam, lParam);
}

LRESULT PlaybackWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // Closing stops the play and hides the window; with the deck hidden too, and not living
      // in Jubilo, the player ends.
      PostMessageA(deck_, WM_COMMAND, IDC_STOP, 0);
      ShowWindow(window_, SW_HIDE);
      if (!IsWindowVisible(deck_) && (launcher_ == nullptr || !IsWindow(launcher_))) {
        PostMessageA(deck_, WM_COMMAND, IDC_CLOSE, 0);
      }
      return 0;
    case WM_SIZE:
      // The picture fills the window whenever it is inside.
      if (resized_ && GetWindow(window_, GW_CHILD) != nullptr) {
        resized_(LOWORD(lParam), HIWORD(lParam));
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (doubleClicked_) doubleClicked_();
      return 0;
    case WM_RBUTTONUP: {
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window_, &at);
      ShowMenu(at);
      return 0;
    }
    case WM_PALETTECHANGED:
    case WM_QUERYNEWPALETTE:
      if (HWND picture = GetWindow(window_, GW_CHILD)) {
        return SendMessageA(picture, message, wParam, lParam);
      }
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void PlaybackWindow::ShowMenu(POINT screen) {
  // The screen's width as it is now: a display change has its say.
  const std::vector<sonavo::ZoomItem> items = sonavo::ZoomItems(
      GetSystemMetrics(SM_CXSCREEN), naturalWidth_, ResourceText(IDS_FULL_SCREEN));
  HMENU zoom = CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    AppendMenuA(zoom, MF_STRING, kMenuZoomFirst + i, items[i].text.c_str());
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kMenuPlayPause, ResourceText(IDS_MENU_PLAY_PAUSE).c_str());
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(zoom),
              ResourceText(IDS_MENU_ZOOM).c_str());
  const bool deckShown = IsWindowVisible(deck_);
  AppendMenuA(menu, MF_STRING, kMenuDeck,
              ResourceText(deckShown ? IDS_MENU_HIDE_PLAYER : IDS_MENU_SHOW_PLAYER).c_str());
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                     window_, nullptr);
  DestroyMenu(menu);
  if (chosen == kMenuPlayPause) {
    PostMessageA(deck_, WM_COMMAND, IDC_PLAY_PAUSE, 0);
  } else if (chosen == kMenuDeck) {
    ShowWindow(deck_, deckShown ? SW_HIDE : SW_RESTORE);
  } else if (chosen >= kMenuZoomFirst && chosen < kMenuZoomFirst + items.size()) {
    Zoom(items[chosen - kMenuZoomFirst].percent);
  }
}

// A percentage sizes the picture from its natural size and keeps the window's place; 0 is the
// whole screen.
void PlaybackWindow::Zoom(int percent) {
  if (percent == 0) {
    ShowWindow(window_, SW_MAXIMIZE);
    return;
  }
  ShowWindow(window_, SW_RESTORE);
  const SIZE frame =
      FrameFor(sonavo::Zoomed(naturalWidth_, percent), sonavo::Zoomed(naturalHeight_, percent));
  SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

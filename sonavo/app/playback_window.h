#pragma once
// The video player's playback window ("PlaybackWClass"): the device's own video window is its
// child and fills it. A right click offers Play/Pause, the zoom sizes of the screen and the
// video, and showing or hiding the deck; closing it stops the play and hides it.

#include <windows.h>

#include <functional>

class PlaybackWindow {
 public:
  explicit PlaybackWindow(HWND deck) : deck_(deck) {}
  ~PlaybackWindow();
  PlaybackWindow(const PlaybackWindow&) = delete;
  PlaybackWindow& operator=(const PlaybackWindow&) = delete;

  // Made on first use; the device's picture goes into it.
  HWND Window();
  // A new video: its title and natural size, the window sized to it over the deck.
  void Present(const char* title, int naturalWidth, int naturalHeight);
  // The device's window, whose clicks are the playback window's wherever it shows.
  void AdoptPicture(HWND picture);
  // Takes the picture in, at `width` x `height`, titled `title`; the zoom items size it from
  // the video's natural size.
  void TakePicture(HWND picture, const char* title, int width, int height, SIZE natural);
  // Jubilo's panel while the player lives in it (nullptr: it does not): closing the window then
  // leaves the player running.
  void SetLauncher(HWND launcher) { launcher_ = launcher; }
  // Gone (made anew on next use).
  void Destroy();
  // Called on a double click on the picture.
  void OnDoubleClick(std::function<void()> clicked) { doubleClicked_ = std::move(clicked); }
  // Called with the client size whenever it changes, so the picture fills it.
  void OnResize(std::function<void(int width, int height)> resized) {
    resized_ = std::move(resized);
  }

  static bool RegisterWindowClass(HINSTANCE instance);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void ShowMenu(POINT screen);
  void Zoom(int percent);

  HWND deck_;
  HWND launcher_ = nullptr;
  HWND window_ = nullptr;
  int naturalWidth_ = 0;
  int naturalHeight_ = 0;
  std::function<void(int, int)> resized_;
  std::function<void()> doubleClicked_;
};

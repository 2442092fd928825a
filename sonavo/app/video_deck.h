#pragma once
// The video player's deck inside Jubilo (dialog 225): a child of the panel at its control 1176,
// whose keys and slider the main deck answers; the panel's own controls in its place are hidden
// meanwhile.

#include <windows.h>

#include <string>

#include "common/framework/modeless_dialog.h"
#include "sonavo/app/deck_painter.h"

struct VideoDeckShown {
  std::string entry;
  std::string time;
  bool playing = false;
  bool paused = false;
  int barMaximum = 0;
  int barPosition = 0;
};

class VideoDeck : public ModelessDialog {
 public:
  explicit VideoDeck(HWND deck);
  ~VideoDeck() override;

  // Into `launcher`'s panel; false when it cannot be made.
  bool Attach(HWND launcher);
  // Out of the panel, whose controls show again.
  void Detach();
  void Show(const VideoDeckShown& shown);
  // Its slider, whose scrolls the main deck reads.
  HWND Bar() const;

  static bool RegisterWindowClass(HINSTANCE instance);

 protected:
  void OnInitDialog() override;
  void OnPaint(HDC dc) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnCancel() override {}
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Forward(int command);
  void SetPanelControls(bool shown);

  HWND deck_;
  HWND launcher_ = nullptr;
  DeckPainter painter_;
  HBITMAP thumb_;
  HBITMAP erase_;
  VideoDeckShown shown_;
  bool detaching_ = false;
};

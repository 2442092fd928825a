#pragma once
// The compact deck a CD, MIDI or wave player places in Jubilo: a child of Jubilo's panel over
// the panel's button of that player (hidden meanwhile), with a display face and a control face
// whose keys post the main deck its commands.

#include <windows.h>

#include <optional>
#include <string>

#include "sonavo/app/deck_painter.h"
#include "sonavo/core/compact_deck.h"
#include "sonavo/core/players.h"

// What its display shows.
struct CompactShown {
  std::string entry;  // "%02d" or empty
  std::string time;   // "MM:SS"
  bool playing = false;
  bool paused = false;
};

class CompactDeckWindow {
 public:
  CompactDeckWindow(HWND deck, sonavo::PlayerKind kind)
      : deck_(deck), kind_(kind), painter_(kind) {}
  ~CompactDeckWindow() { Destroy(); }
  CompactDeckWindow(const CompactDeckWindow&) = delete;
  CompactDeckWindow& operator=(const CompactDeckWindow&) = delete;

  // Inside `launcher`, over its button of the player; false when it cannot be made.
  bool Create(HWND launcher);
  // Gone, and the launcher's button shown again.
  void Destroy();
  HWND Window() const { return window_; }
  void Show(const CompactShown& shown);

  static bool RegisterWindowClass(HINSTANCE instance, HCURSOR hand);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;
  void Act(const sonavo::CompactHit& hit);
  RECT Pressed() const;

  HWND deck_;
  sonavo::PlayerKind kind_;
  DeckPainter painter_;
  HWND window_ = nullptr;
  HWND launcherButton_ = nullptr;
  sonavo::CompactFace face_ = sonavo::CompactFace::Display;
  std::optional<sonavo::CompactHit> held_;
  bool heldInside_ = false;
  // A key of the control face that acted: shown pressed a moment before the display returns.
  std::optional<sonavo::CompactArea> flash_;
  CompactShown shown_;
};

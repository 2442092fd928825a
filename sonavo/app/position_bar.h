#pragma once
// PositionBar, the window class "PROGRESS_BAR": the position within the current entry, drawn
// as a bar (a cyan outline, the elapsed part filled) or as a slider (a sunken groove and a thumb
// bitmap). A press drags the position: the parent gets WM_HSCROLL with SB_THUMBTRACK while the
// pointer moves and SB_THUMBPOSITION at the release, the position in the high word.

#include <windows.h>

inline constexpr const char* kPositionBarClass = "PROGRESS_BAR";

// Its messages.
inline constexpr UINT kBarSetMin = WM_USER + 21;
inline constexpr UINT kBarSetMax = WM_USER + 22;
inline constexpr UINT kBarSetPos = WM_USER + 23;
inline constexpr UINT kBarGetPos = WM_USER + 24;
// The thumb bitmap in wParam and the one that erases it in lParam: one handle a parameter, as
// handles are wider than the halves of one.
inline constexpr UINT kBarSetThumb = WM_USER + 25;
inline constexpr UINT kBarSetStyle = WM_USER + 26;
inline constexpr WPARAM kBarStyleBar = 0;
inline constexpr WPARAM kBarStyleSlider = 1;

bool RegisterPositionBarClass(HINSTANCE instance, HCURSOR hand);

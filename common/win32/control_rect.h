#pragma once
// Where a dialog's control lies in the dialog's client coordinates (hidden frames mark where a
// dialog paints its pictures).

#include <windows.h>

inline RECT ControlRect(HWND dialog, int id) {
  RECT area{};
  GetWindowRect(GetDlgItem(dialog, id), &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

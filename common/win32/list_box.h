#pragma once
// What a list box of several selections holds.

#include <windows.h>

#include <vector>

// The selected lines (0-based) of a list box that allows several selections.
std::vector<int> SelectedLines(HWND list);

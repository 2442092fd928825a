#pragma once
// What a list box of several selections holds.

#include <windows.h>

#include <string>
#include <vector>

// The selected lines (0-based) of a list box that allows several selections.
std::vector<int> SelectedLines(HWND list);
// The text of a line; empty for a line the list does not have.
std::string LineText(HWND list, int line);

#pragma once
// A string of the running program's string table.

#include <windows.h>

#include <string>

// The string `id`; empty when the table has none.
std::string ResourceText(UINT id);

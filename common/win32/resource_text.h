#pragma once
// A string of the running program's string table.

#include <windows.h>

#include <string>
#include <vector>

// The string `id`; empty when the table has none.
std::string ResourceText(UINT id);
// The string `id` with "%1", "%2", ... replaced by `inserts`, in the order a translation puts
// them.
std::string ResourceText(UINT id, const std::vector<std::string>& inserts);

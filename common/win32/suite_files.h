#pragma once
// The suite's files copied into their installed layout (common/interop/installed_layout.h).

#include <string>

// Copies every file of the suite from the folder `from`, making the folders as needed. Empty
// when all are in place; otherwise the path of the first file that could not be copied.
std::string CopySuiteFiles(const std::string& from);

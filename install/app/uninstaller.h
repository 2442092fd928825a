#pragma once
// install's uninstall mode: closes the suite, has the set-up program's uninstaller remove what
// it wrote, deletes the program folders and the settings, and puts Windows back on the
// standard VGA display.

#include <string>

// Runs the whole removal with `argument` handed to the set-up program's uninstaller; the exit
// code: 3 when done, -1 when no installation is recorded.
int Uninstall(const std::string& argument);

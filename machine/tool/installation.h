#pragma once
// The tool as the user at the PC who installs the suite from its distribution medium.

#include <string>

// Starts install from `medium` (a folder with autorun.inf and install.ini), takes the
// language the wizard offers, presses Install and waits until the set-up program has
// finished (it starts Trayvel last). Empty on success; otherwise what went wrong.
std::string InstallFromMedium(const std::string& medium);

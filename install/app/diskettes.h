#pragma once
// Copying the distribution onto a set of diskettes, one source folder per diskette.

#include <windows.h>

#include <string>

#include "install/core/install_script.h"

struct DisketteSet {
  std::string product;
  install::Language language;
};

// Asks for each diskette of the script in turn and copies its folder's files to the root of
// drive `driveLetter`; the user's Cancel at a prompt ends the set.
void MakeDiskettes(HWND page, const DisketteSet& set, char driveLetter);

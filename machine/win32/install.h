#pragma once
// Puts the suite into the simulated PC the way the set-up program lays it out:
//   ProgramDir = C:\Program Files\Marovane
//   ProgramDir\VISTREL\  the display tools (and the outside programs Vistrel starts by name)
//   ProgramDir\JUBILO\   the media programs, MAROVANE.INI and the album files
//   the Windows system folder: BLITVANE.DLL

#include <string>

namespace machine {

inline constexpr const char* kProgramDir = "C:\\Program Files\\Marovane";
inline constexpr const char* kDisplayToolsFolder = "C:\\Program Files\\Marovane\\VISTREL";
inline constexpr const char* kMediaFolder = "C:\\Program Files\\Marovane\\JUBILO";

// Copies the suite's files from `buildFolder` and writes ProgramDir to system.ini. Empty when
// every file is in place; otherwise names the first file it could not replace and why.
std::string InstallSuite(const std::string& buildFolder);

}  // namespace machine

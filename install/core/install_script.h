#pragma once
// What the installation medium's script decides: how install starts, which language the
// distribution is in, where the set-up program lies and which folders go on the diskettes.

#include <optional>
#include <string>
#include <vector>

#include "common/store/profile_store.h"

namespace install {

inline constexpr const char* kScriptFile = ".\\install.ini";
inline constexpr const char* kAutorunFile = "autorun.inf";
inline constexpr const char* kDefaultProgram = "setup.exe";
// The built-in product code that "detect" stands for.
inline constexpr const char* kDetectedProduct = "KOVA";

// The command line's first three blank-separated words; a word in double quotes may hold
// blanks (a program path under "Program Files").
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The argument for the uninstaller when the second word is "3".
std::optional<std::string> UninstallArgument(const std::string& commandLine);

struct Language {
  int index;         // the slot of the texts
  std::string code;  // what "%LANGUAGE%" becomes
};
// "English", "Deutsch", "Français" in any letter case; any other name is English.
Language LanguageNamed(const std::string& name);
// The list entry preselected from the name that the installed Windows gives United States
// English: "Englisch" means a German Windows, "Anglais" a French one.
int PreselectedLanguage(const std::string& englishInWindowsLanguage);

// The first "%PRODUCT%", then the first "%LANGUAGE%", matched in any letter case.
std::string ReplacePlaceholders(std::string text, const std::string& product,
                                const std::string& languageCode);

// How install begins, from what lies in the current folder.
struct Start {
  enum Kind { kRunSetupAtOnce, kScriptMissing, kWizard } kind;
  std::string program;  // for kRunSetupAtOnce
};
Start DecideStart(bool autorunPresent, bool scriptPresent, ProfileStore& script);

// The script's values, with their defaults, as the wizard reads them.
struct InstallScript {
  std::string product;   // "KOVA" for "detect"
  std::string language;  // "prompt" asks on the language page
  bool askLanguage;
  int numberOfDisks;  // 0 hides the copy function
};
InstallScript ReadInstallScript(ProfileStore& script);
// The set-up program's folder and command line, placeholders replaced.
std::string SetupFolder(ProfileStore& script, const std::string& product,
                        const std::string& languageCode);
std::string SetupProgram(ProfileStore& script);
// The source folder of diskette `number` (from 1), placeholders replaced.
std::string DiskFolder(ProfileStore& script, int number, const std::string& product,
                       const std::string& languageCode);

}  // namespace install

#include "install/core/install_script.h"

#include <algorithm>
#include <cstddef>

namespace install {
namespace {

// Letters of the Windows Latin-1 code page folded to lower case, so that "FRANÇAIS" matches.
char Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) {
    return static_cast<char>(u + 0x20);
  }
  return c;
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

std::size_t FindText(const std::string& text, const std::string& what) {
  if (what.size() > text.size()) return std::string::npos;
  for (std::size_t at = 0; at + what.size() <= text.size(); ++at) {
    if (SameText(text.substr(at, what.size()), what)) return at;
  }
  return std::string::npos;
}

void ReplaceFirst(std::string& text, const std::string& placeholder, const std::string& value) {
  const std::size_t at = FindText(text, placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

struct LanguageEntry {
  const char* name;
  const char* code;
};
constexpr LanguageEntry kLanguages[] = {{"English", "ENGLISH"},
                                        {"Deutsch", "GERMAN"},
                                        {"Fran\xE7"
                                         "ais",
                                         "FRENCH"}};

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (words.size() < 3) {
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
    if (at == commandLine.size()) break;
    std::string word;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
      const char c = commandLine[at];
      if (c == '"') {
        quoted = !quoted;
      } else if ((c == ' ' || c == '\t') && !quoted) {
        break;
      } else {
        word += c;
      }
    }
    words.push_back(word);
  }
  return words;
}

std::optional<std::string> UninstallArgument(const std::string& commandLine) {
  const std::vector<std::string> words = SplitCommandLine(commandLine);
  if (words.size() < 2 || words[1] != "3") return std::nullopt;
  return words.size() > 2 ? words[2] : std::string();
}

Language LanguageNamed(const std::string& name) {
  for (int index = 0; index < 3; ++index) {
    if (SameText(name, kLanguages[index].name)) return {index, kLanguages[index].code};
  }
  return {0, kLanguages[0].code};
}

int PreselectedLanguage(const std::string& englishInWindowsLanguage) {
  if (englishInWindowsLanguage == "Englisch") return 1;
  if (englishInWindowsLanguage == "Anglais") return 2;
  return 0;
}

std::string ReplacePlaceholders(std::string text, const std::string& product,
                                const std::string& languageCode) {
  ReplaceFirst(text, "%PRODUCT%", product);
  ReplaceFirst(text, "%LANGUAGE%", languageCode);
  return text;
}

Start DecideStart(bool autorunPresent, bool scriptPresent, ProfileStore& script) {
  if (autorunPresent) return {scriptPresent ? Start::kWizard : Start::kScriptMissing, {}};
  if (!scriptPresent) return {Start::kRunSetupAtOnce, kDefaultProgram};
  return {Start::kRunSetupAtOnce, script.ReadString("Install", "Program", kDefaultProgram, 80)};
}

InstallScript ReadInstallScript(ProfileStore& script) {
  InstallScript values;
  values.product = script.ReadString("Product", "Product", "detect", 80);
  if (SameText(values.product, "detect")) values.product = kDetectedProduct;
  values.language = script.ReadString("Language", "Language", "prompt", 80);
  values.askLanguage = SameText(values.language, "prompt");
  values.numberOfDisks = std::max(ReadProfileInt(script, "Makefloppies", "Numberofdisks", 0), 0);
  return values;
}

std::string SetupFolder(ProfileStore& script, const std::string& product,
                        const std::string& languageCode) {
  return ReplacePlaceholders(script.ReadString("Install", "Path", ".", 120), product, languageCode);
}

std::string SetupProgram(ProfileStore& script) {
  return script.ReadString("Install", "Program", kDefaultProgram, 50);
}

std::string DiskFolder(ProfileStore& script, int number, const std::string& product,
                       const std::string& languageCode) {
  const std::string key = "disk" + std::to_string(number);
  return ReplacePlaceholders(script.ReadString("Makefloppies", key, ".", 120), product,
                             languageCode);
}

}  // namespace install

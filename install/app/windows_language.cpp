#include "install/app/windows_language.h"

#include <windows.h>

#include <string>

#include "install/core/install_script.h"

namespace {

// The first word of the name that the installed Windows gives United States English; empty
// when the locale cannot be read.
std::string EnglishInWindowsLanguage() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Nls\\Locale", 0,
                    KEY_READ, &key) != ERROR_SUCCESS) {
    return {};
  }
  char name[80] = "";
  DWORD size = sizeof(name) - 1;
  DWORD type = 0;
  const bool read = RegQueryValueExA(key, "00000409", nullptr, &type, reinterpret_cast<BYTE*>(name),
                                     &size) == ERROR_SUCCESS &&
                    type == REG_SZ;
  RegCloseKey(key);
  if (!read) return {};
  const std::string text(name);
  return text.substr(0, text.find(' '));
}

}  // namespace

int WindowsLanguageIndex() {
  return install::PreselectedLanguage(EnglishInWindowsLanguage());
}

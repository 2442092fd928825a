#include "common/win32/win32_profile.h"

#include <windows.h>

#include <vector>

std::string Win32Profile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultText, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(), buffer.data(),
                               static_cast<DWORD>(bufferSize), fileName_.c_str());
  return std::string(buffer.data(), length);
}

void Win32Profile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str());
}

void Win32Profile::DeleteKey(const std::string& section, const std::string& key) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}

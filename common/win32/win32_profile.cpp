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

bool Win32Profile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    fileName_.c_str()) != FALSE;
}

void Win32Profile::DeleteKey(const std::string& section, const std::string& key) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}

bool Win32Profile::DeleteSection(const std::string& section) {
  return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()) != FALSE;
}

std::vector<std::string> Win32Profile::ReadKeys(const std::string& section,
                                                std::size_t bufferSize) {
  if (bufferSize < 2) return {};
  std::vector<char> buffer(bufferSize, '\0');
  const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                static_cast<DWORD>(bufferSize), fileName_.c_str());
  // The names, each ended by a zero within the length; a name the buffer cut has its zero
  // beyond it and is left out.
  std::vector<std::string> keys;
  std::size_t start = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (buffer[i] != '\0') continue;
    keys.emplace_back(buffer.data() + start, i - start);
    start = i + 1;
  }
  return keys;
}

#include "common/win32/win32_registry.h"

#include <windows.h>

#include <vector>

namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::DynData:
      return HKEY_DYN_DATA;
    case RegRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

HKEY AsKey(RegistryApi::Handle key) {
  return reinterpret_cast<HKEY>(key);
}

}  // namespace

long Win32Registry::OpenKey(RegRoot root, const std::string& path, RegAccess access, Handle* key) {
  HKEY opened = nullptr;
  const REGSAM rights = access == RegAccess::ReadWrite ? KEY_READ | KEY_SET_VALUE : KEY_READ;
  const long result = RegOpenKeyExA(RootKey(root), path.c_str(), 0, rights, &opened);
  *key = reinterpret_cast<Handle>(opened);
  return result;
}

long Win32Registry::CreateKey(RegRoot root, const std::string& path, Handle* key) {
  HKEY created = nullptr;
  const long result = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &created, nullptr);
  *key = reinterpret_cast<Handle>(created);
  return result;
}

long Win32Registry::DeleteKey(RegRoot root, const std::string& path) {
  return RegDeleteKeyA(RootKey(root), path.c_str());
}

long Win32Registry::CloseKey(Handle key) {
  return RegCloseKey(AsKey(key));
}

long Win32Registry::QueryInfo(Handle key) {
  if (key == 0) return ERROR_INVALID_HANDLE;
  return RegQueryInfoKeyA(AsKey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr);
}

long Win32Registry::QueryString(Handle key, const std::string& name, std::string* value) {
  DWORD size = 0;
  long result = RegQueryValueExA(AsKey(key), name.c_str(), nullptr, nullptr, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  std::vector<char> buffer(size + 1, '\0');
  result = RegQueryValueExA(AsKey(key), name.c_str(), nullptr, nullptr,
                            reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (result == ERROR_SUCCESS) *value = buffer.data();
  return result;
}

long Win32Registry::SetString(Handle key, const std::string& name, const std::string& value) {
  return RegSetValueExA(AsKey(key), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
}

long Win32Registry::EnumSubkey(Handle key, std::uint32_t index, std::size_t bufferSize,
                               std::string* name) {
  std::vector<char> buffer(bufferSize + 1, '\0');
  DWORD length = static_cast<DWORD>(bufferSize);
  const long result =
      RegEnumKeyExA(AsKey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) *name = buffer.data();
  return result;
}

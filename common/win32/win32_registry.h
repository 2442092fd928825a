#pragma once
// RegistryApi over the Win32 registry functions.

#include "common/store/registry_api.h"

class Win32Registry : public RegistryApi {
 public:
  long OpenKey(RegRoot root, const std::string& path, RegAccess access, Handle* key) override;
  long CreateKey(RegRoot root, const std::string& path, Handle* key) override;
  long DeleteKey(RegRoot root, const std::string& path) override;
  long CloseKey(Handle key) override;
  long QueryInfo(Handle key) override;
  long QueryString(Handle key, const std::string& name, std::string* value) override;
  long SetString(Handle key, const std::string& name, const std::string& value) override;
  long EnumSubkey(Handle key, std::uint32_t index, std::size_t bufferSize,
                  std::string* name) override;
};

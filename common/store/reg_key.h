#pragma once
// One open registry key and the root it was opened under. Reads on a key that failed to open
// leave the caller's text unchanged; a read of a missing value creates it empty, where the key
// may be written.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/store/registry_api.h"

class RegKey {
 public:
  explicit RegKey(RegistryApi& api) : api_(api) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { Close(); }

  void SetRoot(RegRoot root) { root_ = root; }
  long Open(const std::string& path);
  long Create(const std::string& path);
  long Delete(const std::string& path);
  // Reads into `value` at most bufferSize - 1 characters.
  void ReadString(const std::string& name, std::string& value, std::size_t bufferSize);
  void WriteString(const std::string& name, const std::string& value);
  long EnumSubkey(std::uint32_t index, std::size_t bufferSize, std::string* name);
  void Close();

 private:
  long Replace(long result, RegistryApi::Handle handle);

  RegistryApi& api_;
  RegRoot root_ = RegRoot::LocalMachine;
  RegistryApi::Handle key_ = 0;
};

// A string value written at once, its key created as needed; nothing when the key cannot be.
void WriteRegistryString(RegistryApi& api, RegRoot root, const std::string& path,
                         const std::string& name, const std::string& text);
// A string value read without side effects; empty when the key or the value is missing.
std::string ReadRegistryString(RegistryApi& api, RegRoot root, const std::string& path,
                               const std::string& name);

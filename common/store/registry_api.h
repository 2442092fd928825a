#pragma once
// The few registry calls the suite makes, so that the rules built on them can be tested without
// Windows. Result codes are the Win32 error codes.

#include <cstddef>
#include <cstdint>
#include <string>

enum class RegRoot { DynData, LocalMachine, CurrentUser };
// What a key is opened for; Windows NT and Wine refuse a write through a key opened for reading.
enum class RegAccess { Read, ReadWrite };

namespace reg {
constexpr long kOk = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
}  // namespace reg

class RegistryApi {
 public:
  using Handle = std::uintptr_t;

  virtual ~RegistryApi() = default;

  virtual long OpenKey(RegRoot root, const std::string& path, RegAccess access, Handle* key) = 0;
  // Opened for reading and writing.
  virtual long CreateKey(RegRoot root, const std::string& path, Handle* key) = 0;
  virtual long DeleteKey(RegRoot root, const std::string& path) = 0;
  virtual long CloseKey(Handle key) = 0;
  // RegQueryInfoKeyA: whether the handle names an open key.
  virtual long QueryInfo(Handle key) = 0;
  // The whole string value, however long; the caller cuts it to its buffer.
  virtual long QueryString(Handle key, const std::string& name, std::string* value) = 0;
  virtual long SetString(Handle key, const std::string& name, const std::string& value) = 0;
  // Name of subkey `index`, cut to bufferSize - 1 characters.
  virtual long EnumSubkey(Handle key, std::uint32_t index, std::size_t bufferSize,
                          std::string* name) = 0;
};

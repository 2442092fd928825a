#pragma once
// A profile file ("system.ini", "machine.ini", ...) as the suite reads and writes it.

#include <cstddef>
#include <string>
#include <vector>

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The key's text, or defaultText when the key is absent; cut to bufferSize - 1 characters,
  // as the profile functions do with a buffer of that size.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultText, std::size_t bufferSize) = 0;
  // False when the file could not be written.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& key) = 0;
  virtual bool DeleteSection(const std::string& section) = 0;
  // The section's key names in file order, as read into a buffer of bufferSize characters:
  // names that do not fit whole are left out.
  virtual std::vector<std::string> ReadKeys(const std::string& section, std::size_t bufferSize) = 0;
};

// An integer key as GetPrivateProfileIntA reads it (text::ProfileInt): `defaultValue` when the
// key is absent or empty.
int ReadProfileInt(ProfileStore& file, const std::string& section, const std::string& key,
                   int defaultValue);

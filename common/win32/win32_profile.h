#pragma once
// ProfileStore over the Win32 profile functions. A bare file name ("system.ini") means the file
// in the Windows folder, as it does for the functions themselves.

#include <string>

#include "common/store/profile_store.h"

class Win32Profile : public ProfileStore {
 public:
  explicit Win32Profile(std::string fileName) : fileName_(std::move(fileName)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultText, std::size_t bufferSize) override;
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void DeleteKey(const std::string& section, const std::string& key) override;
  bool DeleteSection(const std::string& section) override;
  std::vector<std::string> ReadKeys(const std::string& section, std::size_t bufferSize) override;

 private:
  std::string fileName_;
};

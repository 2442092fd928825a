#pragma once
// In-memory stand-ins for a profile file and the registry, with the behaviour of the Win32
// functions the suite relies on (buffer cuts, case-insensitive key names, enumeration order).

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/store/profile_store.h"
#include "common/store/registry_api.h"

inline std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

class MemoryProfile : public ProfileStore {
 public:
  // As GetPrivateProfileStringA: the value without the blanks around it and without quotes
  // that enclose it, the default without its trailing blanks, cut to the buffer.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultText, std::size_t bufferSize) override {
    if (bufferSize == 0) return {};
    const std::string* value = Find(section, key);
    std::string text = value == nullptr ? defaultText : Unquoted(Trimmed(*value));
    if (value == nullptr) text.erase(text.find_last_not_of(' ') + 1);
    return text.substr(0, bufferSize - 1);
  }
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (readOnly) return false;
    if (std::string* existing = Find(section, key)) {
      *existing = value;
    } else {
      SectionNamed(section, true)->keys.push_back({key, value});
    }
    return true;
  }
  void DeleteKey(const std::string& section, const std::string& key) override {
    if (Section* found = SectionNamed(section, false)) {
      auto& keys = found->keys;
      keys.erase(
          std::remove_if(keys.begin(), keys.end(),
                         [&](const auto& entry) { return Lower(entry.first) == Lower(key); }),
          keys.end());
    }
  }
  bool DeleteSection(const std::string& section) override {
    if (readOnly) return false;
    sections_.erase(
        std::remove_if(sections_.begin(), sections_.end(),
                       [&](const Section& s) { return Lower(s.name) == Lower(section); }),
        sections_.end());
    return true;
  }
  std::vector<std::string> ReadKeys(const std::string& section, std::size_t bufferSize) override {
    std::vector<std::string> names;
    std::size_t used = 0;
    if (Section* found = SectionNamed(section, false)) {
      for (const auto& entry : found->keys) {
        used += entry.first.size() + 1;
        if (used + 1 > bufferSize) break;
        names.push_back(entry.first);
      }
    }
    return names;
  }
  bool Has(const std::string& section, const std::string& key) const {
    return const_cast<MemoryProfile*>(this)->Find(section, key) != nullptr;
  }
  std::string Value(const std::string& section, const std::string& key) const {
    const std::string* value = const_cast<MemoryProfile*>(this)->Find(section, key);
    return value == nullptr ? "<absent>" : *value;
  }
  bool HasSection(const std::string& section) const {
    return const_cast<MemoryProfile*>(this)->SectionNamed(section, false) != nullptr;
  }
  struct Entry {
    std::string section, key, value;
  };
  // Every key of every section, in file order.
  std::vector<Entry> Entries() const {
    std::vector<Entry> entries;
    for (const Section& section : sections_) {
      for (const auto& [key, value] : section.keys) entries.push_back({section.name, key, value});
    }
    return entries;
  }

  // Every write fails, as on a file that cannot be written.
  bool readOnly = false;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
  };
  Section* SectionNamed(const std::string& name, bool create) {
    for (Section& section : sections_) {
      if (Lower(section.name) == Lower(name)) return &section;
    }
    if (!create) return nullptr;
    sections_.push_back({name, {}});
    return &sections_.back();
  }
  static std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
  }
  static std::string Unquoted(const std::string& text) {
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    return quoted ? text.substr(1, text.size() - 2) : text;
  }
  // Key names match in any letter case and without the blanks around them.
  std::string* Find(const std::string& section, const std::string& key) {
    Section* found = SectionNamed(section, false);
    if (found == nullptr) return nullptr;
    for (auto& entry : found->keys) {
      if (Lower(Trimmed(entry.first)) == Lower(Trimmed(key))) return &entry.second;
    }
    return nullptr;
  }

  std::vector<Section> sections_;
};

class MemoryRegistry : public RegistryApi {
 public:
  // Test set-up: a key with one value, its parents created as needed.
  void Put(RegRoot root, const std::string& path, const std::string& name,
           const std::string& value) {
    keys_[Path(root, path)][Lower(name)] = value;
  }
  bool HasValue(RegRoot root, const std::string& path, const std::string& name) const {
    const auto key = keys_.find(Path(root, path));
    return key != keys_.end() && key->second.count(Lower(name)) != 0;
  }
  std::string Value(RegRoot root, const std::string& path, const std::string& name) const {
    return keys_.at(Path(root, path)).at(Lower(name));
  }
  std::size_t ValueCount(RegRoot root, const std::string& path) const {
    const auto key = keys_.find(Path(root, path));
    return key == keys_.end() ? 0 : key->second.size();
  }
  bool HasKey(RegRoot root, const std::string& path) const {
    return keys_.count(Path(root, path)) != 0;
  }

  long OpenKey(RegRoot root, const std::string& path, RegAccess access, Handle* key) override {
    if (!HasKey(root, path) && !HasChildren(Path(root, path))) return reg::kFileNotFound;
    if (access == RegAccess::ReadWrite && readOnlyRoots.count(root)) return reg::kAccessDenied;
    *key = ++lastHandle_;
    open_[*key] = {Path(root, path), access};
    return reg::kOk;
  }
  long CreateKey(RegRoot root, const std::string& path, Handle* key) override {
    if (readOnlyRoots.count(root)) return reg::kAccessDenied;
    keys_[Path(root, path)];
    return OpenKey(root, path, RegAccess::ReadWrite, key);
  }
  long DeleteKey(RegRoot root, const std::string& path) override {
    return keys_.erase(Path(root, path)) ? reg::kOk : reg::kFileNotFound;
  }
  long CloseKey(Handle key) override { return open_.erase(key) ? reg::kOk : reg::kInvalidHandle; }
  long QueryInfo(Handle key) override { return open_.count(key) ? reg::kOk : reg::kInvalidHandle; }
  long QueryString(Handle key, const std::string& name, std::string* value) override {
    if (!open_.count(key)) return reg::kInvalidHandle;
    const auto& values = keys_[open_[key].path];
    const auto found = values.find(Lower(name));
    if (found == values.end()) return reg::kFileNotFound;
    if (growingValues.count(Lower(name))) return reg::kMoreData;
    *value = found->second;
    return reg::kOk;
  }
  // As Windows NT and Wine: a key opened for reading refuses the write.
  long SetString(Handle key, const std::string& name, const std::string& value) override {
    if (!open_.count(key)) return reg::kInvalidHandle;
    if (open_[key].access != RegAccess::ReadWrite) return reg::kAccessDenied;
    keys_[open_[key].path][Lower(name)] = value;
    return reg::kOk;
  }
  long EnumSubkey(Handle key, std::uint32_t index, std::size_t bufferSize,
                  std::string* name) override {
    if (!open_.count(key)) return reg::kInvalidHandle;
    const std::string prefix = open_[key].path + "\\";
    std::map<std::string, bool> children;
    for (const auto& entry : keys_) {
      if (entry.first.rfind(prefix, 0) != 0) continue;
      const std::string rest = entry.first.substr(prefix.size());
      children[rest.substr(0, rest.find('\\'))] = true;
    }
    if (index >= children.size()) return reg::kNoMoreItems;
    const std::string child = std::next(children.begin(), index)->first;
    if (child.size() >= bufferSize) return reg::kMoreData;
    *name = child;
    return reg::kOk;
  }

  int OpenCount() const { return static_cast<int>(open_.size()); }
  // Roots under which no key may be opened for writing, as for a user without the right.
  std::set<RegRoot> readOnlyRoots;
  // Values (in lower case) that another program makes longer between the size query and the
  // read: their reads answer ERROR_MORE_DATA.
  std::set<std::string> growingValues;

 private:
  static std::string Path(RegRoot root, const std::string& path) {
    const char* rootName = root == RegRoot::DynData       ? "dyn\\"
                           : root == RegRoot::CurrentUser ? "hkcu\\"
                                                          : "hklm\\";
    return rootName + Lower(path);
  }
  bool HasChildren(const std::string& path) const {
    const auto next = keys_.lower_bound(path + "\\");
    return next != keys_.end() && next->first.rfind(path + "\\", 0) == 0;
  }

  std::map<std::string, std::map<std::string, std::string>> keys_;
  struct OpenKeyEntry {
    std::string path;
    RegAccess access;
  };
  std::map<Handle, OpenKeyEntry> open_;
  Handle lastHandle_ = 0;
};

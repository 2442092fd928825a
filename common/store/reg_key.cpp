#include "common/store/reg_key.h"

long RegKey::Replace(long result, RegistryApi::Handle handle) {
  Close();
  if (result == reg::kOk) key_ = handle;
  return result;
}

long RegKey::Open(const std::string& path) {
  RegistryApi::Handle handle = 0;
  // Its reads create missing values, which Windows 95 allowed through a key opened for
  // reading; Windows NT and Wine need the right to write asked for, where it is granted.
  long result = api_.OpenKey(root_, path, RegAccess::ReadWrite, &handle);
  if (result == reg::kAccessDenied) result = api_.OpenKey(root_, path, RegAccess::Read, &handle);
  return Replace(result, handle);
}

long RegKey::Create(const std::string& path) {
  RegistryApi::Handle handle = 0;
  const long result = api_.CreateKey(root_, path, &handle);
  return Replace(result, handle);
}

long RegKey::Delete(const std::string& path) {
  return api_.DeleteKey(root_, path);
}

void RegKey::ReadString(const std::string& name, std::string& value, std::size_t bufferSize) {
  if (bufferSize == 0 || api_.QueryInfo(key_) != reg::kOk) return;
  std::string stored;
  const long result = api_.QueryString(key_, name, &stored);
  // Only a missing value is created; one that could not be read is left as it is.
  if (result == reg::kFileNotFound) {
    api_.SetString(key_, name, "");
    if (api_.QueryString(key_, name, &stored) != reg::kOk) return;
  } else if (result != reg::kOk) {
    return;
  }
  value = stored.substr(0, bufferSize - 1);
}

void RegKey::WriteString(const std::string& name, const std::string& value) {
  if (api_.QueryInfo(key_) != reg::kOk) return;
  api_.SetString(key_, name, value);
}

long RegKey::EnumSubkey(std::uint32_t index, std::size_t bufferSize, std::string* name) {
  return api_.EnumSubkey(key_, index, bufferSize, name);
}

void RegKey::Close() {
  if (key_ != 0) api_.CloseKey(key_);
  key_ = 0;
}

void WriteRegistryString(RegistryApi& api, RegRoot root, const std::string& path,
                         const std::string& name, const std::string& text) {
  RegKey key(api);
  key.SetRoot(root);
  if (key.Create(path) == reg::kOk) key.WriteString(name, text);
}

std::string ReadRegistryString(RegistryApi& api, RegRoot root, const std::string& path,
                               const std::string& name) {
  RegistryApi::Handle key = 0;
  std::string text;
  if (api.OpenKey(root, path, RegAccess::Read, &key) != reg::kOk) return {};
  api.QueryString(key, name, &text);
  api.CloseKey(key);
  return text;
}

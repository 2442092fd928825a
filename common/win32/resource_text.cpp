#include "common/win32/resource_text.h"

std::string ResourceText(UINT id) {
  char text[512] = "";
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
  return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string ResourceText(UINT id, const std::vector<std::string>& inserts) {
  std::vector<DWORD_PTR> arguments;
  for (const std::string& insert : inserts) {
    arguments.push_back(reinterpret_cast<DWORD_PTR>(insert.c_str()));
  }
  char* filled = nullptr;
  const std::string format = ResourceText(id);
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
      format.c_str(), 0, 0, reinterpret_cast<char*>(&filled), 0,
      reinterpret_cast<va_list*>(arguments.data()));
  if (length == 0) return format;
  const std::string text(filled, length);
  LocalFree(filled);
  return text;
}

#include "common/win32/resource_text.h"

std::string ResourceText(UINT id) {
  char text[512] = "";
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
  return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

#include "common/win32/list_box.h"

std::string LineText(HWND list, int line) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::vector<int> SelectedLines(HWND list) {
  const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> lines(static_cast<std::size_t>(count));
  const LRESULT got =
      SendMessageA(list, LB_GETSELITEMS, lines.size(), reinterpret_cast<LPARAM>(lines.data()));
  lines.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return lines;
}

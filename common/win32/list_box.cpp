#include "common/win32/list_box.h"

std::vector<int> SelectedLines(HWND list) {
  const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> lines(static_cast<std::size_t>(count));
  const LRESULT got =
      SendMessageA(list, LB_GETSELITEMS, lines.size(), reinterpret_cast<LPARAM>(lines.data()));
  lines.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return lines;
}

#include "vistrel/core/hot_keys.h"

namespace {

std::vector<HotKeyName> BuildTable() {
  std::vector<HotKeyName> table{{0, "(none)"}};
  for (int i = 1; i <= 12; ++i) table.push_back({0x6F + i, "F" + std::to_string(i)});
  for (char letter = 'A'; letter <= 'Z'; ++letter) table.push_back({letter, {letter}});
  for (char digit = '0'; digit <= '9'; ++digit) table.push_back({digit, {digit}});
  for (int i = 0; i <= 9; ++i) table.push_back({0x60 + i, "Numeric keypad " + std::to_string(i)});
  const HotKeyName named[] = {
      {0x08, "Backspace"},
      {0x09, "Tab"},
      {0x0D, "Enter"},
      {0x1B, "Esc"},
      {0x20, "Spacebar"},
      {0x21, "Page Up(PgUp)"},
      {0x22, "Page Down(PgDn)"},
      {0x23, "End"},
      {0x24, "Home"},
      {0x25, "Left Arrow"},
      {0x27, "Right Arrow"},
      {0x26, "Up Arrow"},
      {0x28, "Down Arrow"},
      {0x2D, "Insert(Ins)"},
      {0x2E, "Delete(Del)"},
      {0x6B, "+"},
      {0x6D, "-"},
      {0x6A, "*"},
      {0x6F, "/"},
  };
  table.insert(table.end(), std::begin(named), std::end(named));
  return table;
}

}  // namespace

const std::vector<HotKeyName>& HotKeyTable() {
  static const std::vector<HotKeyName> table = BuildTable();
  return table;
}

int HotKeyEntryOf(int value) {
  const auto& table = HotKeyTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].code == (value & 0xFF)) return static_cast<int>(i);
  }
  return 0;
}

int HotKeyValue(int entry, bool shift, bool ctrl, bool alt) {
  const auto& table = HotKeyTable();
  const bool inTable = entry >= 0 && static_cast<std::size_t>(entry) < table.size();
  return (inTable ? table[static_cast<std::size_t>(entry)].code : 0) |
         (shift ? settings::kHotKeyShift : 0) | (ctrl ? settings::kHotKeyCtrl : 0) |
         (alt ? settings::kHotKeyAlt : 0);
}

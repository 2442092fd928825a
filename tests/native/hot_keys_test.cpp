#include <gtest/gtest.h>

#include <set>
#include <string>

#include "vistrel/core/hot_keys.h"

namespace {

TEST(HotKeyTableTest, SeventyEightKeysInTheDialogsOrder) {
  const auto& table = HotKeyTable();
  ASSERT_EQ(table.size(), 78u);
  EXPECT_EQ(table[0].name, "(none)");
  EXPECT_EQ(table[0].code, 0);
  EXPECT_EQ(table[12].name, "F12");
  EXPECT_EQ(table[12].code, 0x7B);
  EXPECT_EQ(table[13].name, "A");
  EXPECT_EQ(table[39].name, "0");
  EXPECT_EQ(table[49].name, "Numeric keypad 0");
  EXPECT_EQ(table[58].code, 0x69);
  EXPECT_EQ(table[59].name, "Backspace");
  EXPECT_EQ(table[69].name, "Right Arrow");
  EXPECT_EQ(table[69].code, 0x27);
  EXPECT_EQ(table[77].name, "/");
  EXPECT_EQ(table[77].code, 0x6F);
  std::set<int> codes;
  for (const auto& key : table) codes.insert(key.code);
  EXPECT_EQ(codes.size(), 78u);
}

TEST(HotKeyValueTest, StoredValuesOpenAtTheirEntryWithModifiers) {
  EXPECT_EQ(HotKeyEntryOf(0x37B), 12);        // Shift+Ctrl+F12
  EXPECT_EQ(HotKeyEntryOf(0x13 | 0x100), 0);  // a key not in the table
  EXPECT_EQ(HotKeyEntryOf(0), 0);
  EXPECT_EQ(HotKeyEntryOf('P' | 0x400), 13 + ('P' - 'A'));
}

TEST(HotKeyValueTest, EntriesAndModifiersMakeTheValue) {
  EXPECT_EQ(HotKeyValue(12, true, true, false), 891);
  EXPECT_EQ(HotKeyValue(0, false, false, false), 0);
  EXPECT_EQ(HotKeyValue(0, true, false, true), 0x500);
  // No selected item (typed text): the modifiers only.
  EXPECT_EQ(HotKeyValue(-1, false, true, false), 0x200);
  EXPECT_EQ(HotKeyValue(78, true, false, false), 0x100);
}

}  // namespace

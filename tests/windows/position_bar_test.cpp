// Sonavo's position bar as the deck drives it: a position as wide as a long file's.

#include <windows.h>

#include <gtest/gtest.h>

#include "sonavo/app/position_bar.h"

namespace {

// A file of two hours in tenths of a second, or of 100,000 frames: past 16 bits.
TEST(PositionBarTest, APositionPastSixteenBitsIsKeptWhole) {
  ASSERT_TRUE(RegisterPositionBarClass(GetModuleHandleA(nullptr), LoadCursor(nullptr, IDC_ARROW)));
  HWND bar = CreateWindowExA(0, kPositionBarClass, "", WS_POPUP, 0, 0, 200, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(bar, nullptr);
  SendMessageA(bar, kBarSetMax, 0, 100000);
  SendMessageA(bar, kBarSetPos, 0, 72000);
  EXPECT_EQ(SendMessageA(bar, kBarGetPos, 0, 0), 72000);
  SendMessageA(bar, kBarSetMax, 0, 70000);  // a shorter file: the position lowered to its end
  EXPECT_EQ(SendMessageA(bar, kBarGetPos, 0, 0), 70000);
  DestroyWindow(bar);
}

}  // namespace

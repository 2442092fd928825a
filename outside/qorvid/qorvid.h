#pragma once
// QORVID.DLL: keeps the last value of each item where every process that loads it can read it
// (item 6: the magnifier hot key's modifiers, item 7: its key code). Exported by ordinal only.

#include <windows.h>

extern "C" {
// Ordinal 4.
int WINAPI QorvidSetItem(int item, int value);
// Ordinal 5: the last value of the item, 0 before any.
int WINAPI QorvidGetItem(int item);
}

#pragma once
// The keys the hot key dialog offers, and the hot-key value: the virtual-key code in bits 0-7
// plus 0x100 Shift, 0x200 Ctrl, 0x400 Alt; 0 is no hot key.

#include <string>
#include <vector>

#include "common/settings/marovane_settings.h"

struct HotKeyName {
  int code;
  std::string name;
};

// The 78 keys in the order the dialog lists them, "(none)" first.
const std::vector<HotKeyName>& HotKeyTable();

// The first entry whose code is the value's bits 0-7; 0 ("(none)") when none is.
int HotKeyEntryOf(int value);

// The value of a table entry with its modifiers; an entry outside the table (text typed into
// the field, no item selected) counts as no key, so only the modifiers are kept.
int HotKeyValue(int entry, bool shift, bool ctrl, bool alt);

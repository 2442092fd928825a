#include "peekwell/core/deck_press.h"

namespace peekwell {

void DeckPress::Press(int area) {
  held_ = area >= kFirstActing ? area : 0;
  inside_ = held_ != 0;
}

bool DeckPress::Move(int area) {
  const bool inside = held_ != 0 && area == held_;
  const bool changed = inside != inside_;
  inside_ = inside;
  return changed;
}

int DeckPress::Release(int area) {
  const int acting = held_ != 0 && area == held_ ? held_ : 0;
  held_ = 0;
  inside_ = false;
  return acting;
}

}  // namespace peekwell

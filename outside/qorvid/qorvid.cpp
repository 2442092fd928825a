#include "outside/qorvid/qorvid.h"

namespace {

constexpr int kItems = 16;

}  // namespace

// One copy for all processes.
__attribute__((section(".shr"), shared)) int sharedItems[kItems] = {0};

extern "C" {

int WINAPI QorvidSetItem(int item, int value) {
  if (item < 0 || item >= kItems) return 0;
  sharedItems[item] = value;
  return 1;
}

int WINAPI QorvidGetItem(int item) {
  return item >= 0 && item < kItems ? sharedItems[item] : 0;
}

}  // extern "C"

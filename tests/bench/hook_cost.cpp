// The cost of Latchwin's hooks on the events they let pass, in instructions, built natively and
// counted by callgrind (scripts/bench-hooks). Each procedure below has the shape of its hook in
// LATCHWIN.DLL around the same tests; the next hook in the chain is common to all of them.

#include <cstdint>
#include <cstdio>

#include "latchwin/core/hook_logic.h"

namespace {

constexpr int kCalls = 1000000;
constexpr std::uint32_t kShowWindow = 0x0018;

// CWPRETSTRUCT's five fields.
struct MessageRecord {
  std::intptr_t result;
  std::intptr_t lParam;
  std::uintptr_t wParam;
  std::uint32_t message;
  latchwin::Handle window;
};

latchwin::SharedParameters parameters{};
volatile long centred = 0;
volatile long commands = 0;

__attribute__((noipa)) long NextHook(int code, std::uintptr_t, std::intptr_t) {
  return code;
}

__attribute__((noipa)) void CentreTaskSwitchWindow() {
  centred = centred + 1;
}

__attribute__((noipa)) std::uint32_t CurrentModifiers() {
  return settings::kHotKeyCtrl | settings::kHotKeyAlt;
}

}  // namespace

extern "C" {

__attribute__((noipa)) long EmptyHook(int code, std::uintptr_t wParam, std::intptr_t lParam) {
  return NextHook(code, wParam, lParam);
}

__attribute__((noipa)) long CallWndRetHook(int code, std::uintptr_t wParam, std::intptr_t lParam) {
  if (code == 0) {
    const MessageRecord record = *reinterpret_cast<const MessageRecord*>(lParam);
    if (latchwin::ShowsTaskSwitchWindow(parameters, record.window, record.message)) {
      CentreTaskSwitchWindow();
    }
  }
  return NextHook(code, wParam, lParam);
}

__attribute__((noipa)) long KeyboardHook(int code, std::uintptr_t wParam, std::intptr_t lParam) {
  const auto key = static_cast<std::uint32_t>(wParam);
  if (latchwin::IsFirstKeyDown(code, static_cast<std::uint32_t>(lParam)) &&
      latchwin::MayBeHotKey(parameters, key)) {
    const int command = latchwin::HotKeyCommand(parameters, key, CurrentModifiers());
    if (command != 0) {
      commands = commands + 1;
      return 1;
    }
  }
  return NextHook(code, wParam, lParam);
}

}  // extern "C"

int main() {
  parameters.taskSwitchWindow = 0x20044;
  latchwin::SetParameter(parameters, 1, settings::kHotKeyCtrl | settings::kHotKeyAlt);
  latchwin::SetParameter(parameters, 2, 'V');
  latchwin::SetParameter(parameters, 3, settings::kHotKeyCtrl | settings::kHotKeyAlt);
  latchwin::SetParameter(parameters, 4, 'P');
  // Messages to other windows, and a key that is no hot key.
  MessageRecord record{0, 0, 0, kShowWindow, 0x30066};
  long sum = 0;
  for (int call = 0; call < kCalls; ++call) {
    sum += EmptyHook(0, 0, reinterpret_cast<std::intptr_t>(&record));
    sum += CallWndRetHook(0, 0, reinterpret_cast<std::intptr_t>(&record));
    sum += KeyboardHook(0, 'A', 0x001E0001);
  }
  std::printf("%d calls of each hook (%ld, %ld, %ld)\n", kCalls, sum, centred, commands);
  return centred == 0 && commands == 0 ? 0 : 1;
}

// LATCHWIN.DLL: system-wide hooks that keep new dialogs and chosen windows inside the panned
// viewport and report the two hot keys to Trayvel. Loaded into every process that has a hooked
// event, so everything the hooks read lives in one block that all processes share.

#include "latchwin/dll/latchwin.h"

#include "latchwin/core/hook_logic.h"
#include "machine/win32/system.h"

// One copy of the marked data for every process that loads the library.
#if defined(__GNUC__)
#define LATCHWIN_SHARED __attribute__((section(".shr"), shared))
#else
#pragma section(".shr", read, write, shared)
#define LATCHWIN_SHARED __declspec(allocate(".shr"))
#endif

LATCHWIN_SHARED latchwin::SharedParameters sharedParameters = {};

namespace {

using latchwin::Handle;

// Bounded: a Trayvel that hangs must not freeze the program the user types into.
constexpr UINT kCommandTimeoutMs = 5000;

// This process's own handle of the library; the shared one is whichever process attached last,
// and a library mapped at another address there would not do for SetWindowsHookExA here.
HINSTANCE thisModule = nullptr;

template <typename T>
T As(Handle handle) {
  return reinterpret_cast<T>(handle);
}

template <typename T>
Handle HandleOf(T handle) {
  return reinterpret_cast<Handle>(handle);
}

RECT CentreInViewport(const RECT& rect, bool force) {
  machine::DirectPorts ports;
  HDC screen = GetDC(nullptr);
  const int bits = machine::GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  const latchwin::Rect centred =
      latchwin::CentreInViewport({rect.left, rect.top, rect.right, rect.bottom}, force,
                                 latchwin::ReadViewportOrigin(ports, bits),
                                 sharedParameters.viewportWidth, sharedParameters.viewportHeight);
  return {centred.left, centred.top, centred.right, centred.bottom};
}

void CentreWindow(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return;
  const RECT centred = CentreInViewport(rect, true);
  SetWindowPos(window, nullptr, centred.left, centred.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
}

// Shift, Ctrl and Alt as they are now, left and right alike.
std::uint32_t CurrentModifiers() {
  std::uint32_t modifiers = 0;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers |= settings::kHotKeyShift;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers |= settings::kHotKeyCtrl;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) modifiers |= settings::kHotKeyAlt;
  return modifiers;
}

int Switch(Handle& stored, int on, int hookType, HOOKPROC procedure) {
  latchwin::SwitchHook(
      stored, on != 0,
      [&] { return HandleOf(SetWindowsHookExA(hookType, procedure, thisModule, 0)); },
      [](Handle hook) { UnhookWindowsHookEx(As<HHOOK>(hook)); });
  return 1;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
    DisableThreadLibraryCalls(instance);
    sharedParameters.moduleHandle = HandleOf(instance);
    sharedParameters.taskSwitchWindow = HandleOf(FindWindowA("#32771", nullptr));
  }
  return TRUE;
}

extern "C" {

void WINAPI SetDllParms(DWORD index, DWORD value) {
  latchwin::SetParameter(sharedParameters, index, value);
}

int WINAPI InstallPopupFilter(int on) {
  return Switch(sharedParameters.popupHook, on, WH_CBT, CbtFunc);
}

int WINAPI InstallPanLockFilter(int on) {
  return Switch(sharedParameters.keyboardHook, on, WH_KEYBOARD, KeyboardFunc);
}

int WINAPI InstallShellHook(int on) {
  return Switch(sharedParameters.shellHook, on, WH_SHELL, ShellFunc);
}

int WINAPI InstallCallWndRetHook(int on) {
  return Switch(sharedParameters.callWndRetHook, on, WH_CALLWNDPROCRET, CallWndRetFunc);
}

// New dialog boxes: moved into the viewport unless they open wholly inside it.
LRESULT CALLBACK CbtFunc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    char className[80] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof(className));
    if (latchwin::IsDialogClass(className)) {
      CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      const RECT centred =
          CentreInViewport({create.x, create.y, create.x + create.cx, create.y + create.cy}, false);
      create.x = centred.left;
      create.y = centred.top;
    }
  }
  return CallNextHookEx(As<HHOOK>(sharedParameters.popupHook), code, wParam, lParam);
}

// New top-level windows: Vistrel, the status window and, when asked, every window without a
// parent, but never a DOS box.
LRESULT CALLBACK ShellFunc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HSHELL_WINDOWCREATED) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char shortCaption[19] = "";
    GetWindowTextA(window, shortCaption, sizeof(shortCaption));
    if (!latchwin::IsDosBox(shortCaption)) {
      char caption[80] = "";
      GetWindowTextA(window, caption, sizeof(caption));
      if (latchwin::IsAlwaysCentred(caption) ||
          (sharedParameters.centreTopLevel && GetParent(window) == nullptr)) {
        CentreWindow(window);
      }
    }
  }
  return CallNextHookEx(As<HHOOK>(sharedParameters.shellHook), code, wParam, lParam);
}

// The task-switch window, shown or hidden, is centred.
LRESULT CALLBACK CallWndRetFunc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPRETSTRUCT record = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (latchwin::ShowsTaskSwitchWindow(sharedParameters, HandleOf(record.hwnd), record.message)) {
      RECT rect{};
      GetWindowRect(record.hwnd, &rect);
      const RECT centred = CentreInViewport(rect, true);
      MoveWindow(record.hwnd, centred.left, centred.top, rect.right - rect.left,
                 rect.bottom - rect.top, TRUE);
    }
  }
  return CallNextHookEx(As<HHOOK>(sharedParameters.callWndRetHook), code, wParam, lParam);
}

// The hot keys: only the first key-down is consumed; its key-up and repeats pass.
LRESULT CALLBACK KeyboardFunc(int code, WPARAM wParam, LPARAM lParam) {
  const auto key = static_cast<std::uint32_t>(wParam);
  if (latchwin::IsFirstKeyDown(code, static_cast<std::uint32_t>(lParam)) &&
      latchwin::MayBeHotKey(sharedParameters, key)) {
    const int command = latchwin::HotKeyCommand(sharedParameters, key, CurrentModifiers());
    if (command != 0) {
      SendMessageTimeoutA(As<HWND>(sharedParameters.commandWindow), WM_COMMAND,
                          static_cast<WPARAM>(command), 0, SMTO_ABORTIFHUNG, kCommandTimeoutMs,
                          nullptr);
      return 1;
    }
  }
  return CallNextHookEx(As<HHOOK>(sharedParameters.keyboardHook), code, wParam, lParam);
}

}  // extern "C"

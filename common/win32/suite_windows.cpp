#include "common/win32/suite_windows.h"

#include "common/interop/suite_names.h"

HWND FindSuiteWindow(const char* className, std::optional<std::uintptr_t> device) {
  struct Search {
    const char* className;
    std::optional<std::uintptr_t> device;
    HWND found;
  } search{className, device, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(data);
        char name[64] = "";
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpiA(name, search.className) != 0) return TRUE;
        if (search.device && reinterpret_cast<std::uintptr_t>(
                                 GetPropA(window, names::kDeviceProperty)) != *search.device) {
          return TRUE;
        }
        search.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool RegisterHandButtonClass(HINSTANCE instance, HCURSOR hand) {
  WNDCLASSA button{};
  if (!GetClassInfoA(nullptr, "BUTTON", &button)) return false;
  button.hInstance = instance;
  button.hCursor = hand;
  button.hbrBackground = nullptr;
  button.lpszClassName = "mybutton";
  return RegisterClassA(&button) != 0;
}

#include "common/win32/suite_windows.h"

#include "common/interop/suite_names.h"

namespace {

// Whether the window has the property at all: a "DEVICE" of 0 (the CD player's) reads as 0 from
// a window without one too, such as a deck whose property went as it is destroyed.
bool HasProperty(HWND window, const char* name) {
  struct Search {
    const char* name;
    bool found;
  } search{name, false};
  EnumPropsExA(
      window,
      [](HWND, LPSTR property, HANDLE, ULONG_PTR data) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(data);
        // An atom's name is no string to compare.
        if (IS_INTRESOURCE(property) || lstrcmpiA(property, search.name) != 0) return TRUE;
        search.found = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

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
        if (search.device && (!HasProperty(window, names::kDeviceProperty) ||
                              reinterpret_cast<std::uintptr_t>(
                                  GetPropA(window, names::kDeviceProperty)) != *search.device)) {
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

POINT NormalBottomRight(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  return {placement.rcNormalPosition.right, placement.rcNormalPosition.bottom};
}

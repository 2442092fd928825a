#include "machine/tool/installation.h"

#include <windows.h>

#include <commctrl.h>

#include "common/interop/suite_names.h"
#include "install/app/resource.h"

namespace {

constexpr DWORD kStepTimeoutMs = 20000;
// Set-up copies some tens of megabytes.
constexpr DWORD kSetupTimeoutMs = 60000;

// Polls until `found` gives a window, or the time is up (nullptr).
template <typename Find>
HWND WaitForWindowOf(Find found, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = found()) return window;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

struct Search {
  DWORD processId;
  HWND found;
};

// The wizard: install's top-level dialog titled "Marovane".
HWND FindWizard(DWORD processId) {
  Search search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char caption[32] = "";
        GetWindowTextA(window, caption, sizeof(caption));
        if (owner != search->processId || !IsWindowVisible(window) ||
            lstrcmpA(caption, "Marovane") != 0) {
          return TRUE;
        }
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Next on the language page (its preselection stays); the Install button on the install page.
bool PressOnToInstall(HWND wizard) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kStepTimeoutMs) {
    HWND page = PropSheet_GetCurrentPageHwnd(wizard);
    if (HWND install = GetDlgItem(page, IDC_INSTALL_BUTTON)) {
      PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_INSTALL_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(install));
      return true;
    }
    if (GetDlgItem(page, IDC_LANGUAGE_LIST) != nullptr) {
      SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    }
    Sleep(100);
  }
  return false;
}

}  // namespace

std::string InstallFromMedium(const std::string& medium) {
  std::string commandLine = medium + "\\INSTALL.EXE";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      medium.c_str(), &startup, &process)) {
    return "INSTALL.EXE cannot be started from " + medium;
  }
  CloseHandle(process.hThread);
  const DWORD id = process.dwProcessId;
  std::string problem;
  HWND wizard = WaitForWindowOf([id] { return FindWizard(id); }, kStepTimeoutMs);
  if (wizard == nullptr) {
    problem = "install showed no wizard";
  } else if (!PressOnToInstall(wizard)) {
    problem = "install's wizard did not reach its install page";
  } else if (WaitForSingleObject(process.hProcess, kStepTimeoutMs) != WAIT_OBJECT_0) {
    problem = "install did not end after its Install button";
  } else if (WaitForWindowOf([] { return FindWindowA(names::kTrayvelCommandClass, nullptr); },
                             kSetupTimeoutMs) == nullptr) {
    problem = "the set-up program did not finish (Trayvel never started)";
  }
  if (!problem.empty()) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  return problem;
}

// The taskbar notification icon: identifier 107, the tip "Marovane Vistrel", and the command
// window as the receiver of its mouse messages (WM_USER).

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "trayvel/app/resource.h"
#include "trayvel/app/trayvel.h"

namespace trayvel {
namespace {

// The first version of the record, which every shell knows.
NOTIFYICONDATAA IconRecord() {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = program.commandWindow;
  record.uID = IDI_TASKBAR;
  return record;
}

}  // namespace

bool AddTaskbarIcon() {
  NOTIFYICONDATAA record = IconRecord();
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = WM_USER;
  record.hIcon = static_cast<HICON>(
      LoadImageA(program.instance, MAKEINTRESOURCEA(IDI_TASKBAR), IMAGE_ICON, 16, 16, 0));
  std::strcpy(record.szTip, names::kVistrelSheetCaption);
  const bool added = Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
  if (record.hIcon != nullptr) DestroyIcon(record.hIcon);
  return added;
}

void RemoveTaskbarIcon() {
  NOTIFYICONDATAA record = IconRecord();
  Shell_NotifyIconA(NIM_DELETE, &record);
}

}  // namespace trayvel

#pragma once
// What every MCI driver of the simulated PC answers alike: the installable-driver messages, an
// open device per DRV_OPEN (its MCI type set, no command table of its own), and the
// notification of a command that ends at once.

#include <windows.h>

#include <mmsystem.h>

// The driver's side of MCI, which builds on mmsystem.h.
#include <mmddk.h>

extern "C" BOOL WINAPI mciDriverNotify(HANDLE callback, MCIDEVICEID device, UINT status);

// A command done at once: the notification it asked for, and success.
inline DWORD NotifyDone(MCIDEVICEID device, DWORD flags, DWORD_PTR callback) {
  if (flags & MCI_NOTIFY) {
    mciDriverNotify(reinterpret_cast<HWND>(callback), device, MCI_NOTIFY_SUCCESSFUL);
  }
  return 0;
}

// The body of a driver's DriverProc. `Device` is made from its MCI device id on every open and
// is the driver id of later messages; `command(device, message, flags, parms)` runs an MCI
// command.
template <typename Device, typename Command>
LRESULT AnswerDriver(UINT deviceType, DWORD_PTR driverId, UINT message, LPARAM lParam1,
                     LPARAM lParam2, Command command) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
      return 1;
    case DRV_QUERYCONFIGURE:
      return 0;
    case DRV_OPEN: {
      if (lParam2 == 0) return 1;
      auto& open = *reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(lParam2);
      open.wType = deviceType;
      open.wCustomCommandTable = MCI_NO_COMMAND_TABLE;
      return reinterpret_cast<LRESULT>(new Device(open.wDeviceID));
    }
    case DRV_CLOSE:
      if (driverId > 1) delete reinterpret_cast<Device*>(driverId);
      return 1;
  }
  if (message < DRV_MCI_FIRST || driverId <= 1) {
    return DefDriverProc(driverId, nullptr, message, lParam1, lParam2);
  }
  return command(*reinterpret_cast<Device*>(driverId), message, static_cast<DWORD>(lParam1),
                 static_cast<DWORD_PTR>(lParam2));
}

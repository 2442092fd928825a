#pragma once
// What every MCI driver of the simulated PC answers alike: the installable-driver messages, an
// open device per DRV_OPEN (its MCI type set, no command table of its own), and the
// notification of a command done by the time it returns.

#include <windows.h>

#include <mmsystem.h>

// The driver's side of MCI, which builds on mmsystem.h.
#include <mmddk.h>

extern "C" BOOL WINAPI mciDriverNotify(HANDLE callback, MCIDEVICEID device, UINT status);
extern "C" UINT WINAPI mciDriverYield(MCIDEVICEID device);

// The body of a driver's DriverProc. `Device` is made from its MCI device id on every open and
// is the driver id of later messages, with that id as `id`; `command(device, message, flags,
// parms)` runs an MCI command. A command that succeeds is done when it returns, and notifies
// then, except a play, which notifies at its end.
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
  Device& device = *reinterpret_cast<Device*>(driverId);
  const auto flags = static_cast<DWORD>(lParam1);
  const DWORD result = command(device, message, flags, static_cast<DWORD_PTR>(lParam2));
  if (message != MCI_PLAY && LOWORD(result) == 0 && (flags & MCI_NOTIFY) && lParam2 != 0) {
    const auto callback = reinterpret_cast<MCI_GENERIC_PARMS*>(lParam2)->dwCallback;
    mciDriverNotify(reinterpret_cast<HWND>(callback), device.id, MCI_NOTIFY_SUCCESSFUL);
  }
  return result;
}

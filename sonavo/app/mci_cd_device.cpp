#include "sonavo/app/mci_cd_device.h"

#include "common/win32/resource_text.h"
#include "sonavo/app/resource.h"

MCIERROR MciCdDevice::Open() {
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "cdaudio";
  return device_.Open(MCI_OPEN_TYPE, open);
}

void MciCdDevice::ToggleDoor() {
  MCI_SET_PARMS set{};
  const bool open = DeviceMode() == MCI_MODE_OPEN;
  device_.Send(MCI_SET, (open ? MCI_SET_DOOR_CLOSED : MCI_SET_DOOR_OPEN) | MCI_WAIT, &set);
}

bool MciCdDevice::SelectEntry(int, sonavo::EntryTimes*) {
  return IsOpen();
}

void MciCdDevice::Play(std::optional<std::uint32_t> from, std::uint32_t to) {
  if (device_.Play(from, to) != MCIERR_HARDWARE || !userCommand_) return;
  device_.ShowError(ResourceText(IDS_CD_HARDWARE));
}

void MciCdDevice::CloseDoor() {
  MCI_SET_PARMS set{};
  device_.Send(MCI_SET, MCI_SET_DOOR_CLOSED | MCI_WAIT, &set);
}

bool MciCdDevice::MediaPresent() {
  return LOWORD(device_.Status(MCI_STATUS_MEDIA_PRESENT, 0, FALSE)) != FALSE;
}

int MciCdDevice::TrackCount() {
  return static_cast<int>(device_.Status(MCI_STATUS_NUMBER_OF_TRACKS, 0, 0));
}

std::uint32_t MciCdDevice::TrackStart(int track) {
  return static_cast<std::uint32_t>(
      device_.Status(MCI_STATUS_POSITION, static_cast<DWORD>(track), 0));
}

std::uint32_t MciCdDevice::TrackLength(int track) {
  return static_cast<std::uint32_t>(
      device_.Status(MCI_STATUS_LENGTH, static_cast<DWORD>(track), 0));
}

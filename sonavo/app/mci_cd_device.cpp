#include "sonavo/app/mci_cd_device.h"

#include <ctime>

#include "sonavo/app/resource.h"

MciCdDevice::~MciCdDevice() {
  if (IsOpen()) mciSendCommandA(id_, MCI_CLOSE, MCI_WAIT, 0);
}

MCIERROR MciCdDevice::Open() {
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "cdaudio";
  const MCIERROR error =
      mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open));
  if (error != 0) return error;
  id_ = open.wDeviceID;
  MCI_SET_PARMS set{};
  set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
  return 0;
}

MCIERROR MciCdDevice::Send(UINT message, DWORD flags, void* parms) {
  return mciSendCommandA(id_, message, flags, reinterpret_cast<DWORD_PTR>(parms));
}

DWORD_PTR MciCdDevice::Status(DWORD item, DWORD track, DWORD_PTR otherwise) {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  status.dwTrack = track;
  const DWORD flags = MCI_STATUS_ITEM | MCI_WAIT | (track != 0 ? MCI_TRACK : 0);
  return IsOpen() && Send(MCI_STATUS, flags, &status) == 0 ? status.dwReturn : otherwise;
}

void MciCdDevice::ToggleDoor() {
  MCI_SET_PARMS set{};
  const bool open = DeviceMode() == MCI_MODE_OPEN;
  Send(MCI_SET, (open ? MCI_SET_DOOR_CLOSED : MCI_SET_DOOR_OPEN) | MCI_WAIT, &set);
}

void MciCdDevice::StopPlaying() {
  MCI_GENERIC_PARMS stop{};
  Send(MCI_STOP, MCI_WAIT, &stop);
}

bool MciCdDevice::SelectEntry(int, sonavo::EntryTimes*) {
  return IsOpen();
}

std::uint32_t MciCdDevice::DeviceMode() {
  return static_cast<std::uint32_t>(Status(MCI_STATUS_MODE, 0, MCI_MODE_NOT_READY));
}

std::uint32_t MciCdDevice::Position() {
  return static_cast<std::uint32_t>(Status(MCI_STATUS_POSITION, 0, 0));
}

void MciCdDevice::Play(std::optional<std::uint32_t> from, std::uint32_t to) {
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(deck_);
  play.dwTo = to;
  DWORD flags = MCI_NOTIFY | MCI_TO;
  if (from) {
    play.dwFrom = *from;
    flags |= MCI_FROM;
  }
  if (Send(MCI_PLAY, flags, &play) == MCIERR_HARDWARE) {
    char text[160] = "";
    char caption[32] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_CD_HARDWARE, text, sizeof(text));
    GetWindowTextA(deck_, caption, sizeof(caption));
    MessageBoxA(deck_, text, caption, MB_OK | MB_ICONERROR);
  }
}

void MciCdDevice::Pause() {
  MCI_GENERIC_PARMS pause{};
  Send(MCI_PAUSE, MCI_WAIT, &pause);
}

void MciCdDevice::StopDevice() {
  StopPlaying();
}

void MciCdDevice::CloseDoor() {
  MCI_SET_PARMS set{};
  Send(MCI_SET, MCI_SET_DOOR_CLOSED | MCI_WAIT, &set);
}

void MciCdDevice::PostRangeEnded() {
  PostMessageA(deck_, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, id_);
}

void MciCdDevice::PostStop() {
  PostMessageA(deck_, WM_COMMAND, IDC_STOP, 0);
}

std::uint32_t MciCdDevice::ShuffleSeed() {
  return static_cast<std::uint32_t>(std::time(nullptr));
}

bool MciCdDevice::MediaPresent() {
  return LOWORD(Status(MCI_STATUS_MEDIA_PRESENT, 0, FALSE)) != FALSE;
}

int MciCdDevice::TrackCount() {
  return static_cast<int>(Status(MCI_STATUS_NUMBER_OF_TRACKS, 0, 0));
}

std::uint32_t MciCdDevice::TrackStart(int track) {
  return static_cast<std::uint32_t>(Status(MCI_STATUS_POSITION, static_cast<DWORD>(track), 0));
}

std::uint32_t MciCdDevice::TrackLength(int track) {
  return static_cast<std::uint32_t>(Status(MCI_STATUS_LENGTH, static_cast<DWORD>(track), 0));
}

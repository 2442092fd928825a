#include "sonavo/app/mci_device.h"

#include <ctime>

#include "sonavo/app/resource.h"

void MciDevice::Opened(MCIDEVICEID id) {
  id_ = id;
  SetFrames(false);
}

void MciDevice::SetFrames(bool frames) {
  MCI_SET_PARMS set{};
  set.dwTimeFormat = frames ? MCI_FORMAT_FRAMES : MCI_FORMAT_MILLISECONDS;
  Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
}

void MciDevice::Close() {
  if (id_ != 0) mciSendCommandA(id_, MCI_CLOSE, MCI_WAIT, 0);
  id_ = 0;
}

MCIERROR MciDevice::Send(UINT message, DWORD flags, void* parms) {
  return mciSendCommandA(id_, message, flags, reinterpret_cast<DWORD_PTR>(parms));
}

DWORD_PTR MciDevice::Status(DWORD item, DWORD track, DWORD_PTR otherwise) {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  status.dwTrack = track;
  const DWORD flags = MCI_STATUS_ITEM | MCI_WAIT | (track != 0 ? MCI_TRACK : 0);
  return IsOpen() && Send(MCI_STATUS, flags, &status) == 0 ? status.dwReturn : otherwise;
}

std::uint32_t MciDevice::Mode() {
  return static_cast<std::uint32_t>(Status(MCI_STATUS_MODE, 0, MCI_MODE_NOT_READY));
}

std::uint32_t MciDevice::Position() {
  return static_cast<std::uint32_t>(Status(MCI_STATUS_POSITION, 0, 0));
}

MCIERROR MciDevice::Play(std::optional<std::uint32_t> from, std::uint32_t to) {
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(deck_);
  play.dwTo = to;
  DWORD flags = MCI_NOTIFY | MCI_TO;
  if (from) {
    play.dwFrom = *from;
    flags |= MCI_FROM;
  }
  return Send(MCI_PLAY, flags, &play);
}

void MciDevice::Pause() {
  MCI_GENERIC_PARMS pause{};
  Send(MCI_PAUSE, MCI_WAIT, &pause);
}

void MciDevice::Stop() {
  MCI_GENERIC_PARMS stop{};
  Send(MCI_STOP, MCI_WAIT, &stop);
}

void MciDevice::Seek(std::uint32_t position, bool wait) {
  MCI_SEEK_PARMS seek{};
  seek.dwTo = position;
  Send(MCI_SEEK, MCI_TO | (wait ? MCI_WAIT : 0), &seek);
}

void MciDevice::PostRangeEnded() {
  PostMessageA(deck_, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, id_);
}

void MciDevice::ShowError(const std::string& text) const {
  char caption[32] = "";
  GetWindowTextA(deck_, caption, sizeof(caption));
  MessageBoxA(deck_, text.c_str(), caption, MB_OK | MB_ICONERROR);
}

std::string MciDevice::ErrorText(MCIERROR error) {
  char text[128] = "";
  mciGetErrorStringA(error, text, sizeof(text));
  return text;
}

std::uint32_t MciDevice::TimeSeed() {
  return static_cast<std::uint32_t>(std::time(nullptr));
}

void MciDevice::PostStop() {
  PostMessageA(deck_, WM_COMMAND, IDC_STOP, 0);
}

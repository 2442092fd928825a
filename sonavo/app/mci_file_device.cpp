#include "sonavo/app/mci_file_device.h"

#include <digitalv.h>

#include "sonavo/app/resource.h"
#include "sonavo/core/album_player.h"

MciFileDevice::~MciFileDevice() {
  device_.Close();
}

void MciFileDevice::SetEntries(const std::vector<std::string>& paths) {
  device_.Close();
  paths_ = paths;
}

bool MciFileDevice::SelectEntry(int entry, sonavo::EntryTimes* times) {
  if (entry < 1 || entry > static_cast<int>(paths_.size())) return false;
  const std::string& path = paths_[static_cast<std::size_t>(entry - 1)];
  const MCIERROR error = OpenFile(path);
  if (error != 0) {
    device_.ShowError(MciDevice::ErrorText(error));
    return false;
  }
  if (video_) {
    speed_.Reset();
    ShowVideo();
    if (videoOpened_) videoOpened_();
  }
  if (frames_) device_.SetFrames(true);
  *times = ReadTimes();
  return true;
}

// Start and length of the file: frames, or milliseconds to a hundredth of a second.
sonavo::EntryTimes MciFileDevice::ReadTimes() {
  const std::uint32_t round = frames_ ? 1 : 10;
  sonavo::EntryTimes times{};
  times.start =
      static_cast<std::uint32_t>(device_.Status(MCI_STATUS_POSITION, 1, 0)) / round * round;
  times.length =
      static_cast<std::uint32_t>(device_.Status(MCI_STATUS_LENGTH, 1, 0)) / round * round;
  if (times.length == 0) {
    times.length =
        static_cast<std::uint32_t>(device_.Status(MCI_STATUS_LENGTH, 0, 0)) / round * round;
  }
  return times;
}

sonavo::EntryTimes MciFileDevice::SetFrames(bool frames) {
  frames_ = video_ && frames;
  if (!device_.IsOpen()) return {};
  device_.SetFrames(frames_);
  return ReadTimes();
}

std::uint32_t MciFileDevice::ChangeSpeed(bool faster) {
  if (faster) {
    speed_.Faster();
  } else {
    speed_.Slower();
  }
  MCI_DGV_SET_PARMS set{};
  set.dwSpeed = speed_.Value();
  device_.Send(MCI_SET, MCI_DGV_SET_SPEED | MCI_WAIT, &set);
  return speed_.Value();
}

MCIERROR MciFileDevice::OpenFile(const std::string& path) {
  std::string element = path;
  MCI_DGV_OPEN_PARMSA open{};
  open.lpstrElementName = element.data();
  DWORD flags = MCI_OPEN_ELEMENT;
  if (video_) {
    title_ = sonavo::FileTitle(path);
    open.dwStyle = WS_CHILD;
    open.hWndParent = playback_.Window();
    flags |= MCI_DGV_OPEN_WS | MCI_DGV_OPEN_PARENT;
  }
  return device_.Open(flags, open);
}

// The picture fills the playback window, which opens at the video's natural size.
void MciFileDevice::ShowVideo() {
  MCI_DGV_RECT_PARMS where{};
  device_.Send(MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, &where);
  const RECT& source = where.rc;  // left, top, width, height
  playback_.OnResize([this](int width, int height) {
    MCI_DGV_PUT_PARMS put{};
    put.rc = {0, 0, width, height};
    device_.Send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &put);
  });
  playback_.Present(title_.c_str(), source.right, source.bottom);
  MCI_DGV_WINDOW_PARMSA window{};
  window.nCmdShow = SW_SHOW;
  device_.Send(MCI_WINDOW, MCI_DGV_WINDOW_STATE | MCI_WAIT, &window);
  playback_.AdoptPicture();
}

void MciFileDevice::Play(std::optional<std::uint32_t> from, std::uint32_t to) {
  if (video_ && !IsWindowVisible(playback_.Window())) ShowWindow(playback_.Window(), SW_SHOWNORMAL);
  device_.Play(from, to);
}

void MciFileDevice::StopDevice() {
  device_.Stop();
  if (!video_) return;
  MCI_SEEK_PARMS seek{};
  seek.dwTo = 0;
  device_.Send(MCI_SEEK, MCI_TO | MCI_WAIT, &seek);
}

#include "sonavo/app/mci_file_device.h"

#include <digitalv.h>

#include "common/interop/suite_names.h"
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
    if (inLauncher_ && screenChanged_) screenChanged_();
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
    inLauncher_ = launcher_ != nullptr && IsWindow(launcher_);
    open.dwStyle = WS_CHILD;
    open.hWndParent = inLauncher_ ? launcher_ : playback_.Window();
    flags |= MCI_DGV_OPEN_WS | MCI_DGV_OPEN_PARENT;
  }
  return device_.Open(flags, open);
}

// The picture fills the playback window, which opens at the video's natural size; or it shows
// in Jubilo's screen.
void MciFileDevice::ShowVideo() {
  MCI_DGV_RECT_PARMS where{};
  device_.Send(MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, &where);
  naturalWidth_ = where.rc.right;  // left, top, width, height
  naturalHeight_ = where.rc.bottom;
  // The device's window keeps its size of its own (the video's, which may be narrower than the
  // narrowest playback window): it is sized with the picture, both filling the window.
  playback_.OnResize([this](int width, int height) {
    PutPicture({0, 0, width, height}, {0, 0, width, height});
  });
  playback_.OnDoubleClick([this] { SwitchScreen(); });
  if (inLauncher_) {
    PlaceInLauncher();
  } else {
    playback_.Present(title_.c_str(), naturalWidth_, naturalHeight_);
  }
  MCI_DGV_WINDOW_PARMSA window{};
  window.nCmdShow = SW_SHOW;
  device_.Send(MCI_WINDOW, MCI_DGV_WINDOW_STATE | MCI_WAIT, &window);
  playback_.AdoptPicture(Picture());
}

HWND MciFileDevice::Picture() {
  return reinterpret_cast<HWND>(device_.Status(MCI_DGV_STATUS_HWND, 0, 0));
}

// Rectangles as MCI takes them: left, top, width, height.
void MciFileDevice::PutPicture(const RECT& window, const RECT& picture) {
  MCI_DGV_PUT_PARMS put{};
  put.rc = window;
  device_.Send(MCI_PUT, MCI_DGV_PUT_WINDOW | MCI_DGV_RECT | MCI_WAIT, &put);
  put.rc = picture;
  device_.Send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &put);
}

// Jubilo's screen: the picture stretched over it, or at its natural size in its middle.
void MciFileDevice::PlaceInLauncher() {
  const int width = names::kLauncherScreenRight - names::kLauncherScreenLeft;
  const int height = names::kLauncherScreenBottom - names::kLauncherScreenTop;
  const RECT picture = stretch_ ? RECT{0, 0, width, height}
                                : RECT{(width - naturalWidth_) / 2, (height - naturalHeight_) / 2,
                                       naturalWidth_, naturalHeight_};
  PutPicture({names::kLauncherScreenLeft, names::kLauncherScreenTop, width, height}, picture);
}

void MciFileDevice::SwitchScreen() {
  HWND picture = Picture();
  if (picture == nullptr) return;
  if (inLauncher_) {
    // Out into a playback window of the picture's size, titled with the file.
    RECT now{};
    GetClientRect(picture, &now);
    inLauncher_ = false;
    playback_.TakePicture(picture, title_.c_str(), now.right, now.bottom,
                          {naturalWidth_, naturalHeight_});
    PutPicture({0, 0, now.right, now.bottom}, {0, 0, now.right, now.bottom});
  } else if (launcher_ != nullptr && IsWindow(launcher_)) {
    // Back into Jubilo's screen; the playback window goes.
    SetParent(picture, launcher_);
    inLauncher_ = true;
    PlaceInLauncher();
    ShowWindow(playback_.Window(), SW_HIDE);
  } else {
    return;
  }
  if (screenChanged_) screenChanged_();
}

void MciFileDevice::SetLauncher(HWND launcher) {
  launcher_ = launcher;
  playback_.SetLauncher(launcher);
  if (!video_ || !device_.IsOpen()) return;
  if (launcher != nullptr && !inLauncher_) {
    SwitchScreen();
  } else if (launcher == nullptr && inLauncher_) {
    // Jubilo is going: the video in its screen closes.
    device_.Close();
    inLauncher_ = false;
  }
}

void MciFileDevice::Play(std::optional<std::uint32_t> from, std::uint32_t to) {
  // In Jubilo's screen the picture needs no window of its own.
  if (video_ && !inLauncher_ && !IsWindowVisible(playback_.Window())) {
    ShowWindow(playback_.Window(), SW_SHOWNORMAL);
  }
  device_.Play(from, to);
}

void MciFileDevice::StopDevice() {
  device_.Stop();
  if (!video_) return;
  MCI_SEEK_PARMS seek{};
  seek.dwTo = 0;
  device_.Send(MCI_SEEK, MCI_TO | MCI_WAIT, &seek);
}

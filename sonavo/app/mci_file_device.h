#pragma once
// A file player's device: each album entry's file opened on its own (the system picks the
// device from the extension); a video plays in a playback window of its natural size.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "sonavo/app/mci_device.h"
#include "sonavo/app/playback_window.h"
#include "sonavo/core/album_player.h"

class MciFileDevice : public sonavo::FileHost {
 public:
  // `video`: the video player, whose pictures go into the playback window.
  MciFileDevice(HWND deck, bool video) : deck_(deck), video_(video), device_(deck) {}
  ~MciFileDevice() override;

  void SetEntries(const std::vector<std::string>& paths) override;
  bool IsOpen() const override { return device_.IsOpen(); }
  bool SelectEntry(int entry, sonavo::EntryTimes* times) override;
  std::uint32_t DeviceMode() override { return device_.Mode(); }
  std::uint32_t Position() override { return device_.Position(); }
  void Play(std::optional<std::uint32_t> from, std::uint32_t to) override;
  void Pause() override { device_.Pause(); }
  void StopDevice() override;
  void CloseDoor() override {}
  void Seek(std::uint32_t position, bool wait) override { device_.Seek(position, wait); }
  void PostRangeEnded() override { device_.PostRangeEnded(); }
  void PostStop() override { device_.PostStop(); }
  std::uint32_t ShuffleSeed() override { return MciDevice::TimeSeed(); }

  // Called when a video comes into Jubilo's screen or leaves it, so that Jubilo repaints it.
  void OnScreenChanged(std::function<void()> changed) { screenChanged_ = std::move(changed); }
  // Jubilo's panel, in whose screen a video shows (nullptr: none; a video shown there closes).
  void SetLauncher(HWND launcher);
  // Inside Jubilo, the picture fills its screen rather than keeping its natural size.
  void SetStretch(bool stretch) { stretch_ = stretch; }
  // The video's speed one step faster or slower; the speed now.
  std::uint32_t ChangeSpeed(bool faster);
  // The video's times in frames rather than milliseconds, from now on; the open entry's
  // times in the new unit.
  sonavo::EntryTimes SetFrames(bool frames);

 private:
  MCIERROR OpenFile(const std::string& path);
  sonavo::EntryTimes ReadTimes();
  void ShowVideo();
  HWND Picture();
  void PutPicture(const RECT& window, const RECT& picture);
  void PlaceInLauncher();
  // A double click: from Jubilo's screen into a playback window, or back.
  void SwitchScreen();

  HWND deck_;
  bool video_;
  MciDevice device_;
  std::vector<std::string> paths_;
  PlaybackWindow playback_{deck_};
  std::string title_;
  sonavo::VideoSpeed speed_;
  bool frames_ = false;
  std::function<void()> screenChanged_;
  HWND launcher_ = nullptr;
  bool inLauncher_ = false;
  bool stretch_ = false;
  int naturalWidth_ = 0;
  int naturalHeight_ = 0;
};

// The video playback window's class, registered once at start.

#pragma once
// The CD player's device: "cdaudio" opened by type and kept open.

#include <windows.h>

#include "sonavo/app/mci_device.h"
#include "sonavo/core/cd_player.h"
#include "sonavo/core/engine.h"

class MciCdDevice : public sonavo::EngineHost, public sonavo::DiscReader {
 public:
  explicit MciCdDevice(HWND deck) : device_(deck) {}

  // Opens the drive, not shareable: 0, or the MCI error (MCIERR_MUST_USE_SHAREABLE while
  // another program holds it).
  MCIERROR Open();
  bool IsOpen() const { return device_.IsOpen(); }
  // The door: opened when closed, closed when open.
  void ToggleDoor();
  void StopPlaying() { device_.Stop(); }

  bool SelectEntry(int entry, sonavo::EntryTimes* times) override;
  std::uint32_t DeviceMode() override { return device_.Mode(); }
  std::uint32_t Position() override { return device_.Position(); }
  // A play the drive refuses as hardware trouble (a data disc) is reported while a command of
  // the user's runs.
  void Play(std::optional<std::uint32_t> from, std::uint32_t to) override;
  void SetUserCommand(bool user) { userCommand_ = user; }
  void Pause() override { device_.Pause(); }
  void StopDevice() override { device_.Stop(); }
  void CloseDoor() override;
  void Seek(std::uint32_t position, bool wait) override { device_.Seek(position, wait); }
  void PostRangeEnded() override { device_.PostRangeEnded(); }
  void PostStop() override { device_.PostStop(); }
  std::uint32_t ShuffleSeed() override { return MciDevice::TimeSeed(); }

  bool MediaPresent() override;
  int TrackCount() override;
  std::uint32_t TrackStart(int track) override;
  std::uint32_t TrackLength(int track) override;

 private:
  MciDevice device_;
  bool userCommand_ = false;
};

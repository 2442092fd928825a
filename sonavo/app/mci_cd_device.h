#pragma once
// The CD player's device: "cdaudio" through the multimedia control interface, opened by type
// and kept open, its time in milliseconds, its plays notifying the deck window.

#include <windows.h>

#include <mmsystem.h>

#include "sonavo/core/cd_player.h"
#include "sonavo/core/engine.h"

class MciCdDevice : public sonavo::EngineHost, public sonavo::DiscReader {
 public:
  explicit MciCdDevice(HWND deck) : deck_(deck) {}
  ~MciCdDevice() override;
  MciCdDevice(const MciCdDevice&) = delete;
  MciCdDevice& operator=(const MciCdDevice&) = delete;

  // Opens the drive, not shareable: 0, or the MCI error (MCIERR_MUST_USE_SHAREABLE while
  // another program holds it).
  MCIERROR Open();
  bool IsOpen() const { return id_ != 0; }
  // The door: opened when closed, closed when open.
  void ToggleDoor();
  // The drive stops playing (the player closes with StopOnExit).
  void StopPlaying();

  bool SelectEntry(int entry, sonavo::EntryTimes* times) override;
  std::uint32_t DeviceMode() override;
  std::uint32_t Position() override;
  void Play(std::optional<std::uint32_t> from, std::uint32_t to) override;
  void Pause() override;
  void StopDevice() override;
  void CloseDoor() override;
  void PostRangeEnded() override;
  void PostStop() override;
  std::uint32_t ShuffleSeed() override;

  bool MediaPresent() override;
  int TrackCount() override;
  std::uint32_t TrackStart(int track) override;
  std::uint32_t TrackLength(int track) override;

 private:
  // MCI_STATUS of `item` (of `track` when given); `otherwise` when the device cannot say.
  DWORD_PTR Status(DWORD item, DWORD track, DWORD_PTR otherwise);
  MCIERROR Send(UINT message, DWORD flags, void* parms);

  HWND deck_;
  MCIDEVICEID id_ = 0;
};

#pragma once
// One MCI device of a player, its commands and the notifications of its plays going to the
// deck window. Errors of play, pause, stop and status are the caller's to ignore or report.

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <optional>
#include <string>

class MciDevice {
 public:
  explicit MciDevice(HWND deck) : deck_(deck) {}
  ~MciDevice() { Close(); }
  MciDevice(const MciDevice&) = delete;
  MciDevice& operator=(const MciDevice&) = delete;

  // Opens with `flags` and the record (MCI_OPEN_PARMSA or a larger one of its kind), times in
  // milliseconds; 0 or the MCI error.
  template <typename OpenParms>
  MCIERROR Open(DWORD flags, OpenParms& parms) {
    Close();
    const MCIERROR error =
        mciSendCommandA(0, MCI_OPEN, flags | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parms));
    if (error == 0) Opened(parms.wDeviceID);
    return error;
  }
  void Close();
  bool IsOpen() const { return id_ != 0; }
  // Times in frames (a video's) or in milliseconds, the default after every open.
  void SetFrames(bool frames);
  MCIDEVICEID Id() const { return id_; }

  MCIERROR Send(UINT message, DWORD flags, void* parms);
  // MCI_STATUS of `item` (of `track` when given); `otherwise` when the device cannot say.
  DWORD_PTR Status(DWORD item, DWORD track, DWORD_PTR otherwise);
  std::uint32_t Mode();
  std::uint32_t Position();
  // Plays with notification to the deck; without `from`, from the current position.
  MCIERROR Play(std::optional<std::uint32_t> from, std::uint32_t to);
  void Pause();
  void Stop();
  void Seek(std::uint32_t position, bool wait);
  // What the deck posts itself: the end of a range, or Stop.
  void PostRangeEnded();
  void PostStop();
  // An error box over the deck, captioned with the player's name as the deck shows it.
  void ShowError(const std::string& text) const;

  // The system's words for an MCI error.
  static std::string ErrorText(MCIERROR error);
  // The seed of a shuffle: the time in seconds.
  static std::uint32_t TimeSeed();

 private:
  void Opened(MCIDEVICEID id);

  HWND deck_;
  MCIDEVICEID id_ = 0;
};

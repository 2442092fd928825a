// MRVCDA.DLL: the simulated PC's audio CD drive as an installable MCI driver for the device type
// "cdaudio", in place of Wine's driver, which needs a real drive. The disc, the door and the
// play live in the machine's shared state, so every process sees one drive; this driver adds
// what belongs to an open device: its time format and the notification of a play's end.

#include <windows.h>

#include <mmsystem.h>

#include <cwchar>

#include "machine/core/cd_drive.h"
#include "machine/mci/driver_proc.h"
#include "machine/mci/play_notifier.h"
#include "machine/win32/simulator.h"

namespace {

constexpr DWORD kFramesPerSecond = 75;

// One open of the device.
struct OpenDevice {
  explicit OpenDevice(MCIDEVICEID device) : id(device), notifier(device) {}
  MCIDEVICEID id;
  DWORD timeFormat = MCI_FORMAT_MSF;
  PlayNotifier notifier;
};

std::uint64_t Now() {
  return GetTickCount64();
}

machine::CdDriveBlock* Drive() {
  machine::SharedState* state = machine::State();
  return state == nullptr ? nullptr : &state->cd;
}

// Milliseconds from the disc's start to the device's time format, and back.
DWORD ToFormat(const OpenDevice& device, const machine::CdDriveBlock& drive, std::uint32_t ms) {
  switch (device.timeFormat) {
    case MCI_FORMAT_MILLISECONDS:
      return ms;
    case MCI_FORMAT_TMSF: {
      std::uint32_t track = 1;
      for (std::uint32_t t = 2; t <= drive.trackCount; ++t) {
        if (machine::TrackStart(drive, t) <= ms) track = t;
      }
      const std::uint32_t offset = ms - std::min(ms, machine::TrackStart(drive, track));
      return MCI_MAKE_TMSF(track, offset / 60000, offset / 1000 % 60,
                           offset % 1000 * kFramesPerSecond / 1000);
    }
    default:
      return MCI_MAKE_MSF(ms / 60000, ms / 1000 % 60, ms % 1000 * kFramesPerSecond / 1000);
  }
}

std::uint32_t FromFormat(const OpenDevice& device, const machine::CdDriveBlock& drive,
                         DWORD value) {
  switch (device.timeFormat) {
    case MCI_FORMAT_MILLISECONDS:
      return value;
    case MCI_FORMAT_TMSF:
      return machine::TrackStart(drive, MCI_TMSF_TRACK(value)) + MCI_TMSF_MINUTE(value) * 60000 +
             MCI_TMSF_SECOND(value) * 1000 + MCI_TMSF_FRAME(value) * 1000 / kFramesPerSecond;
    default:
      return MCI_MSF_MINUTE(value) * 60000 + MCI_MSF_SECOND(value) * 1000 +
             MCI_MSF_FRAME(value) * 1000 / kFramesPerSecond;
  }
}

// A length in the time format: milliseconds, or minutes, seconds and frames.
DWORD LengthInFormat(const OpenDevice& device, std::uint32_t ms) {
  if (device.timeFormat == MCI_FORMAT_MILLISECONDS) return ms;
  return MCI_MAKE_MSF(ms / 60000, ms / 1000 % 60, ms % 1000 * kFramesPerSecond / 1000);
}

// The notification a command asked for, at once.
DWORD Status(OpenDevice& device, DWORD flags, MCI_STATUS_PARMS& parms) {
  machine::CdDriveBlock& drive = *Drive();
  const std::uint64_t now = Now();
  const bool media = machine::MediaPresent(drive);
  const DWORD track = static_cast<DWORD>(parms.dwTrack);
  const bool trackGiven = (flags & MCI_TRACK) != 0;
  if (trackGiven && (!media || track < 1 || track > drive.trackCount)) return MCIERR_OUTOFRANGE;
  switch (parms.dwItem) {
    case MCI_STATUS_MODE: {
      const DWORD mode = static_cast<DWORD>(machine::Mode(drive, now));
      parms.dwReturn = MAKEMCIRESOURCE(mode, mode);
      return MCI_RESOURCE_RETURNED;
    }
    case MCI_STATUS_MEDIA_PRESENT:
      parms.dwReturn = media ? MAKEMCIRESOURCE(TRUE, MCI_TRUE) : MAKEMCIRESOURCE(FALSE, MCI_FALSE);
      return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_READY:
      parms.dwReturn = MAKEMCIRESOURCE(TRUE, MCI_TRUE);
      return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_TIME_FORMAT:
      parms.dwReturn =
          MAKEMCIRESOURCE(device.timeFormat, MCI_FORMAT_RETURN_BASE + device.timeFormat);
      return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_NUMBER_OF_TRACKS:
      if (!media) return MCIERR_HARDWARE;
      parms.dwReturn = drive.trackCount;
      return 0;
    case MCI_STATUS_CURRENT_TRACK:
      if (!media) return MCIERR_HARDWARE;
      parms.dwReturn = machine::CurrentTrack(drive, now);
      return 0;
    case MCI_STATUS_LENGTH:
      if (!media) return MCIERR_HARDWARE;
      parms.dwReturn =
          LengthInFormat(device, trackGiven ? drive.lengthsMs[track - 1]
                                            : machine::DiscLength(drive) - machine::kCdLeadInMs);
      return device.timeFormat == MCI_FORMAT_MILLISECONDS ? 0 : MCI_COLONIZED3_RETURN;
    case MCI_STATUS_POSITION: {
      if (!media) return MCIERR_HARDWARE;
      std::uint32_t ms = machine::Position(drive, now);
      if (trackGiven) ms = machine::TrackStart(drive, track);
      if (flags & MCI_STATUS_START) ms = machine::kCdLeadInMs;
      parms.dwReturn = ToFormat(device, drive, ms);
      if (device.timeFormat == MCI_FORMAT_MILLISECONDS) return 0;
      return device.timeFormat == MCI_FORMAT_TMSF ? MCI_COLONIZED4_RETURN : MCI_COLONIZED3_RETURN;
    }
  }
  return MCIERR_UNSUPPORTED_FUNCTION;
}

// Ends the play, or holds it where it is.
void Halt(OpenDevice& device, UINT message) {
  machine::StateLock lock;
  device.notifier.End(MCI_NOTIFY_ABORTED);
  if (message == MCI_PAUSE) {
    machine::Pause(*Drive(), Now());
  } else {
    machine::Stop(*Drive(), Now());
  }
}

DWORD Play(OpenDevice& device, DWORD flags, const MCI_PLAY_PARMS& parms) {
  {
    machine::StateLock lock;
    machine::CdDriveBlock& drive = *Drive();
    const std::uint64_t now = Now();
    const std::uint32_t from = (flags & MCI_FROM) ? FromFormat(device, drive, parms.dwFrom)
                                                  : machine::Position(drive, now);
    const std::uint32_t to =
        (flags & MCI_TO) ? FromFormat(device, drive, parms.dwTo) : machine::DiscLength(drive);
    device.notifier.End(MCI_NOTIFY_SUPERSEDED);
    // A drive asked to play audio from a data disc fails as hardware does.
    if (!machine::MediaPresent(drive) || drive.dataDisc) return MCIERR_HARDWARE;
    if (!machine::Play(drive, from, to, now)) return MCIERR_OUTOFRANGE;
    const HWND window = (flags & MCI_NOTIFY) ? reinterpret_cast<HWND>(parms.dwCallback) : nullptr;
    device.notifier.Arm(window, drive.play, now);
  }
  // The drive is another program's too, so the lock is not held while the play runs.
  if ((flags & MCI_WAIT) && !device.notifier.Wait()) Halt(device, MCI_STOP);
  return 0;
}

DWORD Set(OpenDevice& device, DWORD flags, const MCI_SET_PARMS& parms) {
  if (flags & MCI_SET_TIME_FORMAT) {
    if (parms.dwTimeFormat != MCI_FORMAT_MILLISECONDS && parms.dwTimeFormat != MCI_FORMAT_MSF &&
        parms.dwTimeFormat != MCI_FORMAT_TMSF) {
      return MCIERR_BAD_TIME_FORMAT;
    }
    device.timeFormat = parms.dwTimeFormat;
  }
  if (flags & (MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED)) {
    machine::StateLock lock;
    device.notifier.End(MCI_NOTIFY_ABORTED);
    machine::SetDoor(*Drive(), (flags & MCI_SET_DOOR_OPEN) != 0, Now());
  }
  return 0;
}

DWORD Command(OpenDevice& device, UINT message, DWORD flags, DWORD_PTR parms) {
  if (Drive() == nullptr) return MCIERR_HARDWARE;
  switch (message) {
    case MCI_OPEN_DRIVER:
      if (Drive()->heldElsewhere && !(flags & MCI_OPEN_SHAREABLE)) return MCIERR_MUST_USE_SHAREABLE;
      return 0;
    case MCI_CLOSE_DRIVER:
      device.notifier.End(MCI_NOTIFY_ABORTED);
      return 0;
    case MCI_STATUS:
      return Status(device, flags, *reinterpret_cast<MCI_STATUS_PARMS*>(parms));
    case MCI_PLAY:
      return Play(device, flags, *reinterpret_cast<MCI_PLAY_PARMS*>(parms));
    case MCI_SET:
      return Set(device, flags, *reinterpret_cast<MCI_SET_PARMS*>(parms));
    case MCI_PAUSE:
    case MCI_STOP:
      Halt(device, message);
      return 0;
    case MCI_SEEK: {
      const auto& seek = *reinterpret_cast<MCI_SEEK_PARMS*>(parms);
      machine::StateLock lock;
      machine::CdDriveBlock& drive = *Drive();
      device.notifier.End(MCI_NOTIFY_ABORTED);
      std::uint32_t to = machine::kCdLeadInMs;
      if (flags & MCI_SEEK_TO_END) to = machine::DiscLength(drive);
      if (flags & MCI_TO) to = FromFormat(device, drive, seek.dwTo);
      return machine::Seek(drive, to, Now()) ? 0 : MCIERR_OUTOFRANGE;
    }
    case MCI_GETDEVCAPS: {
      auto& caps = *reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(parms);
      const bool yes = caps.dwItem == MCI_GETDEVCAPS_CAN_PLAY ||
                       caps.dwItem == MCI_GETDEVCAPS_HAS_AUDIO ||
                       caps.dwItem == MCI_GETDEVCAPS_CAN_EJECT;
      if (caps.dwItem == MCI_GETDEVCAPS_DEVICE_TYPE) {
        caps.dwReturn = MAKEMCIRESOURCE(MCI_DEVTYPE_CD_AUDIO, MCI_DEVTYPE_CD_AUDIO);
      } else {
        caps.dwReturn = yes ? MAKEMCIRESOURCE(TRUE, MCI_TRUE) : MAKEMCIRESOURCE(FALSE, MCI_FALSE);
      }
      return MCI_RESOURCE_RETURNED;
    }
    case MCI_INFO: {
      auto& info = *reinterpret_cast<MCI_INFO_PARMSW*>(parms);
      if (info.lpstrReturn == nullptr || info.dwRetSize == 0) return MCIERR_PARAM_OVERFLOW;
      std::swprintf(info.lpstrReturn, info.dwRetSize, L"%ls", L"Marovane simulated CD drive");
      return 0;
    }
  }
  return MCIERR_UNRECOGNIZED_COMMAND;
}

}  // namespace

extern "C" LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR, UINT message, LPARAM lParam1,
                                       LPARAM lParam2) {
  return AnswerDriver<OpenDevice>(MCI_DEVTYPE_CD_AUDIO, driverId, message, lParam1, lParam2,
                                  Command);
}

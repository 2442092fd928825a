// MRVSEQ.DLL: the simulated PC's MIDI sequencer as an installable MCI driver for the device type
// "sequencer", in place of Wine's, which has no MIDI output here. It reads a standard MIDI
// file's tempo map for its length and plays it silently, in real time, notifying at the end.

#include <windows.h>

#include <mmsystem.h>

#include <vector>

#include "machine/core/midi_file.h"
#include "machine/core/play_clock.h"
#include "machine/mci/driver_proc.h"
#include "machine/mci/play_notifier.h"

namespace {

// One open of the device, with the file it plays.
struct Sequence {
  explicit Sequence(MCIDEVICEID device) : id(device), notifier(device) {}
  MCIDEVICEID id;
  bool loaded = false;
  std::uint32_t lengthMs = 0;
  machine::PlayClock clock{};
  PlayNotifier notifier;
};

std::uint64_t Now() {
  return GetTickCount64();
}

MCIERROR Load(Sequence& sequence, const wchar_t* path) {
  HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return MCIERR_FILE_NOT_FOUND;
  LARGE_INTEGER size{};
  std::vector<std::uint8_t> bytes;
  // A standard MIDI file of this suite's kind is small; anything over 16 MB is no such file.
  if (GetFileSizeEx(file, &size) && size.QuadPart < (16 << 20)) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  CloseHandle(file);
  const auto length = machine::MidiLengthMs(bytes);
  if (!length) return MCIERR_INVALID_FILE;
  sequence.loaded = true;
  sequence.lengthMs = *length;
  return 0;
}

DWORD Status(Sequence& sequence, DWORD flags, MCI_STATUS_PARMS& parms) {
  const std::uint64_t now = Now();
  switch (parms.dwItem) {
    case MCI_STATUS_MODE: {
      const DWORD mode = machine::IsPlaying(sequence.clock, now) ? MCI_MODE_PLAY
                         : sequence.clock.paused                 ? MCI_MODE_PAUSE
                                                                 : MCI_MODE_STOP;
      parms.dwReturn = MAKEMCIRESOURCE(mode, mode);
      return MCI_RESOURCE_RETURNED;
    }
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT:
      parms.dwReturn =
          sequence.loaded ? MAKEMCIRESOURCE(TRUE, MCI_TRUE) : MAKEMCIRESOURCE(FALSE, MCI_FALSE);
      return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_TIME_FORMAT:
      parms.dwReturn = MAKEMCIRESOURCE(MCI_FORMAT_MILLISECONDS, MCI_FORMAT_MILLISECONDS_S);
      return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_NUMBER_OF_TRACKS:
      parms.dwReturn = 1;
      return 0;
    case MCI_STATUS_CURRENT_TRACK:
      parms.dwReturn = 1;
      return 0;
    case MCI_STATUS_LENGTH:
      parms.dwReturn = sequence.lengthMs;
      return 0;
    case MCI_STATUS_POSITION:
      parms.dwReturn =
          (flags & (MCI_TRACK | MCI_STATUS_START)) ? 0 : machine::Position(sequence.clock, now);
      return 0;
  }
  return MCIERR_UNSUPPORTED_FUNCTION;
}

// Ends the play, or holds it where it is.
void Halt(Sequence& sequence, UINT message) {
  sequence.notifier.End(MCI_NOTIFY_ABORTED);
  if (message == MCI_PAUSE) {
    machine::Pause(sequence.clock, Now());
  } else {
    machine::Stop(sequence.clock, Now());
  }
}

DWORD Command(Sequence& sequence, UINT message, DWORD flags, DWORD_PTR parms) {
  const std::uint64_t now = Now();
  switch (message) {
    case MCI_OPEN_DRIVER:
      if (!(flags & MCI_OPEN_ELEMENT)) return 0;
      return Load(sequence, reinterpret_cast<MCI_OPEN_PARMSW*>(parms)->lpstrElementName);
    case MCI_CLOSE_DRIVER:
      sequence.notifier.End(MCI_NOTIFY_ABORTED);
      return 0;
    case MCI_STATUS:
      return Status(sequence, flags, *reinterpret_cast<MCI_STATUS_PARMS*>(parms));
    case MCI_SET: {
      const auto& set = *reinterpret_cast<MCI_SET_PARMS*>(parms);
      if ((flags & MCI_SET_TIME_FORMAT) && set.dwTimeFormat != MCI_FORMAT_MILLISECONDS) {
        return MCIERR_BAD_TIME_FORMAT;
      }
      return 0;
    }
    case MCI_PLAY: {
      const auto& play = *reinterpret_cast<MCI_PLAY_PARMS*>(parms);
      if (!sequence.loaded) return MCIERR_UNSUPPORTED_FUNCTION;
      const std::uint32_t from =
          (flags & MCI_FROM) ? play.dwFrom : machine::Position(sequence.clock, now);
      const std::uint32_t to = (flags & MCI_TO) ? play.dwTo : sequence.lengthMs;
      if (from > to || to > sequence.lengthMs) return MCIERR_OUTOFRANGE;
      sequence.notifier.End(MCI_NOTIFY_SUPERSEDED);
      machine::Start(sequence.clock, from, to, now);
      const HWND window = (flags & MCI_NOTIFY) ? reinterpret_cast<HWND>(play.dwCallback) : nullptr;
      sequence.notifier.Arm(window, sequence.clock, now);
      if ((flags & MCI_WAIT) && !sequence.notifier.Wait()) Halt(sequence, MCI_STOP);
      return 0;
    }
    case MCI_PAUSE:
    case MCI_STOP:
      Halt(sequence, message);
      return 0;
    case MCI_SEEK: {
      const auto& seek = *reinterpret_cast<MCI_SEEK_PARMS*>(parms);
      std::uint32_t to = 0;
      if (flags & MCI_SEEK_TO_END) to = sequence.lengthMs;
      if (flags & MCI_TO) to = seek.dwTo;
      if (to > sequence.lengthMs) return MCIERR_OUTOFRANGE;
      sequence.notifier.End(MCI_NOTIFY_ABORTED);
      machine::MoveTo(sequence.clock, to, now);
      return 0;
    }
    case MCI_GETDEVCAPS: {
      auto& caps = *reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(parms);
      if (caps.dwItem == MCI_GETDEVCAPS_DEVICE_TYPE) {
        caps.dwReturn = MAKEMCIRESOURCE(MCI_DEVTYPE_SEQUENCER, MCI_DEVTYPE_SEQUENCER);
      } else {
        const bool yes = caps.dwItem == MCI_GETDEVCAPS_CAN_PLAY ||
                         caps.dwItem == MCI_GETDEVCAPS_HAS_AUDIO ||
                         caps.dwItem == MCI_GETDEVCAPS_USES_FILES;
        caps.dwReturn = yes ? MAKEMCIRESOURCE(TRUE, MCI_TRUE) : MAKEMCIRESOURCE(FALSE, MCI_FALSE);
      }
      return MCI_RESOURCE_RETURNED;
    }
  }
  return MCIERR_UNRECOGNIZED_COMMAND;
}

}  // namespace

extern "C" LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR, UINT message, LPARAM lParam1,
                                       LPARAM lParam2) {
  return AnswerDriver<Sequence>(MCI_DEVTYPE_SEQUENCER, driverId, message, lParam1, lParam2,
                                Command);
}

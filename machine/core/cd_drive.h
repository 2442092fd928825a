#pragma once
// The simulated PC's audio CD drive: its disc (track lengths), its door, and a play that runs
// on the real clock, silently. Plain data in the shared state, so every process (the players,
// the machine's tool, the tests) sees one drive; the functions take the clock's milliseconds.

#include <cstdint>
#include <string>
#include <vector>

#include "machine/core/play_clock.h"

namespace machine {

inline constexpr std::uint32_t kMaxCdTracks = 99;
// The lead-in before track 1, as audio discs have it.
inline constexpr std::uint32_t kCdLeadInMs = 2000;

struct CdDriveBlock {
  std::uint32_t inserted;
  std::uint32_t doorOpen;
  // Another program holds the drive: only a shareable open succeeds.
  std::uint32_t heldElsewhere;
  // A disc without audio: its tracks are listed, but the drive plays none of them.
  std::uint32_t dataDisc;
  std::uint32_t trackCount;
  std::uint32_t lengthsMs[kMaxCdTracks];
  // Counts every disc that arrives or leaves, for whoever polls.
  std::uint32_t discChanges;
  PlayClock play;
};

// The drive's mode, as MCI status item 4 reports it.
enum class CdMode : std::uint32_t {
  NotReady = 524,
  Stopped = 525,
  Playing = 526,
  Paused = 529,
  Open = 530,
};

// A disc of these track lengths, "T1,T2,..." in milliseconds; at most 99 tracks, and lengths
// that are missing, garbage or zero end the list.
std::vector<std::uint32_t> ParseCdTracks(const std::string& text);

void LoadDisc(CdDriveBlock& drive, const std::vector<std::uint32_t>& lengthsMs, bool inserted,
              bool doorOpen);
void Eject(CdDriveBlock& drive);
void Insert(CdDriveBlock& drive, const std::vector<std::uint32_t>& lengthsMs);
void SetDoor(CdDriveBlock& drive, bool open, std::uint64_t nowMs);

bool MediaPresent(const CdDriveBlock& drive);
CdMode Mode(const CdDriveBlock& drive, std::uint64_t nowMs);
// Positions in milliseconds from the start of the disc; track 1 begins after the lead-in.
std::uint32_t TrackStart(const CdDriveBlock& drive, std::uint32_t track);
std::uint32_t DiscLength(const CdDriveBlock& drive);
std::uint32_t Position(const CdDriveBlock& drive, std::uint64_t nowMs);
std::uint32_t CurrentTrack(const CdDriveBlock& drive, std::uint64_t nowMs);

// False without a disc (or with the door open), or for a range outside the disc.
bool Play(CdDriveBlock& drive, std::uint32_t from, std::uint32_t to, std::uint64_t nowMs);
// When the current play reaches its end, on the clock; 0 when nothing plays.
std::uint64_t PlayEndsAt(const CdDriveBlock& drive);
void Pause(CdDriveBlock& drive, std::uint64_t nowMs);
void Stop(CdDriveBlock& drive, std::uint64_t nowMs);
bool Seek(CdDriveBlock& drive, std::uint32_t to, std::uint64_t nowMs);

}  // namespace machine

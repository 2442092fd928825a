#pragma once
// A silent play on the real clock, as the simulated media devices run one: from a position to
// another in milliseconds, paused, stopped, or moved. Plain data, so it can live in the shared
// state; the functions take the clock's milliseconds.

#include <cstdint>

namespace machine {

struct PlayClock {
  std::uint32_t playing;
  std::uint32_t paused;
  std::uint64_t startedMs;  // on the clock
  std::uint32_t from;
  std::uint32_t to;
  std::uint32_t position;  // while not playing
};

// Playing until the clock reaches the end of the range.
bool IsPlaying(const PlayClock& clock, std::uint64_t nowMs);
std::uint32_t Position(const PlayClock& clock, std::uint64_t nowMs);
// When the current play reaches its end, on the clock; 0 when nothing plays.
std::uint64_t EndsAt(const PlayClock& clock);
void Start(PlayClock& clock, std::uint32_t from, std::uint32_t to, std::uint64_t nowMs);
void Pause(PlayClock& clock, std::uint64_t nowMs);
void Stop(PlayClock& clock, std::uint64_t nowMs);
void MoveTo(PlayClock& clock, std::uint32_t position, std::uint64_t nowMs);

}  // namespace machine

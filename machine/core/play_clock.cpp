#include "machine/core/play_clock.h"

#include <algorithm>

namespace machine {

bool IsPlaying(const PlayClock& clock, std::uint64_t nowMs) {
  return clock.playing && nowMs < EndsAt(clock);
}

std::uint32_t Position(const PlayClock& clock, std::uint64_t nowMs) {
  if (!clock.playing) return clock.position;
  if (nowMs >= EndsAt(clock)) return clock.to;
  return clock.from + static_cast<std::uint32_t>(nowMs - clock.startedMs);
}

std::uint64_t EndsAt(const PlayClock& clock) {
  return clock.playing ? clock.startedMs + (clock.to - clock.from) : 0;
}

void Start(PlayClock& clock, std::uint32_t from, std::uint32_t to, std::uint64_t nowMs) {
  clock.playing = 1;
  clock.paused = 0;
  clock.startedMs = nowMs;
  clock.from = from;
  clock.to = std::max(to, from);
}

void Pause(PlayClock& clock, std::uint64_t nowMs) {
  if (!IsPlaying(clock, nowMs)) {
    Stop(clock, nowMs);
    return;
  }
  clock.position = Position(clock, nowMs);
  clock.playing = 0;
  clock.paused = 1;
}

void Stop(PlayClock& clock, std::uint64_t nowMs) {
  clock.position = Position(clock, nowMs);
  clock.playing = 0;
  clock.paused = 0;
}

void MoveTo(PlayClock& clock, std::uint32_t position, std::uint64_t nowMs) {
  Stop(clock, nowMs);
  clock.position = position;
}

}  // namespace machine

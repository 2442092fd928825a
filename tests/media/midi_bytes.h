#pragma once
// Standard MIDI files made by the tests: one track with its tempo changes, a note that sounds
// from the start to `lastTick` (its second event in running status), and the track's end.

#include <cstdint>
#include <utility>
#include <vector>

namespace media {

struct TempoChange {
  std::uint32_t tick;
  std::uint32_t microsecondsPerQuarter;
};

inline void PutVariable(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  std::vector<std::uint8_t> groups{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0)
    groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  bytes.insert(bytes.end(), groups.begin(), groups.end());
}

inline void PutBig(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::vector<std::uint8_t> MidiFileBytes(std::uint16_t division,
                                               const std::vector<TempoChange>& tempos,
                                               std::uint32_t lastTick) {
  std::vector<std::uint8_t> track;
  std::uint32_t tick = 0;
  for (const TempoChange& change : tempos) {
    PutVariable(track, change.tick - tick);
    tick = change.tick;
    track.insert(track.end(), {0xFF, 0x51, 0x03});
    PutBig(track, change.microsecondsPerQuarter, 3);
  }
  PutVariable(track, 0);
  track.insert(track.end(), {0x90, 60, 100});
  PutVariable(track, lastTick - tick);
  track.insert(track.end(), {60, 0});  // running status: note off as a zero velocity
  PutVariable(track, 0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
  PutBig(file, 6, 4);
  PutBig(file, 0, 2);
  PutBig(file, 1, 2);
  PutBig(file, division, 2);
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  PutBig(file, static_cast<std::uint32_t>(track.size()), 4);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

}  // namespace media

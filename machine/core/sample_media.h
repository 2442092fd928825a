#pragma once
// Short media files the simulated PC keeps on its disk (and the tests write), made by writers of
// their own: Wine's AVI writer puts a wrong frame time into the header.

#include <cstdint>
#include <vector>

namespace machine {

// A PCM wave of `milliseconds` of a quiet tone, 8 kHz, 8 bits, mono.
std::vector<std::uint8_t> WaveFileBytes(unsigned milliseconds);

struct TempoChange {
  std::uint32_t tick;
  std::uint32_t microsecondsPerQuarter;
};

// A standard MIDI file of one track: its tempo changes, a note from the start to `lastTick`
// (its second event in running status), and the track's end.
std::vector<std::uint8_t> MidiFileBytes(std::uint16_t division,
                                        const std::vector<TempoChange>& tempos,
                                        std::uint32_t lastTick);

// An uncompressed video of `frames` frames of 32 x 24 pixels at 10 frames a second.
std::vector<std::uint8_t> VideoFileBytes(unsigned frames, std::uint16_t width = 32,
                                         std::uint16_t height = 24);

}  // namespace machine

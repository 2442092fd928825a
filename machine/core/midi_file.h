#pragma once
// What the simulated sequencer needs of a standard MIDI file: how long it plays, from the
// division of its header and the tempo changes of its tracks.

#include <cstdint>
#include <optional>
#include <vector>

namespace machine {

// The time from the start to the end of the longest track (its End of Track, or its last event
// without one), in milliseconds; nothing for bytes that are no standard MIDI file or that end
// inside a chunk or an event.
std::optional<std::uint32_t> MidiLengthMs(const std::vector<std::uint8_t>& bytes);

}  // namespace machine

#pragma once
// Short media files made by the tests themselves, with writers of their own (Wine's AVI writer
// puts a wrong frame time into the header).

#include <string>

namespace harness {

// A PCM wave file of `milliseconds` of a quiet tone, 8 kHz, 8 bits, mono.
bool WriteWaveFile(const std::string& path, unsigned milliseconds);

// An uncompressed video of `frames` frames of 32 x 24 pixels at 10 frames a second.
bool WriteVideoFile(const std::string& path, unsigned frames);

}  // namespace harness

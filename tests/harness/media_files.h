#pragma once
// Files the tests put into the simulated PC, such as the media of machine/core/sample_media.h.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace harness {

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A NAME.facts file of the media corpus (tests/media): what the encoder's prober said of the
// file, its "key=value" lines.
std::map<std::string, std::string> ReadFacts(const std::string& path);

}  // namespace harness

#pragma once
// Files the tests put into the simulated PC, such as the media of machine/core/sample_media.h.

#include <cstdint>
#include <string>
#include <vector>

namespace harness {

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace harness

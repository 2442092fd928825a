// Fuzz target: any command line gives Sonavo a player and at most one path, a word of the line
// with no blank or tab in it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sonavo/core/players.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view arguments(reinterpret_cast<const char*>(data), size);
  const sonavo::DeckCommandLine line = sonavo::ParseCommandLine(arguments);
  const int kind = static_cast<int>(line.kind);
  const bool sound = kind >= 0 && kind <= 3 &&
                     line.path.find_first_of(" \t") == std::string::npos &&
                     (line.path.empty() || arguments.find(line.path) != std::string_view::npos);
  if (!sound) std::abort();
  return 0;
}

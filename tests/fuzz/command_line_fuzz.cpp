// Fuzz target: any command line gives Sonavo a player and at most one path, a part of the line
// (with blanks only where the line quotes), and install at most three words, none longer than
// the line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "install/core/install_script.h"
#include "sonavo/core/players.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view arguments(reinterpret_cast<const char*>(data), size);
  const sonavo::DeckCommandLine line = sonavo::ParseCommandLine(arguments);
  const int kind = static_cast<int>(line.kind);
  const bool quoted = arguments.find('"') != std::string_view::npos;
  const bool sound = kind >= 0 && kind <= 3 &&
                     (quoted || line.path.find_first_of(" \t") == std::string::npos) &&
                     (line.path.empty() || arguments.find(line.path) != std::string_view::npos);
  if (!sound) std::abort();

  const std::string whole(arguments);
  const std::vector<std::string> words = install::SplitCommandLine(whole);
  if (words.size() > 3) std::abort();
  for (const std::string& word : words) {
    if (word.size() > whole.size()) std::abort();
  }
  if (const auto argument = install::UninstallArgument(whole)) {
    if (words.size() < 2 || words[1] != "3") std::abort();
  }
  return 0;
}

// Writes a help file from its topic source; a host program the build runs.
// usage: make_help SOURCE.topics OUTPUT.HLP

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/help/help_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_help SOURCE.topics OUTPUT.HLP\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "make_help: cannot read %s\n", argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  const auto source = help::ParseTopics(text.str(), &error);
  const std::vector<std::uint8_t> file =
      source ? help::WriteHelpFile(*source, &error) : std::vector<std::uint8_t>{};
  if (file.empty()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return out ? 0 : 1;
}

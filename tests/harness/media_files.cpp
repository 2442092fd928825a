#include "tests/harness/media_files.h"

#include <cstdio>
#include <fstream>

namespace harness {

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::map<std::string, std::string> ReadFacts(const std::string& path) {
  std::map<std::string, std::string> facts;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) facts[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return facts;
}

}  // namespace harness

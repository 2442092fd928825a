#pragma once
// A profile file made from a fuzzer's bytes, read the way the profile functions read one:
// "[section]" lines open a section, "key=value" lines fill it, anything else is ignored.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/native/fakes.h"

inline MemoryProfile ProfileFromBytes(const std::uint8_t* data, std::size_t size) {
  MemoryProfile profile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string section;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t equals = line.find('=');
    if (!line.empty() && line.front() == '[' && line.find(']') != std::string_view::npos) {
      section = std::string(line.substr(1, line.find(']') - 1));
    } else if (equals != std::string_view::npos) {
      profile.WriteString(section, std::string(line.substr(0, equals)),
                          std::string(line.substr(equals + 1)));
    }
  }
  return profile;
}

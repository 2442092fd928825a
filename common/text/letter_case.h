#pragma once
// Texts compared as Windows compares file, key and section names: without regard to case.

#include <algorithm>
#include <cctype>
#include <string>

namespace text {

inline std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace text

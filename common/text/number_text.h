#pragma once
// Numbers in profile and registry texts: decimal integers, lists separated by commas.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// The whole text as one decimal integer (blanks around it allowed); nothing for garbage,
// an empty text or a number out of range.
std::optional<int> ParseInt(std::string_view text);

// Field i of a comma-separated list, or defaults[i] where that field is missing or garbage.
// The result always has as many numbers as the defaults.
std::vector<int> ParseIntList(std::string_view text, const std::vector<int>& defaults);

// "1,2,3": decimal, no blanks.
std::string FormatIntList(const std::vector<int>& numbers);

}  // namespace text

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

// The text scanned as the C library scans "%d,%d,...": blanks allowed before each number, a
// comma right after it; the scan stops at the first number that cannot be read or the first
// missing comma, and the numbers it did not reach keep their values in `numbers`.
std::vector<int> ScanIntList(std::string_view text, std::vector<int> numbers);

// "1,2,3": decimal, no blanks.
std::string FormatIntList(const std::vector<int>& numbers);

}  // namespace text

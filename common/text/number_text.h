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

// The text as GetPrivateProfileIntA reads a value: `defaultValue` when it is empty; otherwise
// the number that blanks, a sign and the digits after them make (decimal, or hexadecimal after
// "0x", octal after "0o", binary after "0b"), up to the first character that is not one of its
// digits, 0 without any, wrapping as a 32-bit number does. "1x" and "1 ; note" are 1, "abc" 0.
int ProfileInt(std::string_view text, int defaultValue);

// "1,2,3": decimal, no blanks.
std::string FormatIntList(const std::vector<int>& numbers);

}  // namespace text

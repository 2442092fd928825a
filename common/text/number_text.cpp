#include "common/text/number_text.h"

#include <charconv>
#include <cstdint>

namespace text {
namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<int> ParseInt(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || next != end) return std::nullopt;
  return value;
}

std::vector<int> ParseIntList(std::string_view text, const std::vector<int>& defaults) {
  std::vector<int> numbers = defaults;
  for (std::size_t i = 0; i < numbers.size() && !text.empty(); ++i) {
    const auto comma = text.find(',');
    if (auto number = ParseInt(text.substr(0, comma))) numbers[i] = *number;
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return numbers;
}

std::vector<int> ScanIntList(std::string_view text, std::vector<int> numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) {
      if (text.empty() || text.front() != ',') break;
      text.remove_prefix(1);
    }
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) break;
    text.remove_prefix(first);
    if (text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) break;
    numbers[i] = value;
    text.remove_prefix(static_cast<std::size_t>(next - text.data()));
  }
  return numbers;
}

int ProfileInt(std::string_view text, int defaultValue) {
  if (text.empty()) return defaultValue;
  std::size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  unsigned base = 10;
  if (at + 1 < text.size() && text[at] == '0') {
    const char prefix = text[at + 1];
    base = prefix == 'x' || prefix == 'X' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) at += 2;
  }
  std::uint32_t value = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    const unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                           : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10)
                           : c >= 'A' && c <= 'F' ? static_cast<unsigned>(c - 'A' + 10)
                                                  : base;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return static_cast<int>(negative ? 0u - value : value);
}

std::string FormatIntList(const std::vector<int>& numbers) {
  std::string result;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) result += ',';
    result += std::to_string(numbers[i]);
  }
  return result;
}

}  // namespace text

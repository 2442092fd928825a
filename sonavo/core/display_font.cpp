#include "sonavo/core/display_font.h"

namespace sonavo {

std::optional<Cell> DigitCell(char c, int stripWidth, int stripHeight) {
  const int index = c == ':' ? 10 : c - '0';
  if (index < 0 || index >= kDigitCells) return std::nullopt;
  const int width = stripWidth / kDigitCells;
  if (width < 2 || stripHeight < 2) return std::nullopt;
  return Cell{index * width, 0, width - 1, stripHeight - 1};
}

std::optional<Cell> GlyphCell(char c) {
  if (c < kFirstGlyph || c > kLastGlyph) return std::nullopt;
  const int index = c - kFirstGlyph;
  return Cell{index % kGlyphColumns * kGlyphPitch, index / kGlyphColumns * kGlyphPitch, kGlyphSize,
              kGlyphSize};
}

int LabelWidth(std::string_view text, int spacing) {
  if (text.empty()) return 0;
  const int n = static_cast<int>(text.size());
  return n * kGlyphSize + (n - 1) * spacing;
}

Origin CentredLabel(std::string_view text, int spacing, int fieldWidth, int fieldHeight) {
  return {(fieldWidth - LabelWidth(text, spacing)) / 2, (fieldHeight - kGlyphSize) / 2};
}

}  // namespace sonavo

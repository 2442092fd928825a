#pragma once
// The deck's display fonts, monochrome bitmaps drawn cell by cell: digit strips of eleven equal
// cells ("0" to "9" and ":"), and the label font, 5 x 5-pixel glyphs in 6-pixel cells, ten a
// row, from "0" on in code order (digits, then ":", ";", "<", "=", ">", "?", "@" and the capital
// letters).

#include <optional>
#include <string_view>

namespace sonavo {

struct Cell {
  int x;
  int y;
  int width;
  int height;
};

inline constexpr int kDigitCells = 11;
// Characters on the main deck are a cell plus 5 pixels apart, on the video and compact decks a
// cell plus 3.
inline constexpr int kMainDigitGap = 5;
inline constexpr int kSmallDigitGap = 3;

// The part of a digit strip `stripWidth` x `stripHeight` drawn for `c`: its cell one pixel
// narrower and lower. Nothing for a character the strip does not hold.
std::optional<Cell> DigitCell(char c, int stripWidth, int stripHeight);
// The distance from one character to the next.
inline int DigitStep(int stripWidth, int gap) {
  return stripWidth / kDigitCells + gap;
}

inline constexpr int kGlyphSize = 5;
inline constexpr int kGlyphPitch = 6;
inline constexpr int kGlyphColumns = 10;
inline constexpr char kFirstGlyph = '0';
inline constexpr char kLastGlyph = 'Z';
// Glyphs of labels are 2 pixels apart, the numbers of the track buttons 1, "=>" touching.
inline constexpr int kLabelSpacing = 2;
inline constexpr int kTrackNumberSpacing = 1;

// The glyph of `c` in the label font; nothing outside "0".."Z".
std::optional<Cell> GlyphCell(char c);
// The width of `text` set in the label font with `spacing` pixels between glyphs.
int LabelWidth(std::string_view text, int spacing);
// Where a label starts to sit centred in a field of this width and height.
struct Origin {
  int x;
  int y;
};
Origin CentredLabel(std::string_view text, int spacing, int fieldWidth, int fieldHeight);

}  // namespace sonavo

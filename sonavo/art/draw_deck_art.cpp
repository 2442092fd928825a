// Draws the deck's artwork at build time: the display fonts and indicators (monochrome: the deck
// lights them in the text colour), the compact deck's faces, the position bar's thumb, the icons
// and the hand cursor. A host program, run by the build: draw_deck_art OUTPUT_FOLDER.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/art/art_kit.h"
#include "sonavo/core/display_font.h"

namespace {

using art::Canvas;
using art::Colour;
using art::kBlack;
using art::kCyan;
using art::kDarkCyan;
using art::kKey;
using art::kPanel;
using art::kPanelDark;
using art::kPanelLight;
using art::kWhite;
using art::WriteBmp;
using art::WriteIconFile;

using art::DrawGlyph;

void DrawLabel(Canvas& canvas, const std::string& text, int atX, int atY, int scale, Colour ink) {
  art::DrawLabel(canvas, text, atX, atY, scale, sonavo::kLabelSpacing, ink);
}

// A seven-segment digit (or ":") filling w x h, segments `t` thick.
void DrawSegments(Canvas& canvas, char c, int x0, int y0, int w, int h, int t) {
  if (c == ':') {
    const int cx = x0 + (w - t) / 2;
    canvas.Fill(cx, y0 + h / 3 - t / 2, cx + t, y0 + h / 3 - t / 2 + t, kWhite);
    canvas.Fill(cx, y0 + 2 * h / 3 - t / 2, cx + t, y0 + 2 * h / 3 - t / 2 + t, kWhite);
    return;
  }
  static const char* const kLit[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                     "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  const std::string lit = kLit[c - '0'];
  const int mid = y0 + (h - t) / 2;
  const auto on = [&](char s) { return lit.find(s) != std::string::npos; };
  // Horizontal segments leave a pixel at each end, so that the segments read apart.
  if (on('a')) canvas.Fill(x0 + 1, y0, x0 + w - 1, y0 + t, kWhite);
  if (on('g')) canvas.Fill(x0 + 1, mid, x0 + w - 1, mid + t, kWhite);
  if (on('d')) canvas.Fill(x0 + 1, y0 + h - t, x0 + w - 1, y0 + h, kWhite);
  if (on('f')) canvas.Fill(x0, y0 + 1, x0 + t, mid, kWhite);
  if (on('b')) canvas.Fill(x0 + w - t, y0 + 1, x0 + w, mid, kWhite);
  if (on('e')) canvas.Fill(x0, mid + t, x0 + t, y0 + h - 1, kWhite);
  if (on('c')) canvas.Fill(x0 + w - t, mid + t, x0 + w, y0 + h - 1, kWhite);
}

Canvas DigitStrip(int cellWidth, int cellHeight, int thickness) {
  Canvas strip(cellWidth * sonavo::kDigitCells, cellHeight, kBlack);
  const std::string characters = "0123456789:";
  for (char c : characters) {
    const auto cell = sonavo::DigitCell(c, strip.width, strip.height);
    DrawSegments(strip, c, cell->x, cell->y, cell->width, cell->height, thickness);
  }
  return strip;
}

Canvas GlyphGrid() {
  const int count = sonavo::kLastGlyph - sonavo::kFirstGlyph + 1;
  const int rows = (count + sonavo::kGlyphColumns - 1) / sonavo::kGlyphColumns;
  Canvas grid(sonavo::kGlyphColumns * sonavo::kGlyphPitch, rows * sonavo::kGlyphPitch, kBlack);
  for (char c = sonavo::kFirstGlyph; c <= sonavo::kLastGlyph; ++c) {
    const auto cell = sonavo::GlyphCell(c);
    DrawGlyph(grid, c, cell->x, cell->y, 1, kWhite);
  }
  return grid;
}

// The repeat indicator: a loop with an arrow head; with `one`, a "1" inside (track repeat).
Canvas RepeatIndicator(bool one) {
  Canvas c(23, 11, kBlack);
  c.Fill(2, 1, 21, 2, kWhite);
  c.Fill(2, 9, 21, 10, kWhite);
  c.Fill(1, 2, 2, 9, kWhite);
  c.Fill(21, 2, 22, 9, kWhite);
  c.Triangle(14, 6, 14, 13, 9.5, 9.5, kBlack);
  c.Triangle(14, 6.5, 14, 12.5, 10, 9.5, kWhite);
  if (one) DrawGlyph(c, '1', 9, 3, 1, kWhite);
  return c;
}

// The players' emblems: their word framed.
Canvas Emblem(const std::string& word) {
  const int textWidth = sonavo::LabelWidth(word, sonavo::kLabelSpacing);
  Canvas c(textWidth + 8, 11, kBlack);
  c.Fill(0, 0, c.width, 1, kWhite);
  c.Fill(0, c.height - 1, c.width, c.height, kWhite);
  c.Fill(0, 0, 1, c.height, kWhite);
  c.Fill(c.width - 1, 0, c.width, c.height, kWhite);
  DrawLabel(c, word, 4, 3, 1, kWhite);
  return c;
}

// The players' faces, 32 x 32: a disc, a note, a wave, a film.
Canvas Face(int kind) {
  Canvas c(32, 32, kBlack);
  switch (kind) {
    case 0:
      c.Ring(16, 16, 13, 15, kWhite);
      c.Ring(16, 16, 4, 8, kWhite);
      c.Ring(16, 16, 0, 1.6, kWhite);
      c.Ring(16, 16, 10, 11, kWhite);
      break;
    case 1:
      c.Ring(9, 24, 0, 5, kWhite);
      c.Ring(23, 20, 0, 5, kWhite);
      c.Fill(13, 4, 15, 24, kWhite);
      c.Fill(27, 0, 29, 20, kWhite);
      c.Fill(13, 2, 29, 7, kWhite);
      break;
    case 2:
      for (int x = 1; x < 31; ++x) {
        const double y = 16 - 11 * std::sin((x - 1) / 30.0 * 2 * M_PI) * (1 - (x - 1) / 45.0);
        c.Fill(x, int(y) - 1, x + 1, int(y) + 2, kWhite);
      }
      c.Fill(0, 16, 32, 17, kWhite);
      break;
    default:
      c.Fill(3, 5, 29, 27, kWhite);
      for (int x = 5; x < 28; x += 5) {
        c.Fill(x, 7, x + 3, 10, kBlack);
        c.Fill(x, 22, x + 3, 25, kBlack);
      }
      c.Fill(6, 12, 26, 20, kBlack);
      c.Triangle(13, 13, 13, 19, 19, 16, kWhite);
      break;
  }
  return c;
}

// The compact deck's display face: an LCD window and four small keys.
Canvas CompactDisplay() {
  Canvas c(142, 31, kPanel);
  c.Key(6, 5, 19, 15);
  c.Key(6, 18, 19, 26);
  c.Key(123, 5, 136, 15);
  c.Key(123, 16, 136, 26);
  // Show/hide the deck: a small window; close: a cross; volume: + and -.
  c.Fill(9, 7, 16, 13, kCyan);
  c.Fill(10, 9, 15, 12, kKey);
  for (int i = 0; i < 5; ++i) {
    c.Set(10 + i, 20 + i, kCyan);
    c.Set(14 - i, 20 + i, kCyan);
  }
  c.Fill(127, 10, 132, 11, kCyan);
  c.Fill(129, 8, 130, 13, kCyan);
  c.Fill(127, 21, 132, 22, kCyan);
  c.Fill(22, 4, 120, 27, kBlack);
  c.Fill(22, 4, 120, 5, kPanelDark);
  c.Fill(22, 26, 120, 27, kPanelLight);
  return c;
}

// The compact deck's control face: Eject or Load, Previous, Stop, Next, Play/Pause, Back.
Canvas CompactControls(bool files) {
  Canvas c(142, 31, kPanel);
  c.Key(4, 4, 34, 27);
  c.Key(35, 4, 62, 15);
  c.Key(63, 4, 90, 15);
  c.Key(91, 4, 118, 15);
  c.Key(35, 16, 118, 27);
  c.Key(123, 5, 136, 26);
  if (files) {
    // Load: a folder.
    c.Fill(11, 10, 27, 21, kCyan);
    c.Fill(11, 8, 17, 10, kCyan);
    c.Fill(12, 12, 26, 20, kKey);
  } else {
    // Eject: a triangle over a bar.
    c.Triangle(12, 15, 26, 15, 19, 8, kCyan);
    c.Fill(12, 17, 27, 20, kCyan);
  }
  c.Fill(44, 7, 46, 12, kCyan);  // previous: a bar and a triangle pointing left
  c.Triangle(53, 6.5, 53, 12.5, 47, 9.5, kCyan);
  c.Fill(73, 7, 79, 12, kCyan);  // stop
  c.Triangle(99, 6.5, 99, 12.5, 105, 9.5, kCyan);
  c.Fill(106, 7, 108, 12, kCyan);
  c.Triangle(68, 18, 68, 25, 74, 21.5, kCyan);  // play/pause
  c.Fill(78, 18, 80, 25, kCyan);
  c.Fill(82, 18, 84, 25, kCyan);
  c.Triangle(132, 10, 132, 21, 127, 15.5, kCyan);  // back to the display
  return c;
}

// The video deck's panel: brushed dark metal with the display's window on the left.
Canvas VideoDeckPanel() {
  Canvas c(320, 48, kPanel);
  for (int y = 0; y < c.height; ++y) {
    const Colour line = y % 3 == 0 ? 0x24282C : kPanel;
    c.Fill(0, y, c.width, y + 1, line);
  }
  c.Fill(0, 0, c.width, 1, kPanelLight);
  c.Fill(0, c.height - 1, c.width, c.height, kPanelDark);
  c.Fill(4, 4, 104, 44, kBlack);
  c.Fill(4, 4, 104, 5, kPanelDark);
  c.Fill(4, 43, 104, 44, kPanelLight);
  return c;
}

Canvas SmallIndicator(bool play) {
  Canvas c(7, 7, kBlack);
  if (play) {
    c.Triangle(1, 0, 1, 7, 6.5, 3.5, kCyan);
  } else {
    c.Fill(1, 0, 3, 7, kCyan);
    c.Fill(4, 0, 6, 7, kCyan);
  }
  return c;
}

Canvas Thumb(bool erase) {
  Canvas c(9, 15, kBlack);
  if (erase) {
    c.Fill(0, 6, 9, 9, kPanelDark);
    return c;
  }
  c.Key(0, 0, 9, 15);
  c.Fill(4, 3, 5, 12, kCyan);
  return c;
}

// The deck's icon: a disc with a note; the playback window's: a film frame.
Canvas Icon(bool deck, int size) {
  Canvas c(size, size, 0xFF000000);  // the top byte marks a transparent pixel
  const double s = size / 32.0;
  if (deck) {
    c.Ring(16 * s, 16 * s, 0, 15 * s, 0x1C2A30);
    c.Ring(16 * s, 16 * s, 4 * s, 14 * s, kDarkCyan);
    c.Ring(16 * s, 16 * s, 9 * s, 10 * s, kCyan);
    c.Ring(16 * s, 16 * s, 0, 3 * s, 0x1C2A30);
    c.Ring(20 * s, 22 * s, 0, 3.5 * s, kWhite);
    c.Fill(int(23 * s), int(8 * s), int(24.5 * s), int(22 * s), kWhite);
  } else {
    c.Fill(int(2 * s), int(6 * s), int(30 * s), int(26 * s), 0x1C2A30);
    c.Fill(int(6 * s), int(9 * s), int(26 * s), int(23 * s), kDarkCyan);
    c.Triangle(13 * s, 11 * s, 13 * s, 21 * s, 21 * s, 16 * s, kCyan);
  }
  return c;
}

// The hand cursor: a pointing hand, black outline on white; grey marks the transparent part.
Canvas Hand() {
  static const char* const kRows[] = {
      ".....##.........", "....#..#........", "....#..#........", "....#..#........",
      "....#..###......", "....#..#..###...", "....#..#..#..##.", ".##.#..#..#..#.#",
      "#..##........#.#", "#...#..........#", ".#.............#", ".#.............#",
      "..#............#", "..#...........#.", "...#..........#.", "...#.........#..",
      "....#........#..", "....##########..",
  };
  Canvas c(32, 32, 0x808080);
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 16; ++x) {
      const char p = kRows[y][x];
      if (p == '#') c.Set(x + 4, y + 2, kBlack);
    }
    // Fill between the outline's first and last mark of the row with white.
    int first = -1, last = -1;
    for (int x = 0; x < 16; ++x)
      if (kRows[y][x] == '#') {
        if (first < 0) first = x;
        last = x;
      }
    for (int x = first + 1; x < last && first >= 0; ++x)
      if (kRows[y][x] != '#') c.Set(x + 4, y + 2, kWhite);
  }
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_deck_art OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = WriteBmp(out + "digits117.bmp", DigitStrip(15, 24, 3), true) &&
            WriteBmp(out + "digits193.bmp", DigitStrip(8, 12, 1), true) &&
            WriteBmp(out + "glyphs122.bmp", GlyphGrid(), true) &&
            WriteBmp(
                out + "play120.bmp",
                [] {
                  Canvas c(9, 9, kBlack);
                  c.Triangle(1, 0, 1, 9, 8.5, 4.5, kWhite);
                  return c;
                }(),
                true) &&
            WriteBmp(
                out + "pause121.bmp",
                [] {
                  Canvas c(9, 9, kBlack);
                  c.Fill(1, 0, 4, 9, kWhite);
                  c.Fill(5, 0, 8, 9, kWhite);
                  return c;
                }(),
                true) &&
            WriteBmp(out + "repeat124.bmp", RepeatIndicator(false), true) &&
            WriteBmp(out + "repeat157.bmp", RepeatIndicator(true), true) &&
            WriteBmp(out + "compact189.bmp", CompactDisplay(), false) &&
            WriteBmp(out + "compact192.bmp", CompactControls(false), false) &&
            WriteBmp(out + "compact209.bmp", CompactControls(true), false) &&
            WriteBmp(out + "thumb205.bmp", Thumb(false), false) &&
            WriteBmp(out + "thumb206.bmp", Thumb(true), false) &&
            WriteBmp(out + "play215.bmp", SmallIndicator(true), false) &&
            WriteBmp(out + "pause216.bmp", SmallIndicator(false), false) &&
            WriteBmp(out + "videodeck220.bmp", VideoDeckPanel(), false) &&
            WriteIconFile(out + "deck213.ico", {Icon(true, 32), Icon(true, 16)}, false) &&
            WriteIconFile(out + "video211.ico", {Icon(false, 32), Icon(false, 16)}, false) &&
            WriteIconFile(out + "hand174.cur", {Hand()}, true, 9, 2);
  const char* const kWords[] = {"CD", "MIDI", "WAVE", "VIDEO"};
  for (int kind = 0; kind < 4 && ok; ++kind) {
    ok = WriteBmp(out + "emblem" + std::to_string(144 + kind) + ".bmp", Emblem(kWords[kind]),
                  true) &&
         WriteBmp(out + "face" + std::to_string(158 + kind) + ".bmp", Face(kind), true);
  }
  if (!ok) std::fprintf(stderr, "draw_deck_art: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}

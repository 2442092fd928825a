#pragma once
// Draws the deck's face: the display's fields from the monochrome fonts and indicators (lit or
// unlit in the text colour, on black) and the deck's owner-drawn buttons.

#include <windows.h>

#include <string>

#include "sonavo/core/deck_face.h"
#include "sonavo/core/players.h"

class DeckPainter {
 public:
  explicit DeckPainter(sonavo::PlayerKind kind);
  ~DeckPainter();
  DeckPainter(const DeckPainter&) = delete;
  DeckPainter& operator=(const DeckPainter&) = delete;

  // Digits of the main deck's strip ("0"-"9", ":"), a cell plus 5 pixels apart.
  void Digits(HDC dc, const std::string& text, int x, int y, bool lit) const;
  // Digits of the small strip of the video and compact decks, lit, a cell plus 3 apart.
  void SmallDigits(HDC dc, const std::string& text, int x, int y) const;
  // A label in the glyph font, `spacing` pixels between glyphs.
  void Label(HDC dc, const std::string& text, int x, int y, int spacing,
             const sonavo::Rgb& colour) const;
  // A label centred in a rectangle filled with `field` first.
  void LabelIn(HDC dc, const RECT& area, const std::string& text, int spacing,
               const sonavo::ButtonLook& look) const;
  enum class Mark { Play, Pause, Repeat, TrackRepeat, Emblem, Face };
  void DrawMark(HDC dc, Mark mark, const RECT& place, bool lit) const;

  // A key of the deck: raised, or pressed, with its symbol for the command `id`.
  void Key(const DRAWITEMSTRUCT& item) const;

 private:
  void Blit(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int fromX, int fromY,
            const sonavo::Rgb& ink) const;
  HBITMAP Bitmap(Mark mark) const;

  sonavo::PlayerKind kind_;
  HBITMAP digits_;
  HBITMAP smallDigits_;
  HBITMAP glyphs_;
  HBITMAP play_;
  HBITMAP pause_;
  HBITMAP repeat_;
  HBITMAP trackRepeat_;
  HBITMAP emblem_;
  HBITMAP face_;
};

COLORREF ColourOf(const sonavo::Rgb& rgb);

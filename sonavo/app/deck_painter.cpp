#include "sonavo/app/deck_painter.h"

#include <algorithm>
#include <vector>

#include "sonavo/app/resource.h"
#include "sonavo/core/display_font.h"

namespace {

constexpr sonavo::Rgb kKeyFace{44, 48, 54};
constexpr sonavo::Rgb kKeyLight{86, 94, 102};
constexpr sonavo::Rgb kKeyShadow{12, 14, 16};

HBITMAP Load(int id) {
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP facts{};
  GetObjectA(bitmap, sizeof(facts), &facts);
  return {facts.bmWidth, facts.bmHeight};
}

void Fill(HDC dc, const RECT& area, const sonavo::Rgb& colour) {
  HBRUSH brush = CreateSolidBrush(ColourOf(colour));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// A filled polygon in the key's ink, offset into the key's rectangle.
void Shape(HDC dc, const RECT& key, std::vector<POINT> points, const sonavo::Rgb& ink) {
  for (POINT& p : points) {
    p.x += key.left;
    p.y += key.top;
  }
  HBRUSH brush = CreateSolidBrush(ColourOf(ink));
  HPEN pen = CreatePen(PS_SOLID, 1, ColourOf(ink));
  HGDIOBJ keptBrush = SelectObject(dc, brush);
  HGDIOBJ keptPen = SelectObject(dc, pen);
  Polygon(dc, points.data(), static_cast<int>(points.size()));
  SelectObject(dc, keptBrush);
  SelectObject(dc, keptPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void Bar(HDC dc, const RECT& key, int left, int top, int width, int height,
         const sonavo::Rgb& ink) {
  Shape(dc, key,
        {{left, top},
         {left + width - 1, top},
         {left + width - 1, top + height - 1},
         {left, top + height - 1}},
        ink);
}

// Triangles pointing right (+1) or left (-1), `size` high, with their tip at x.
void Arrow(HDC dc, const RECT& key, int tipX, int centreY, int size, int direction,
           const sonavo::Rgb& ink) {
  const int back = tipX - direction * (size / 2 + 1);
  Shape(dc, key, {{tipX, centreY}, {back, centreY - size / 2}, {back, centreY + size / 2}}, ink);
}

}  // namespace

COLORREF ColourOf(const sonavo::Rgb& rgb) {
  return RGB(rgb.r, rgb.g, rgb.b);
}

DeckPainter::DeckPainter(sonavo::PlayerKind kind)
    : kind_(kind),
      digits_(Load(IDB_DIGITS)),
      smallDigits_(Load(IDB_SMALL_DIGITS)),
      glyphs_(Load(IDB_GLYPHS)),
      play_(Load(IDB_PLAY_MARK)),
      pause_(Load(IDB_PAUSE_MARK)),
      repeat_(Load(IDB_REPEAT_MARK)),
      trackRepeat_(Load(IDB_TRACK_REPEAT_MARK)),
      emblem_(Load(IDB_EMBLEM_FIRST + static_cast<int>(kind))),
      face_(Load(IDB_FACE_FIRST + static_cast<int>(kind))) {}

DeckPainter::~DeckPainter() {
  for (HBITMAP bitmap :
       {digits_, smallDigits_, glyphs_, play_, pause_, repeat_, trackRepeat_, emblem_, face_}) {
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

// A monochrome bitmap's black pixels take the text colour, its white ones the background's.
void DeckPainter::Blit(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int fromX,
                       int fromY, const sonavo::Rgb& ink) const {
  if (bitmap == nullptr) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ kept = SelectObject(source, bitmap);
  const COLORREF text = SetTextColor(dc, ColourOf(ink));
  const COLORREF back = SetBkColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, width, height, source, fromX, fromY, SRCCOPY);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SelectObject(source, kept);
  DeleteDC(source);
}

void DeckPainter::Digits(HDC dc, const std::string& text, int x, int y, bool lit) const {
  const SIZE strip = SizeOf(digits_);
  for (char c : text) {
    if (const auto cell = sonavo::DigitCell(c, strip.cx, strip.cy)) {
      Blit(dc, digits_, x, y, cell->width, cell->height, cell->x, cell->y,
           lit ? sonavo::kLitColour : sonavo::kUnlitColour);
    }
    x += sonavo::DigitStep(strip.cx, sonavo::kMainDigitGap);
  }
}

void DeckPainter::SmallDigits(HDC dc, const std::string& text, int x, int y) const {
  const SIZE strip = SizeOf(smallDigits_);
  for (char c : text) {
    if (const auto cell = sonavo::DigitCell(c, strip.cx, strip.cy)) {
      Blit(dc, smallDigits_, x, y, cell->width, cell->height, cell->x, cell->y, sonavo::kLitColour);
    }
    x += sonavo::DigitStep(strip.cx, sonavo::kSmallDigitGap);
  }
}

void DeckPainter::Label(HDC dc, const std::string& text, int x, int y, int spacing,
                        const sonavo::Rgb& colour) const {
  for (char c : text) {
    if (const auto cell = sonavo::GlyphCell(c)) {
      Blit(dc, glyphs_, x, y, cell->width, cell->height, cell->x, cell->y, colour);
    }
    x += sonavo::kGlyphSize + spacing;
  }
}

void DeckPainter::LabelIn(HDC dc, const RECT& area, const std::string& text, int spacing,
                          const sonavo::ButtonLook& look) const {
  Fill(dc, area, look.field);
  const auto origin =
      sonavo::CentredLabel(text, spacing, area.right - area.left, area.bottom - area.top);
  // The glyphs' own background is the field.
  const int x = area.left + origin.x;
  const int y = area.top + origin.y;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ kept = SelectObject(source, glyphs_);
  const COLORREF text_ = SetTextColor(dc, ColourOf(look.text));
  const COLORREF back = SetBkColor(dc, ColourOf(look.field));
  int at = x;
  for (char c : text) {
    if (const auto cell = sonavo::GlyphCell(c)) {
      BitBlt(dc, at, y, cell->width, cell->height, source, cell->x, cell->y, SRCCOPY);
    }
    at += sonavo::kGlyphSize + spacing;
  }
  SetTextColor(dc, text_);
  SetBkColor(dc, back);
  SelectObject(source, kept);
  DeleteDC(source);
}

HBITMAP DeckPainter::Bitmap(Mark mark) const {
  switch (mark) {
    case Mark::Play:
      return play_;
    case Mark::Pause:
      return pause_;
    case Mark::Repeat:
      return repeat_;
    case Mark::TrackRepeat:
      return trackRepeat_;
    case Mark::Emblem:
      return emblem_;
    default:
      return face_;
  }
}

void DeckPainter::DrawMark(HDC dc, Mark mark, const RECT& place, bool lit) const {
  HBITMAP bitmap = Bitmap(mark);
  const SIZE size = SizeOf(bitmap);
  Blit(dc, bitmap, place.left, place.top, size.cx, size.cy, 0, 0,
       lit ? sonavo::kLitColour : sonavo::kUnlitColour);
}

void DeckPainter::Key(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT key = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  Fill(dc, key, kKeyFace);
  HPEN light = CreatePen(PS_SOLID, 1, ColourOf(pressed ? kKeyShadow : kKeyLight));
  HPEN shadow = CreatePen(PS_SOLID, 1, ColourOf(pressed ? kKeyLight : kKeyShadow));
  HGDIOBJ kept = SelectObject(dc, light);
  MoveToEx(dc, key.left, key.bottom - 1, nullptr);
  LineTo(dc, key.left, key.top);
  LineTo(dc, key.right - 1, key.top);
  SelectObject(dc, shadow);
  LineTo(dc, key.right - 1, key.bottom - 1);
  LineTo(dc, key.left, key.bottom - 1);
  SelectObject(dc, kept);
  DeleteObject(light);
  DeleteObject(shadow);

  const sonavo::Rgb ink = enabled ? sonavo::kLitColour : sonavo::kUnlitColour;
  const int w = key.right - key.left;
  const int h = key.bottom - key.top;
  const int cx = w / 2 + (pressed ? 1 : 0);
  const int cy = h / 2 + (pressed ? 1 : 0);
  const int s = std::max(4, std::min(w, h) / 2 - 1);  // the symbol's height
  RECT origin{key.left, key.top, key.right, key.bottom};
  switch (item.CtlID) {
    case IDC_PLAY_PAUSE:
      Arrow(dc, origin, cx - 1, cy, s, +1, ink);
      Bar(dc, origin, cx + 2, cy - s / 2, 2, s + 1, ink);
      Bar(dc, origin, cx + 5, cy - s / 2, 2, s + 1, ink);
      break;
    case IDC_STOP:
      Bar(dc, origin, cx - s / 2, cy - s / 2, s, s, ink);
      break;
    case IDC_PREVIOUS:
      Bar(dc, origin, cx - s / 2 - 2, cy - s / 2, 2, s + 1, ink);
      Arrow(dc, origin, cx - s / 2 + 1, cy, s, -1, ink);
      Arrow(dc, origin, cx + 2, cy, s, -1, ink);
      break;
    case IDC_NEXT:
      Arrow(dc, origin, cx - 1, cy, s, +1, ink);
      Arrow(dc, origin, cx + s / 2 + 1, cy, s, +1, ink);
      Bar(dc, origin, cx + s / 2 + 2, cy - s / 2, 2, s + 1, ink);
      break;
    case IDC_REWIND:
      Arrow(dc, origin, cx - s / 2, cy, s, -1, ink);
      Arrow(dc, origin, cx + 1, cy, s, -1, ink);
      break;
    case IDC_FORWARD:
      Arrow(dc, origin, cx, cy, s, +1, ink);
      Arrow(dc, origin, cx + s / 2 + 1, cy, s, +1, ink);
      break;
    case IDC_EJECT:
      if (kind_ == sonavo::PlayerKind::Cd) {
        Shape(dc, origin,
              {{cx, cy - s / 2 - 1}, {cx - s / 2 - 1, cy + 1}, {cx + s / 2 + 1, cy + 1}}, ink);
        Bar(dc, origin, cx - s / 2 - 1, cy + 3, s + 3, 2, ink);
      } else {
        // Load: a folder.
        Bar(dc, origin, cx - s / 2 - 1, cy - s / 2 + 1, s / 2, 2, ink);
        Bar(dc, origin, cx - s / 2 - 1, cy - s / 2 + 2, s + 3, s - 1, ink);
      }
      break;
    case IDC_MINIMIZE:
      Bar(dc, origin, cx - 3, cy + 1, 7, 2, ink);
      break;
    case IDC_CLOSE:
    case IDC_VIDEO_CLOSE:
      for (int i = -2; i <= 2; ++i) {
        SetPixel(dc, key.left + cx + i, key.top + cy + i, ColourOf(ink));
        SetPixel(dc, key.left + cx + i, key.top + cy - i, ColourOf(ink));
      }
      break;
    case IDC_MENU:
    case IDC_VIDEO_SHOW_DECK:
      for (int row = -2; row <= 2; row += 2) Bar(dc, origin, cx - 3, cy + row, 7, 1, ink);
      break;
    case IDC_VOLUME_UP:
      Bar(dc, origin, cx - 2, cy, 5, 1, ink);
      Bar(dc, origin, cx, cy - 2, 1, 5, ink);
      break;
    case IDC_VOLUME_DOWN:
      Bar(dc, origin, cx - 2, cy, 5, 1, ink);
      break;
    case IDC_FASTER:
    case IDC_SLOWER:
      Label(dc, item.CtlID == IDC_FASTER ? ">" : "<", key.left + cx - 2, key.top + cy - 2, 0, ink);
      break;
    default:
      // Repeat, Mode and EDIT: a lamp, their word is on the panel below.
      Bar(dc, origin, cx - 3, cy - 1, 6, 3, ink);
      break;
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = key;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

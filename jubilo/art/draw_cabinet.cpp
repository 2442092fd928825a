// Draws Jubilo's artwork at build time: the cabinet skin "cabinet.bmp" (the shape the window is
// cut to, its video screen's bezel and the wells of its buttons, where the layout puts them),
// the player buttons' faces 184, 200 and 236, and the icon 214.
// A host program, run by the build: draw_cabinet OUTPUT_FOLDER.

#include <cmath>
#include <cstdio>
#include <string>

#include "common/art/art_kit.h"
#include "jubilo/core/cabinet.h"

namespace {

using art::Canvas;
using art::Colour;

constexpr Colour kBody = 0x2A3036;
constexpr Colour kBodyLight = 0x5A646E;
constexpr Colour kBodyDark = 0x101316;
constexpr Colour kWell = 0x15181B;
constexpr Colour kTrim = 0x00A0A8;

// Whether a point lies inside the cabinet's outline (the window's shape after its caption).
bool Inside(int x, int y) {
  static const std::vector<jubilo::Point> shape = jubilo::WindowShape(0, 0, 0);
  static const std::vector<jubilo::Point> outline(shape.begin() + 4, shape.end());
  bool in = false;
  for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    const jubilo::Point a = outline[i];
    const jubilo::Point b = outline[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / double(b.y - a.y) + a.x) {
      in = !in;
    }
  }
  return in;
}

void Bevel(Canvas& c, int left, int top, int right, int bottom, bool sunken) {
  c.Fill(left, top, right, top + 1, sunken ? kBodyDark : kBodyLight);
  c.Fill(left, top, left + 1, bottom, sunken ? kBodyDark : kBodyLight);
  c.Fill(left, bottom - 1, right, bottom, sunken ? kBodyLight : kBodyDark);
  c.Fill(right - 1, top, right, bottom, sunken ? kBodyLight : kBodyDark);
}

Canvas Cabinet() {
  Canvas c(jubilo::kCabinetWidth, jubilo::kCabinetHeight, 0x000000);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      if (!Inside(x, y)) continue;
      // Brushed metal: a faint grain across, lighter towards the top.
      const int shade = 8 - y / 60 + ((x * 7 + y * 13) % 5 == 0 ? 3 : 0);
      const int v = 0x2A + shade;
      c.Set(x, y, Colour(v << 16 | (v + 6) << 8 | (v + 12)));
    }
  }
  // A cyan trim along the top edge of the body.
  for (int x = 24; x < 580; ++x) c.Set(x, 28, kTrim);
  // The wells the controls sit in, and the screen's bezel.
  for (const jubilo::Place& place : jubilo::Layout()) {
    if (place.id == 1177) {
      c.Fill(place.left - 6, place.top - 6, place.left + place.width + 6,
             place.top + place.height + 6, kBodyDark);
      Bevel(c, place.left - 6, place.top - 6, place.left + place.width + 6,
            place.top + place.height + 6, false);
      c.Fill(place.left, place.top, place.left + place.width, place.top + place.height, 0);
    } else if (place.id >= 1105 && place.id <= 1110) {
      c.Fill(place.left - 2, place.top - 2, place.left + place.width + 2,
             place.top + place.height + 2, kWell);
      Bevel(c, place.left - 2, place.top - 2, place.left + place.width + 2,
            place.top + place.height + 2, true);
    }
  }
  return c;
}

// A player button's face: a dark key with its sign in cyan.
Canvas Button(int sign) {
  Canvas c(142, 31, art::kKey);
  Bevel(c, 0, 0, c.width, c.height, false);
  switch (sign) {
    case 0:  // play
      c.Triangle(64, 8, 64, 23, 78, 15.5, art::kCyan);
      break;
    case 1:  // mixer: three sliders
      for (int i = 0; i < 3; ++i) {
        c.Fill(58 + i * 12, 7, 60 + i * 12, 24, art::kDarkCyan);
        c.Fill(55 + i * 12, 10 + i * 5, 63 + i * 12, 13 + i * 5, art::kCyan);
      }
      break;
    default:  // video: a film frame
      c.Fill(56, 8, 86, 23, art::kCyan);
      c.Fill(59, 11, 83, 20, art::kKey);
      c.Triangle(67, 12, 67, 19, 74, 15.5, art::kCyan);
      break;
  }
  return c;
}

// The start-up animation's pictures: the maker's name (201), the strip (203), the title (204).
// The logo in 4:3, the proportion in which the animation grows it.
Canvas Logo() {
  Canvas c(96, 72, 0x000000);
  art::DrawLabel(c, "MAROVANE", 1, 31, 2, 1, art::kCyan);
  return c;
}

Canvas Strip() {
  Canvas c(240, 10, 0x000000);
  for (int x = 0; x < c.width; ++x) {
    const int level = 80 + 175 * x / c.width;
    c.Fill(x, 2, x + 1, 8, Colour(level / 4 << 16 | level << 8 | level));
  }
  for (int x = 0; x < c.width; x += 30) c.Fill(x, 0, x + 1, 10, art::kCyan);
  return c;
}

Canvas Title() {
  Canvas c(120, 20, 0x000000);
  art::DrawLabel(c, "JUBILO", 25, 5, 2, 1, art::kWhite);
  return c;
}

art::Canvas Icon(int size) {
  Canvas c(size, size, 0xFF000000);
  const double s = size / 32.0;
  c.Fill(int(2 * s), int(4 * s), int(30 * s), int(28 * s), kBody);
  c.Fill(int(5 * s), int(7 * s), int(20 * s), int(19 * s), 0x000000);
  c.Triangle(9 * s, 9 * s, 9 * s, 17 * s, 16 * s, 13 * s, art::kCyan);
  for (int i = 0; i < 3; ++i) {
    c.Fill(int(22 * s), int((8 + i * 6) * s), int(28 * s), int((11 + i * 6) * s), art::kKey);
  }
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_cabinet OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  const bool ok = art::WriteBmp(out + "cabinet.bmp", Cabinet(), false) &&
                  art::WriteBmp(out + "button184.bmp", Button(0), false) &&
                  art::WriteBmp(out + "button200.bmp", Button(1), false) &&
                  art::WriteBmp(out + "button236.bmp", Button(2), false) &&
                  art::WriteBmp(out + "logo201.bmp", Logo(), false) &&
                  art::WriteBmp(out + "strip203.bmp", Strip(), false) &&
                  art::WriteBmp(out + "title204.bmp", Title(), false) &&
                  art::WriteIconFile(out + "jubilo214.ico", {Icon(32), Icon(16)}, false);
  if (!ok) std::fprintf(stderr, "draw_cabinet: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}

// Draws Peekwell's artwork at build time: the drive types' pictures (2-6: removable, fixed,
// remote, CD-ROM, RAM) and the folder lines' (10 a subfolder, 11 a folder of the path, 12 the
// current folder) on blue, which the window takes as transparent; its emblem 107, the browser
// deck's face 109 and the icon 108.
// A host program, run by the build: draw_previewer OUTPUT_FOLDER.

#include <cstdio>
#include <string>

#include "common/art/art_kit.h"

namespace {

using art::Canvas;
using art::Colour;

constexpr Colour kBlue = 0x0000FF;  // transparent
constexpr Colour kGrey = 0xC0C0C0;
constexpr Colour kDark = 0x404040;
constexpr Colour kYellow = 0xF0D060;

Canvas Drive(int type) {
  Canvas c(16, 12, kBlue);
  c.Fill(1, 3, 15, 10, kGrey);
  c.Fill(1, 9, 15, 10, kDark);
  switch (type) {
    case 2:  // removable: a slot
      c.Fill(4, 5, 12, 6, kDark);
      break;
    case 3:  // fixed: a light
      c.Fill(11, 7, 13, 8, 0x00C000);
      break;
    case 4:  // remote: a cable
      c.Fill(7, 10, 9, 12, kDark);
      break;
    case 5:  // CD-ROM: a disc
      c.Ring(8, 6, 0, 3.5, 0xE0E0FF);
      c.Ring(8, 6, 0, 1, kDark);
      break;
    default:  // RAM: chips
      for (int x = 3; x < 14; x += 3) c.Fill(x, 5, x + 2, 8, kDark);
      break;
  }
  return c;
}

Canvas Folder(bool open, bool current) {
  Canvas c(16, 12, kBlue);
  c.Fill(1, 2, 7, 4, kYellow);
  c.Fill(1, 3, 15, 11, current ? 0xFFE890 : kYellow);
  c.Fill(1, 10, 15, 11, 0x806020);
  if (open) c.Fill(3, 5, 15, 11, 0xFFF4C0);
  return c;
}

Canvas Emblem() {
  Canvas c(96, 24, 0x000000);
  art::DrawLabel(c, "PEEKWELL", 1, 7, 2, 1, art::kCyan);
  return c;
}

Canvas Deck() {
  Canvas c(142, 31, art::kPanel);
  art::DrawLabel(c, "BROWSER", 4, 13, 1, 1, art::kCyan);
  c.Key(40, 4, 90, 27);
  c.Key(92, 4, 138, 27);
  art::DrawLabel(c, "CLOSE", 51, 13, 1, 1, art::kCyan);
  art::DrawLabel(c, "SHOW", 104, 13, 1, 1, art::kCyan);
  return c;
}

Canvas Icon(int size) {
  Canvas c(size, size, 0xFF000000);
  const double s = size / 32.0;
  c.Fill(int(3 * s), int(6 * s), int(29 * s), int(26 * s), art::kPanel);
  c.Fill(int(6 * s), int(9 * s), int(17 * s), int(17 * s), art::kDarkCyan);
  c.Fill(int(19 * s), int(9 * s), int(27 * s), int(17 * s), art::kDarkCyan);
  c.Ring(12 * s, 21 * s, 0, 2.5 * s, art::kCyan);
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_previewer OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = true;
  for (int type = 2; type <= 6 && ok; ++type) {
    ok = art::WriteBmp(out + "drive" + std::to_string(type) + ".bmp", Drive(type), false);
  }
  ok = ok && art::WriteBmp(out + "folder10.bmp", Folder(false, false), false) &&
       art::WriteBmp(out + "folder11.bmp", Folder(true, false), false) &&
       art::WriteBmp(out + "folder12.bmp", Folder(true, true), false) &&
       art::WriteBmp(out + "emblem107.bmp", Emblem(), false) &&
       art::WriteBmp(out + "deck109.bmp", Deck(), false) &&
       art::WriteIconFile(out + "peekwell108.ico", {Icon(32), Icon(16)}, false);
  if (!ok) std::fprintf(stderr, "draw_previewer: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}

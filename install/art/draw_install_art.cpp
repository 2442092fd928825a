// Draws install's artwork at build time: the language page's picture 139 (a globe), the install
// page's 135 (the card and its disc), the faces of the two bitmap buttons (INSTALLU/INSTALLD,
// COPYU/COPYD, raised and pressed) and the program's icon.
// A host program, run by the build: draw_install_art OUTPUT_FOLDER.

#include <cstdio>
#include <string>

#include "common/art/art_kit.h"

namespace {

using art::Canvas;
using art::Colour;

constexpr Colour kFace = 0xC0C0C0;
constexpr Colour kLight = 0xFFFFFF;
constexpr Colour kShadow = 0x808080;
constexpr Colour kDark = 0x000000;
constexpr Colour kBoard = 0x1E7A3C;
constexpr Colour kChip = 0x202020;
constexpr Colour kGold = 0xE0B040;
constexpr Colour kDisc = 0xD8DCE8;

Colour Blend(Colour a, Colour b, double t) {
  const auto channel = [&](int shift) {
    const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    return static_cast<Colour>(x + 0.5) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// The pages' backdrop: night blue above, the suite's teal below, the name along the foot.
Canvas Backdrop() {
  Canvas c(120, 260, 0);
  for (int y = 0; y < c.height; ++y)
    c.Fill(0, y, c.width, y + 1, Blend(0x0A1440, 0x107878, y / 259.0));
  art::DrawLabel(c, "MAROVANE", 8, 236, 2, 1, kLight);
  return c;
}

Canvas LanguagePicture() {
  Canvas c = Backdrop();
  c.Ring(60, 100, 0, 42, 0x3070D0);
  // Continents as a few blobs, meridians and the equator as rings and lines.
  c.Ring(48, 84, 0, 14, 0x40A050);
  c.Ring(74, 112, 0, 12, 0x40A050);
  c.Ring(56, 126, 0, 7, 0x40A050);
  c.Ring(60, 100, 41, 43, kLight);
  c.Fill(18, 100, 102, 101, 0xA0C8F0);
  c.Fill(60, 58, 61, 142, 0xA0C8F0);
  art::DrawLabel(c, "EN DE FR", 14, 170, 2, 1, kGold);
  return c;
}

Canvas InstallPicture() {
  Canvas c = Backdrop();
  // The graphics card: its board, the chip, the gold fingers and the bracket.
  c.Fill(14, 40, 106, 100, kBoard);
  c.Fill(44, 56, 76, 84, kChip);
  art::DrawLabel(c, "S3", 50, 64, 2, 1, kLight);
  for (int x = 24; x < 100; x += 5) c.Fill(x, 100, x + 3, 108, kGold);
  c.Fill(8, 34, 14, 110, kShadow);
  // The distribution disc below it.
  c.Ring(60, 160, 0, 34, kDisc);
  c.Ring(60, 160, 20, 30, 0xB8C0E0);
  c.Ring(60, 160, 0, 6, 0x0A1440);
  return c;
}

// A push button's face, raised or pressed, with `symbol` drawn on it (offset when pressed).
template <typename Symbol>
Canvas Face(bool pressed, Symbol symbol) {
  Canvas c(40, 40, kFace);
  const Colour topLeft = pressed ? kDark : kLight;
  const Colour bottomRight = pressed ? kLight : kDark;
  c.Fill(0, 0, 40, 1, topLeft);
  c.Fill(0, 0, 1, 40, topLeft);
  c.Fill(0, 39, 40, 40, bottomRight);
  c.Fill(39, 0, 40, 40, bottomRight);
  if (!pressed) {
    c.Fill(1, 38, 39, 39, kShadow);
    c.Fill(38, 1, 39, 39, kShadow);
  } else {
    c.Fill(1, 1, 39, 2, kShadow);
    c.Fill(1, 1, 2, 39, kShadow);
  }
  symbol(c, pressed ? 1 : 0);
  return c;
}

void InstallSymbol(Canvas& c, int d) {
  c.Ring(20 + d, 23 + d, 0, 12, kDisc);
  c.Ring(20 + d, 23 + d, 0, 3, kShadow);
  c.Triangle(12 + d, 4 + d, 28 + d, 4 + d, 20 + d, 14 + d, 0x108010);
}

void CopySymbol(Canvas& c, int d) {
  c.Fill(9 + d, 8 + d, 31 + d, 32 + d, 0x2040A0);
  c.Fill(13 + d, 8 + d, 27 + d, 16 + d, kFace);
  c.Fill(22 + d, 9 + d, 25 + d, 15 + d, 0x2040A0);
  c.Fill(12 + d, 20 + d, 28 + d, 32 + d, kLight);
}

Canvas Icon(int size) {
  Canvas c(size, size, 0);
  const double s = size / 32.0;
  c.Fill(0, 0, size, size, kFace);
  c.Ring(16 * s, 16 * s, 0, 14 * s, kDisc);
  c.Ring(16 * s, 16 * s, 0, 4 * s, 0x0A1440);
  c.Triangle(8 * s, 2 * s, 24 * s, 2 * s, 16 * s, 12 * s, 0x108010);
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_install_art OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  const bool ok = art::WriteBmp(out + "language139.bmp", LanguagePicture(), false) &&
                  art::WriteBmp(out + "install135.bmp", InstallPicture(), false) &&
                  art::WriteBmp(out + "INSTALLU.bmp", Face(false, InstallSymbol), false) &&
                  art::WriteBmp(out + "INSTALLD.bmp", Face(true, InstallSymbol), false) &&
                  art::WriteBmp(out + "COPYU.bmp", Face(false, CopySymbol), false) &&
                  art::WriteBmp(out + "COPYD.bmp", Face(true, CopySymbol), false) &&
                  art::WriteIconFile(out + "install.ico", {Icon(32), Icon(16)}, false);
  return ok ? 0 : 1;
}

#pragma once
// The artwork kit of the build's drawing programs (host programs, not part of the suite): a
// canvas of RGB pixels with the shapes the artwork is made of, and writers of BMP, ICO and CUR
// files.

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace art {

using Colour = std::uint32_t;  // 0xRRGGBB

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kCyan = 0x00FFFF;
inline constexpr Colour kDarkCyan = 0x008080;
inline constexpr Colour kPanel = 0x202428;
inline constexpr Colour kPanelLight = 0x50585F;
inline constexpr Colour kPanelDark = 0x0C0E10;
inline constexpr Colour kKey = 0x33383D;

struct Canvas {
  Canvas(int w, int h, Colour fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  void Set(int x, int y, Colour c) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[std::size_t(y) * width + x] = c;
  }
  Colour Get(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  void Fill(int left, int top, int right, int bottom, Colour c) {  // right, bottom exclusive
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) Set(x, y, c);
  }
  // A raised key: light top-left edge, dark bottom-right.
  void Key(int left, int top, int right, int bottom) {
    Fill(left, top, right, bottom, kKey);
    Fill(left, top, right, top + 1, kPanelLight);
    Fill(left, top, left + 1, bottom, kPanelLight);
    Fill(left, bottom - 1, right, bottom, kPanelDark);
    Fill(right - 1, top, right, bottom, kPanelDark);
  }
  // A triangle, filled by testing every pixel's centre against its three edges.
  void Triangle(double x0, double y0, double x1, double y1, double x2, double y2, Colour c) {
    const auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
      return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const double px = x + 0.5, py = y + 0.5;
        const double a = edge(x0, y0, x1, y1, px, py), b = edge(x1, y1, x2, y2, px, py),
                     d = edge(x2, y2, x0, y0, px, py);
        if ((a >= 0 && b >= 0 && d >= 0) || (a <= 0 && b <= 0 && d <= 0)) Set(x, y, c);
      }
    }
  }
  // A ring between two radii around a centre (inner 0: a disc).
  void Ring(double cx, double cy, double inner, double outer, Colour c) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (d >= inner && d <= outer) Set(x, y, c);
      }
    }
  }
  void Blit(const Canvas& from, int atX, int atY, Colour ink) {
    for (int y = 0; y < from.height; ++y)
      for (int x = 0; x < from.width; ++x)
        if (from.Get(x, y) != kBlack) Set(atX + x, atY + y, ink);
  }

  int width;
  int height;
  std::vector<Colour> pixels;
};

// The artwork's pixel font: 5 x 5 glyphs, "#" lit, from "0" to "Z" in code order.
inline const char* const kGlyphs[] = {
    ".###.#..###.#.###..#.###.",  // 0
    "..#...##....#....#...###.",  // 1
    "####.....#.###.#....#####",  // 2
    "####.....#.###.....#####.",  // 3
    "#..#.#..#.#####...#....#.",  // 4
    "######....####.....#####.",  // 5
    ".###.#....####.#...#.###.",  // 6
    "#####...#...#...#....#...",  // 7
    ".###.#...#.###.#...#.###.",  // 8
    ".###.#...#.####....#.###.",  // 9
    ".......#.........#.......",  // :
    ".......#.........#...#...",  // ;
    "...#...#...#.....#.....#.",  // <
    ".....#####.....#####.....",  // =
    ".#.....#.....#...#...#...",  // >
    ".###.#...#..##.......#...",  // ?
    ".###.#.###.#.##.#....###.",  // @
    ".###.#...#######...##...#",  // A
    "####.#...#####.#...#####.",  // B
    ".#####....#....#.....####",  // C
    "####.#...##...##...#####.",  // D
    "######....####.#....#####",  // E
    "######....####.#....#....",  // F
    ".#####....#.###...#.####.",  // G
    "#...##...#######...##...#",  // H
    ".###...#....#....#...###.",  // I
    "..###...#....#.#..#..##..",  // J
    "#...##..#.###..#..#.#...#",  // K
    "#....#....#....#....#####",  // L
    "#...###.###.#.##...##...#",  // M
    "#...###..##.#.##..###...#",  // N
    ".###.#...##...##...#.###.",  // O
    "####.#...#####.#....#....",  // P
    ".###.#...##.#.##..#..##.#",  // Q
    "####.#...#####.#..#.#...#",  // R
    ".#####.....###.....#####.",  // S
    "#####..#....#....#....#..",  // T
    "#...##...##...##...#.###.",  // U
    "#...##...#.#.#..#.#...#..",  // V
    "#...##...##.#.###.###...#",  // W
    "#...#.#.#...#...#.#.#...#",  // X
    "#...#.#.#...#....#....#..",  // Y
    "#####...#...#...#...#####",  // Z
};

inline bool GlyphPixel(int index, int x, int y) {
  return kGlyphs[index][y * 5 + x] == '#';
}

inline void DrawGlyph(Canvas& canvas, char c, int atX, int atY, int scale, Colour ink) {
  const int index = c - '0';
  if (index < 0 || c > 'Z') return;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      if (GlyphPixel(index, x, y))
        canvas.Fill(atX + x * scale, atY + y * scale, atX + (x + 1) * scale, atY + (y + 1) * scale,
                    ink);
}

inline void DrawLabel(Canvas& canvas, const std::string& text, int atX, int atY, int scale,
                      int spacing, Colour ink) {
  for (char c : text) {
    if (c != ' ') DrawGlyph(canvas, c, atX, atY, scale, ink);
    atX += (5 + spacing) * scale;
  }
}

inline void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8 & 0xFF);
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER, then the rows bottom-up, each padded to four bytes.
inline std::vector<std::uint8_t> Dib(const Canvas& c, int bits, int heightFactor) {
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, std::uint32_t(c.width));
  Put32(out, std::uint32_t(c.height * heightFactor));
  Put16(out, 1);
  Put16(out, unsigned(bits));
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  if (bits == 1) {
    Put32(out, 0x000000);  // 0: black, the lit part (the deck's text colour)
    Put32(out, 0xFFFFFF);  // 1: white, the background
  }
  const int stride = (c.width * bits + 31) / 32 * 4;
  for (int y = c.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(std::size_t(stride), 0);
    for (int x = 0; x < c.width; ++x) {
      const Colour p = c.Get(x, y);
      if (bits == 1) {
        if (p != kBlack) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> x % 8);
      } else if (bits == 24) {
        row[std::size_t(x * 3)] = p & 0xFF;
        row[std::size_t(x * 3 + 1)] = p >> 8 & 0xFF;
        row[std::size_t(x * 3 + 2)] = p >> 16 & 0xFF;
      } else {  // 32: alpha from the top byte's mark
        const std::uint8_t alpha = (p & 0xFF000000) ? 0 : 0xFF;
        row[std::size_t(x * 4)] = p & 0xFF;
        row[std::size_t(x * 4 + 1)] = p >> 8 & 0xFF;
        row[std::size_t(x * 4 + 2)] = p >> 16 & 0xFF;
        row[std::size_t(x * 4 + 3)] = alpha;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// Lit glyph pixels are black in the file: BitBlt turns black into the text colour.
inline Canvas Inverted(Canvas c) {
  for (Colour& p : c.pixels) p = p == kBlack ? kWhite : kBlack;
  return c;
}

inline bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

inline bool WriteBmp(const std::string& path, const Canvas& c, bool monochrome) {
  const std::vector<std::uint8_t> dib = Dib(monochrome ? Inverted(c) : c, monochrome ? 1 : 24, 1);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, std::uint32_t(14 + dib.size()));
  Put32(out, 0);
  Put32(out, 14 + 40 + (monochrome ? 8 : 0));
  out.insert(out.end(), dib.begin(), dib.end());
  return Write(path, out);
}

// The AND mask of an icon or cursor: 1 where the picture is transparent.
inline std::vector<std::uint8_t> Mask(const Canvas& c, bool (*transparent)(Colour)) {
  std::vector<std::uint8_t> out;
  const int stride = (c.width + 31) / 32 * 4;
  for (int y = c.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(std::size_t(stride), 0);
    for (int x = 0; x < c.width; ++x)
      if (transparent(c.Get(x, y))) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> x % 8);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// An icon file (or, with a hot spot, a cursor file) of these pictures.
inline bool WriteIconFile(const std::string& path, const std::vector<Canvas>& pictures, bool cursor,
                          int hotX = 0, int hotY = 0) {
  std::vector<std::vector<std::uint8_t>> images;
  for (const Canvas& c : pictures) {
    std::vector<std::uint8_t> image = cursor ? Dib(c, 1, 2) : Dib(c, 32, 2);
    const auto mask = Mask(
        c, cursor ? [](Colour p) { return p == 0x808080; }
                  : [](Colour p) { return (p & 0xFF000000) != 0; });
    image.insert(image.end(), mask.begin(), mask.end());
    images.push_back(std::move(image));
  }
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, cursor ? 2 : 1);
  Put16(out, unsigned(pictures.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    out.push_back(std::uint8_t(pictures[i].width));
    out.push_back(std::uint8_t(pictures[i].height));
    out.push_back(0);
    out.push_back(0);
    Put16(out, cursor ? unsigned(hotX) : 1);
    Put16(out, cursor ? unsigned(hotY) : 32);
    Put32(out, std::uint32_t(images[i].size()));
    Put32(out, offset);
    offset += std::uint32_t(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return Write(path, out);
}

}  // namespace art

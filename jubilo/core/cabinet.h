#pragma once
// Jubilo's cabinet: the outline its window is cut to, the video screen, and where each control
// sits in the client area, in pixels (the artwork is drawn to the same places).

#include <vector>

namespace jubilo {

struct Point {
  int x;
  int y;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// The cabinet's size: its outline reaches (604, 428).
inline constexpr int kCabinetWidth = 605;
inline constexpr int kCabinetHeight = 429;

// The window's shape, 38 points in window coordinates: the caption strip across the window
// `windowWidth` wide, then the cabinet's outline moved by the client area's offset (dx, dy).
std::vector<Point> WindowShape(int windowWidth, int dx, int dy);

struct Place {
  int id;
  int left;
  int top;
  int width;
  int height;
};

// The controls of dialog 176 in client pixels.
const std::vector<Place>& Layout();
const Place* PlaceOf(int id);

}  // namespace jubilo

#include "jubilo/core/cabinet.h"

namespace jubilo {

namespace {

constexpr Point kOutline[] = {
    {604, 0},  {604, 3},  {603, 3},   {596, 10},  {597, 11},  {597, 13},  {595, 15},
    {593, 15}, {582, 26}, {582, 405}, {584, 405}, {588, 414}, {588, 428}, {16, 428},
    {16, 413}, {17, 413}, {17, 411},  {18, 411},  {18, 409},  {19, 409},  {19, 407},
    {20, 407}, {20, 405}, {22, 405},  {22, 26},   {11, 15},   {8, 15},    {8, 14},
    {7, 14},   {7, 11},   {8, 11},    {8, 10},    {0, 2},     {0, 0},
};

// The player buttons (and the compact decks over them) are 142 x 31, in a column right of the
// video screen; the text buttons along the bottom.
const std::vector<Place> kLayout = {
    {1105, 410, 60, 142, 31},   // CD
    {1106, 410, 112, 142, 31},  // MIDI
    {1107, 410, 164, 142, 31},  // Wave
    {1109, 410, 216, 142, 31},  // Mixer
    {1110, 410, 268, 142, 31},  // Browse
    {1108, 145, 316, 142, 31},  // Video
    {1121, 410, 46, 142, 14},   // the labels over the buttons
    {1122, 410, 98, 142, 14},  {1123, 410, 150, 142, 14}, {1125, 410, 202, 142, 14},
    {1126, 410, 254, 142, 14}, {1124, 145, 302, 142, 14},  // the video button's label
    {1176, 56, 300, 320, 48},                              // where the video deck goes
    {1177, 56, 49, 320, 240},                              // the video screen
    {1178, 56, 300, 320, 48},                              // the video button's well
    {1170, 56, 366, 84, 22},                               // Help
    {1171, 148, 366, 84, 22},                              // Reach Us
    {1172, 240, 366, 84, 22},                              // Vistrel
    {1173, 332, 366, 84, 22},                              // Configure
    {1169, 470, 352, 80, 40},                              // About
};

}  // namespace

std::vector<Point> WindowShape(int windowWidth, int dx, int dy) {
  std::vector<Point> shape{{0, dy - 1}, {0, 0}, {windowWidth + 1, 0}, {windowWidth + 1, dy - 1}};
  for (const Point& p : kOutline) shape.push_back({p.x + dx, p.y + dy});
  return shape;
}

const std::vector<Place>& Layout() {
  return kLayout;
}

const Place* PlaceOf(int id) {
  for (const Place& place : kLayout) {
    if (place.id == id) return &place;
  }
  return nullptr;
}

}  // namespace jubilo

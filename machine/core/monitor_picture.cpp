#include "machine/core/monitor_picture.h"

namespace machine {

AxisPlacement PlaceAxis(const TimingAxis& axis) {
  AxisPlacement placement{false, 0.0, 0.0};
  placement.locked = axis.displayEnd > 0 && axis.displayEnd <= axis.syncStart &&
                     axis.syncStart < axis.syncEnd && axis.syncEnd <= axis.total;
  if (!placement.locked) return placement;
  const double scan = axis.total - (axis.syncEnd - axis.syncStart);
  placement.start = (axis.total - axis.syncEnd) / scan;
  placement.length = axis.displayEnd / scan;
  return placement;
}

TubePicture PlacePicture(const CrtTiming& timing, std::uint32_t refreshHz) {
  TubePicture picture;
  picture.horizontal = PlaceAxis(timing.horizontal);
  picture.vertical = PlaceAxis(timing.vertical);
  picture.refreshHz = refreshHz;
  picture.horizontalKHz = refreshHz * static_cast<double>(timing.vertical.total) / 1000.0;
  if (refreshHz == 0) {
    picture.note = "No signal";
  } else if (!picture.horizontal.locked) {
    picture.note = "Out of range: the horizontal sync lies outside the line";
  } else if (!picture.vertical.locked) {
    picture.note = "Out of range: no vertical sync, the picture rolls";
  }
  return picture;
}

PixelRect GlassIn(int width, int height) {
  return {kBezel, kBezel, width - kBezel, height - kStatusHeight - kBezel};
}

PixelRect PictureOn(const PixelRect& glass, const TubePicture& picture) {
  const double width = glass.right - glass.left;
  const double height = glass.bottom - glass.top;
  const auto at = [](int origin, double size, double fraction) {
    return origin + static_cast<int>(size * fraction + 0.5);
  };
  return {at(glass.left, width, picture.horizontal.start),
          at(glass.top, height, picture.vertical.start),
          at(glass.left, width, picture.horizontal.start + picture.horizontal.length),
          at(glass.top, height, picture.vertical.start + picture.vertical.length)};
}

}  // namespace machine

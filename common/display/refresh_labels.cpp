#include "common/display/refresh_labels.h"

namespace refresh {
namespace {

constexpr int kCodes = 8;
using LabelRow = const char* [kCodes];

// [trio or vision][resolution][code]
constexpr LabelRow kLabels[2][kResolutions] = {
    {
        {"60Hz", "72 Hz", "75 Hz", nullptr, "90 Hz", nullptr, "120 Hz", nullptr},
        {"56 Hz", "60 Hz", "72 Hz", "75 Hz", "90 Hz", nullptr, "120 Hz", nullptr},
        {"Interlaced", "60 Hz", "70 Hz", "75 Hz", nullptr, "90 Hz", nullptr, nullptr},
        {"Interlaced", "60 Hz", "72 Hz", "75 Hz", nullptr, nullptr, nullptr, nullptr},
        {"Interlaced", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    },
    {
        {"60Hz", "72 Hz", "75 Hz", nullptr, "90 Hz", nullptr, "120 Hz", "150 Hz"},
        {"56 Hz", "60 Hz", "72 Hz", "75 Hz", "90 Hz", nullptr, "120 Hz", "150 Hz"},
        {"60 Hz", "70 Hz", "75 Hz", nullptr, "90 Hz", nullptr, "120 Hz", nullptr},
        {"Interlaced", "60 Hz", "72 Hz", "75 Hz", "85 Hz", nullptr, "100 Hz", nullptr},
        {"60 Hz", nullptr, "72 Hz", nullptr, "76 Hz", nullptr, nullptr, nullptr},
    },
};

}  // namespace

const char* Label(int chipClass, int resolutionIndex, int code) {
  if (chipClass < 0 || chipClass >= kChipClasses || resolutionIndex < 0 ||
      resolutionIndex >= kResolutions || code < 0 || code >= kCodes) {
    return nullptr;
  }
  return kLabels[chipClass == 3 ? 1 : 0][resolutionIndex][code];
}

int ResolutionIndex(std::uint32_t width) {
  switch (width) {
    case 640:
      return 0;
    case 800:
      return 1;
    case 1024:
      return 2;
    case 1280:
      return 3;
    case 1600:
      return 4;
    default:
      return -1;
  }
}

}  // namespace refresh

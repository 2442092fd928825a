#pragma once
// The system font size: read and written in the Windows 95 registry with its raster font set,
// and the arithmetic of the "Font Configuration" dialog (percentages of 96 dots per inch, the
// ruler's tick spacing in pixels per quarter unit).

#include <string>

#include "common/store/registry_api.h"

inline constexpr int kSmallFontsDpi = 96;
inline constexpr int kLargeFontsDpi = 120;
// From this size on Windows uses the 8514/a font set.
inline constexpr int kLargeFontSetDpi = 109;

// DPILogicalX; 96 when it is absent or not a number.
int ReadFontDpi(RegistryApi& registry);
// The four DPI values and the three system font files, then the Fonts key anew with the five
// raster fonts of the size's set.
void WriteFontSize(RegistryApi& registry, int dpi);

// The string of the size's name: "Small Fonts" (0 counts as 96), "Large Fonts" or
// "Custom Font Size".
int FontSizeNameId(int dpi);

// The size as a percentage of 96 dpi, rounded up.
int PercentOfDpi(int dpi);
// The leading number of a "%d%%" text; 0 when there is none.
int ParsePercent(const std::string& text);
std::string PercentText(int percent);
// The size the dialog's OK gives for its text: the percentage clamped to 20 ... 500.
int DpiOnOk(const std::string& percentText);

// The dialog's ruler and sample, in the dialog's own single-precision arithmetic.
struct FontScale {
  float tickSpacing;
  int dpi;
  int percent;
};
// From a percentage chosen in the combo box (or the one the dialog opens with).
FontScale ScaleOfPercent(int percent);
// While dragging: the spacing scaled by how far the pointer moved from the ruler's left edge,
// kept within 5 ... 125 pixels.
FontScale ScaleOfDrag(int x, int rulerLeft, int pressX, float spacingAtPress);

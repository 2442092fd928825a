#include "vistrel/core/font_size.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "common/settings/win95_registry.h"
#include "common/store/reg_key.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr std::size_t kDpiBuffer = 50;

struct FontFile {
  const char* vgaName;
  const char* largeName;
  const char* vgaFile;
  const char* largeFile;
};

constexpr FontFile kSystemFonts[] = {
    {win95reg::kFixedFont, win95reg::kFixedFont, "vgafix.fon", "8514fix.fon"},
    {win95reg::kSystemFont, win95reg::kSystemFont, "vgasys.fon", "8514sys.fon"},
    {win95reg::kOemFont, win95reg::kOemFont, "vgaoem.fon", "8514oem.fon"},
};

constexpr FontFile kRasterFonts[] = {
    {"MS Serif 8,10,12,14,18,24 (VGA res)", "MS Serif 8,10,12,14,18,24 (8514/a res)", "serife.fon",
     "seriff.fon"},
    {"MS Sans Serif 8,10,12,14,18,24 (VGA res)", "MS Sans Serif 8,10,12,14,18,24 (8514/a res)",
     "sserife.fon", "sseriff.fon"},
    {"Courier 10,12,15 (VGA res)", "Courier 10,12,15 (8514/a res)", "coure.fon", "courf.fon"},
    {"Symbol 8,10,12,14,18,24 (VGA res)", "Symbol 8,10,12,14,18,24 (8514/a res)", "symbole.fon",
     "symbolf.fon"},
    {"Small Fonts (VGA res)", "Small Fonts (8514/a res)", "smalle.fon", "smallf.fon"},
};

void WriteFonts(RegKey& key, const FontFile* fonts, std::size_t count, bool large) {
  for (std::size_t i = 0; i < count; ++i) {
    key.WriteString(large ? fonts[i].largeName : fonts[i].vgaName,
                    large ? fonts[i].largeFile : fonts[i].vgaFile);
  }
}

// The leading decimal number, as "%d" scans it; 0 when there is none, and kept within int.
int LeadingNumber(const std::string& text) {
  const long number = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

}  // namespace

int ReadFontDpi(RegistryApi& registry) {
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  key.Open(win95reg::kDisplaySettings);
  std::string value;
  key.ReadString(win95reg::kDpiLogicalX, value, kDpiBuffer);
  const int dpi = LeadingNumber(value);
  return dpi > 0 ? dpi : kSmallFontsDpi;
}

void WriteFontSize(RegistryApi& registry, int dpi) {
  const bool large = dpi >= kLargeFontSetDpi;
  const std::string size = std::to_string(dpi);
  RegKey key(registry);
  key.SetRoot(RegRoot::LocalMachine);
  key.Create(win95reg::kDisplaySettings);
  for (const char* name : {win95reg::kDpiLogicalX, win95reg::kDpiLogicalY, win95reg::kDpiPhysicalX,
                           win95reg::kDpiPhysicalY}) {
    key.WriteString(name, size);
  }
  WriteFonts(key, kSystemFonts, std::size(kSystemFonts), large);
  key.Close();
  // Only the five fonts of one set may exist afterwards.
  key.Delete(win95reg::kDisplayFonts);
  key.Create(win95reg::kDisplayFonts);
  WriteFonts(key, kRasterFonts, std::size(kRasterFonts), large);
}

int FontSizeNameId(int dpi) {
  if (dpi == 0 || dpi == kSmallFontsDpi) return IDS_SMALL_FONTS;
  if (dpi == kLargeFontsDpi) return IDS_LARGE_FONTS;
  return IDS_CUSTOM_FONT_SIZE;
}

int PercentOfDpi(int dpi) {
  // Wide enough for any DPILogicalX the registry may hold.
  const long long scaled = dpi * 100LL;
  const long long percent = scaled / kSmallFontsDpi + (scaled % kSmallFontsDpi != 0 ? 1 : 0);
  return static_cast<int>(std::clamp<long long>(percent, INT_MIN, INT_MAX));
}

int ParsePercent(const std::string& text) {
  return LeadingNumber(text);
}

std::string PercentText(int percent) {
  return std::to_string(percent) + "%";
}

int DpiOnOk(const std::string& percentText) {
  return std::clamp(ParsePercent(percentText), 20, 500) * kSmallFontsDpi / 100;
}

namespace {

// The single-precision constant in a product kept wider than single precision, as the
// dialog has always computed it: 12.5 gives 47.99999..., truncated to 47.
int DpiOfSpacing(float spacing) {
  return static_cast<int>(static_cast<double>(spacing) * static_cast<double>(3.84f));
}

}  // namespace

FontScale ScaleOfPercent(int percent) {
  return {static_cast<float>(percent) * 0.25f, percent * kSmallFontsDpi / 100, percent};
}

FontScale ScaleOfDrag(int x, int rulerLeft, int pressX, float spacingAtPress) {
  const float pressed = static_cast<float>(pressX - rulerLeft);
  if (pressed <= 0.0f)
    return {spacingAtPress, DpiOfSpacing(spacingAtPress), static_cast<int>(spacingAtPress * 4.0f)};
  float spacing = static_cast<float>(x - rulerLeft) / pressed * spacingAtPress;
  if (spacing >= 125.0f) spacing = 125.0f;
  if (spacing <= 5.0f) spacing = 5.0f;
  return {spacing, DpiOfSpacing(spacing), static_cast<int>(spacing * 4.0f)};
}

#include <gtest/gtest.h>

#include <climits>

#include "common/settings/win95_registry.h"
#include "tests/native/fakes.h"
#include "vistrel/core/font_size.h"
#include "vistrel/shell/resource.h"

namespace {

const std::string kSettings = win95reg::kDisplaySettings;
const std::string kFonts = win95reg::kDisplayFonts;

TEST(FontArithmeticTest, TheDialogOpensAtTheRoundedUpPercentage) {
  EXPECT_EQ(PercentText(PercentOfDpi(96)), "100%");
  EXPECT_EQ(PercentText(PercentOfDpi(120)), "125%");
  EXPECT_EQ(PercentOfDpi(97), 102);
  EXPECT_EQ(PercentOfDpi(72), 75);
  // An absurd registry value does not overflow.
  EXPECT_EQ(PercentOfDpi(INT_MAX), INT_MAX);
  EXPECT_EQ(PercentOfDpi(100000000), 104166667);
}

TEST(FontArithmeticTest, OkClampsThePercentageAndScalesIt) {
  EXPECT_EQ(DpiOnOk("1000"), 480);
  EXPECT_EQ(DpiOnOk("10%"), 19);
  EXPECT_EQ(DpiOnOk("125%"), 120);
  EXPECT_EQ(DpiOnOk("abc"), 19);  // no number is 0, clamped to 20 %
  EXPECT_EQ(DpiOnOk("99999999999999%"), 480);
  EXPECT_EQ(ParsePercent(" 150% of"), 150);
}

TEST(FontArithmeticTest, DraggingUsesSinglePrecisionAndIsBounded) {
  // From 100 % (25 pixels a step) to half the distance from the ruler's left edge.
  const FontScale half = ScaleOfDrag(60, 10, 110, 25.0f);
  EXPECT_FLOAT_EQ(half.tickSpacing, 12.5f);
  EXPECT_EQ(half.percent, 50);
  EXPECT_EQ(half.dpi, 47);
  const FontScale same = ScaleOfDrag(110, 10, 110, 25.0f);
  EXPECT_EQ(same.dpi, 95);
  EXPECT_EQ(ScaleOfPercent(100).dpi, 96);
  EXPECT_FLOAT_EQ(ScaleOfPercent(100).tickSpacing, 25.0f);

  EXPECT_FLOAT_EQ(ScaleOfDrag(2000, 10, 110, 25.0f).tickSpacing, 125.0f);
  EXPECT_FLOAT_EQ(ScaleOfDrag(0, 10, 110, 25.0f).tickSpacing, 5.0f);
  EXPECT_FLOAT_EQ(ScaleOfDrag(50, 10, 10, 25.0f).tickSpacing, 25.0f);  // no distance to scale
}

TEST(FontArithmeticTest, SizesHaveTheirNames) {
  EXPECT_EQ(FontSizeNameId(0), IDS_SMALL_FONTS);
  EXPECT_EQ(FontSizeNameId(96), IDS_SMALL_FONTS);
  EXPECT_EQ(FontSizeNameId(120), IDS_LARGE_FONTS);
  EXPECT_EQ(FontSizeNameId(144), IDS_CUSTOM_FONT_SIZE);
}

TEST(FontRegistryTest, ReadingFallsBackToSmallFonts) {
  MemoryRegistry registry;
  EXPECT_EQ(ReadFontDpi(registry), 96);
  registry.Put(RegRoot::LocalMachine, kSettings, "DPILogicalX", "120");
  EXPECT_EQ(ReadFontDpi(registry), 120);
  registry.Put(RegRoot::LocalMachine, kSettings, "DPILogicalX", "large");
  EXPECT_EQ(ReadFontDpi(registry), 96);
}

TEST(FontRegistryTest, BelowOneHundredAndNineTheVgaSetIsWritten) {
  MemoryRegistry registry;
  registry.Put(RegRoot::LocalMachine, kFonts, "Small Fonts (8514/a res)", "smallf.fon");
  WriteFontSize(registry, 108);
  for (const char* name : {"DPILogicalX", "DPILogicalY", "DPIPhysicalX", "DPIPhysicalY"}) {
    EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kSettings, name), "108");
  }
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kSettings, "fonts.fon"), "vgasys.fon");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kFonts, "Courier 10,12,15 (VGA res)"),
            "coure.fon");
  EXPECT_FALSE(registry.HasValue(RegRoot::LocalMachine, kFonts, "Small Fonts (8514/a res)"));
  EXPECT_EQ(registry.ValueCount(RegRoot::LocalMachine, kFonts), 5u);
}

TEST(FontRegistryTest, FromOneHundredAndNineThe8514SetIsWritten) {
  MemoryRegistry registry;
  WriteFontSize(registry, 109);
  WriteFontSize(registry, 120);
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kSettings, "DPIPhysicalY"), "120");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kSettings, "fixedfon.fon"), "8514fix.fon");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, kSettings, "oemfonts.fon"), "8514oem.fon");
  EXPECT_EQ(
      registry.Value(RegRoot::LocalMachine, kFonts, "MS Sans Serif 8,10,12,14,18,24 (8514/a res)"),
      "sseriff.fon");
  EXPECT_EQ(registry.ValueCount(RegRoot::LocalMachine, kFonts), 5u);
}

}  // namespace

#include "sonavo/core/deck_face.h"

#include <gtest/gtest.h>

#include "sonavo/core/display_font.h"

namespace {

using sonavo::kLitColour;
using sonavo::kUnlitColour;

TEST(DisplayFontTest, DigitCellsAreElevenEqualCellsDrawnOnePixelSmaller) {
  // A strip 165 x 24: cells of 15, drawn 14 x 23.
  const auto zero = sonavo::DigitCell('0', 165, 24);
  const auto colon = sonavo::DigitCell(':', 165, 24);
  ASSERT_TRUE(zero && colon);
  EXPECT_EQ(zero->x, 0);
  EXPECT_EQ(zero->width, 14);
  EXPECT_EQ(zero->height, 23);
  EXPECT_EQ(colon->x, 150);
  EXPECT_EQ(sonavo::DigitCell('7', 165, 24)->x, 105);
  EXPECT_FALSE(sonavo::DigitCell(';', 165, 24));
  EXPECT_FALSE(sonavo::DigitCell('/', 165, 24));
  EXPECT_EQ(sonavo::DigitStep(165, sonavo::kMainDigitGap), 20);
  EXPECT_EQ(sonavo::DigitStep(88, sonavo::kSmallDigitGap), 11);
}

TEST(DisplayFontTest, GlyphsSitInSixPixelCellsTenARowFromZero) {
  EXPECT_EQ(sonavo::GlyphCell('0')->x, 0);
  EXPECT_EQ(sonavo::GlyphCell('9')->x, 54);
  EXPECT_EQ(sonavo::GlyphCell(':')->y, 6);  // the signs begin the second row
  const auto a = sonavo::GlyphCell('A');    // 'A' - '0' = 17
  EXPECT_EQ(a->x, 42);
  EXPECT_EQ(a->y, 6);
  EXPECT_EQ(sonavo::GlyphCell('Z')->y, 24);
  EXPECT_EQ(sonavo::GlyphCell('Z')->width, 5);
  EXPECT_FALSE(sonavo::GlyphCell('a'));
  EXPECT_FALSE(sonavo::GlyphCell(' '));
  // "SHUFFLE": 7 x 5 + 6 x 2; centred in a field 50 x 16.
  EXPECT_EQ(sonavo::LabelWidth("SHUFFLE", sonavo::kLabelSpacing), 47);
  EXPECT_EQ(sonavo::LabelWidth("=>", 0), 10);
  EXPECT_EQ(sonavo::LabelWidth("", 2), 0);
  const auto origin = sonavo::CentredLabel("SHUFFLE", sonavo::kLabelSpacing, 50, 16);
  EXPECT_EQ(origin.x, 1);
  EXPECT_EQ(origin.y, 5);
}

TEST(DeckFaceTest, ButtonsTakeTheirColoursFromTheirState) {
  EXPECT_EQ(sonavo::ModeButtonLook(true, false, true).field, kLitColour);
  EXPECT_EQ(sonavo::ModeButtonLook(false, false, true).field, kUnlitColour);
  EXPECT_EQ(sonavo::ModeButtonLook(false, true, true).field, kLitColour);
  EXPECT_EQ(sonavo::ModeButtonLook(false, false, false).text, sonavo::kDisabledProgram);
  EXPECT_EQ(sonavo::AbButtonLook(true, false, false).field, sonavo::kAbActive);
  EXPECT_EQ(sonavo::AbButtonLook(false, false, true).field, sonavo::kAbIdle);
  EXPECT_EQ(sonavo::AbButtonLook(false, true, true).field, sonavo::kAbActive);  // A only: blinks
  EXPECT_EQ(sonavo::AbButtonLook(false, true, false).field, sonavo::kAbIdle);
  EXPECT_EQ(sonavo::TrackButtonLook(true, true).field, kLitColour);
  EXPECT_EQ(sonavo::TrackButtonLook(false, false).text, kUnlitColour);

  sonavo::Blinker blinker(5);
  int changes = 0;
  for (int tick = 0; tick < 20; ++tick) changes += blinker.Tick();
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(blinker.On());
  EXPECT_FALSE(sonavo::DisplayLit(false, false));
  EXPECT_TRUE(sonavo::DisplayLit(true, false));
}

TEST(DeckFaceTest, FieldsAreZeroPadded) {
  EXPECT_EQ(sonavo::EntryText(7), "07");
  EXPECT_EQ(sonavo::EntryText(0), "");
  EXPECT_EQ(sonavo::ClockText(61500), "01:01");
  EXPECT_EQ(sonavo::ClockText(100 * 60000), "00:00");  // two digits of minutes
  EXPECT_EQ(sonavo::FrameText(42), "00042");
}

TEST(DeckFaceTest, TheSliderReachesItsEndsAndTheThumbFollows) {
  // 200 wide, a thumb 10 wide, 0..99.
  EXPECT_EQ(sonavo::SliderPosition(199, 200, 10, 0, 99), 99);
  EXPECT_EQ(sonavo::SliderPosition(500, 200, 10, 0, 99), 99);
  EXPECT_EQ(sonavo::SliderPosition(0, 200, 10, 0, 99), 0);
  EXPECT_EQ(sonavo::SliderPosition(-40, 200, 10, 0, 99), 0);
  EXPECT_EQ(sonavo::SliderPosition(100, 200, 10, 0, 99), 50);
  EXPECT_EQ(sonavo::SliderPosition(100, 200, 10, 20, 20), 20);
  EXPECT_EQ(sonavo::SliderPosition(5, 8, 10, 0, 99), 0);  // no room: the minimum
  EXPECT_EQ(sonavo::ThumbLeft(99, 200, 10, 0, 99), 190);
  EXPECT_EQ(sonavo::ThumbLeft(0, 200, 10, 0, 99), 0);
  EXPECT_EQ(sonavo::ElapsedWidth(50, 200, 0, 100), 100);
  EXPECT_EQ(sonavo::ElapsedWidth(500, 200, 0, 100), 200);
  EXPECT_EQ(sonavo::ElapsedWidth(5, 200, 0, 0), 0);
}

TEST(DeckFaceTest, ZoomItemsDependOnTheScreenAndTheVideosWidth) {
  const auto texts = [](int screen, int video) {
    std::vector<std::string> out;
    for (const auto& item : sonavo::ZoomItems(screen, video, "Full Screen")) {
      out.push_back(item.text);
    }
    return out;
  };
  EXPECT_EQ(texts(1024, 320),
            (std::vector<std::string>{" 50%", "100%", "150%", "200%", "300%", "Full Screen"}));
  EXPECT_EQ(texts(1024, 160), (std::vector<std::string>{" 50%", "100%", "150%", "200%", "300%",
                                                        "400%", "500%", "Full Screen"}));
  EXPECT_EQ(texts(640, 320), (std::vector<std::string>{" 50%", "100%", "150%", "Full Screen"}));
  EXPECT_EQ(texts(800, 320),
            (std::vector<std::string>{" 50%", "100%", "150%", "200%", "Full Screen"}));
  EXPECT_EQ(texts(1280, 160).size(), 4u);
  EXPECT_EQ(sonavo::Zoomed(320, 50), 160);
  EXPECT_EQ(sonavo::Zoomed(321, 150), 481);
  EXPECT_EQ(sonavo::Zoomed(320, 200), 640);
}

TEST(DeckFaceTest, APlaybackWindowOpensAboveTheDeckOrBelowItNearTheTop) {
  // A deck 400 wide at (100, 500)-(500, 650); a window 320 x 240.
  const auto above = sonavo::PlaybackSpot(100, 500, 500, 650, 320, 240);
  EXPECT_EQ(above.x, 140);
  EXPECT_EQ(above.y, 500 - 3 - 240);
  const auto below = sonavo::PlaybackSpot(100, 100, 500, 250, 320, 240);
  EXPECT_EQ(below.y, 253);
  EXPECT_EQ(sonavo::PlaybackSpot(0, 243, 400, 300, 320, 240).y, 0);  // just fits above
}

}  // namespace

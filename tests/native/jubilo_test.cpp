#include <gtest/gtest.h>

#include "jubilo/core/cabinet.h"
#include "jubilo/core/launch_plan.h"
#include "tests/native/fakes.h"

namespace {

using jubilo::Point;

TEST(CabinetTest, TheShapeIsTheCaptionStripThenTheOutlineMovedByTheClientOffset) {
  // A window 611 wide whose client area starts 3 pixels in and 22 down.
  const std::vector<Point> shape = jubilo::WindowShape(611, 3, 22);
  ASSERT_EQ(shape.size(), 38u);
  EXPECT_EQ(shape[0], (Point{0, 21}));
  EXPECT_EQ(shape[2], (Point{612, 0}));
  EXPECT_EQ(shape[3], (Point{612, 21}));
  EXPECT_EQ(shape[4], (Point{607, 22}));    // (604, 0) moved
  EXPECT_EQ(shape[16], (Point{591, 450}));  // (588, 428)
  EXPECT_EQ(shape.back(), (Point{3, 22}));  // (0, 0)
}

TEST(CabinetTest, EveryControlSitsInsideTheCabinet) {
  for (const jubilo::Place& place : jubilo::Layout()) {
    EXPECT_GE(place.left, 22) << place.id;
    EXPECT_GE(place.top, 26) << place.id;
    EXPECT_LE(place.left + place.width, 582) << place.id;
    EXPECT_LE(place.top + place.height, 405) << place.id;
  }
  // The video screen is where the players put their pictures.
  const jubilo::Place* screen = jubilo::PlaceOf(1177);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->left, 56);
  EXPECT_EQ(screen->top + screen->height, 289);
  EXPECT_EQ(jubilo::PlaceOf(4242), nullptr);
}

TEST(LaunchPlanTest, ChosenProgramsStartInTheirOrderAndAShowKeyAloneStartsNothing) {
  MemoryProfile settings;
  settings.WriteString("Jubilo", "OnMIDIShow", "1");  // without OnMIDI: nothing
  EXPECT_TRUE(jubilo::LaunchPlan(settings).empty());
  settings.WriteString("Jubilo", "OnVideo", "1");
  settings.WriteString("Jubilo", "OnMixer", "1");
  settings.WriteString("Jubilo", "OnMixerShow", "1");
  settings.WriteString("Jubilo", "OnCD", "1");
  settings.WriteString("Jubilo", "OnWave", "yes");  // garbage: off
  const auto plan = jubilo::LaunchPlan(settings);
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[0].program, jubilo::Program::Cd);
  EXPECT_FALSE(plan[0].show);
  EXPECT_EQ(plan[1].program, jubilo::Program::Mixer);
  EXPECT_TRUE(plan[1].show);
  EXPECT_EQ(plan[2].program, jubilo::Program::Video);
  EXPECT_EQ(jubilo::ButtonOf(jubilo::Program::Mixer), 1109);
  EXPECT_EQ(jubilo::CompactDeckOf(jubilo::Program::Wave), 107);
}

}  // namespace

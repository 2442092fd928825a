#include <gtest/gtest.h>

#include "jubilo/core/cabinet.h"
#include "jubilo/core/launch_plan.h"
#include "jubilo/core/options.h"
#include "jubilo/core/startup_animation.h"
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

TEST(OptionsTest, PagesComeInTheSheetsOrderWithTheirDefaults) {
  const auto& pages = jubilo::OptionsPages();
  ASSERT_EQ(pages.size(), 6u);
  const int templates[] = {226, 229, 225, 227, 230, 228};
  for (std::size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i].templateId, templates[i]);
  MemoryProfile settings;
  const jubilo::OptionValues cd = jubilo::ReadOptions(pages[2], settings);
  EXPECT_TRUE(cd.boxes.at(1190));    // AutoPlay shown on
  EXPECT_FALSE(cd.boxes.at(1201));   // StopOnExit off
  EXPECT_EQ(cd.radios.at(1199), 0);  // the CD connector
  EXPECT_EQ(cd.intro, "10");
  const jubilo::OptionValues mixer = jubilo::ReadOptions(pages[5], settings);
  EXPECT_TRUE(mixer.boxes.at(1222));  // MicOff
  settings.WriteString("CD Player", "IntroLength", "40");
  EXPECT_EQ(jubilo::ReadOptions(pages[2], settings).intro, "10");
}

TEST(OptionsTest, ApplyWritesEveryKeyOnlyWithAnIntroLengthFromFiveToFifteen) {
  MemoryProfile settings;
  const jubilo::OptionsPage& cd = jubilo::OptionsPages()[2];
  jubilo::OptionValues values = jubilo::ReadOptions(cd, settings);
  values.boxes[1201] = true;
  values.radios[1199] = 1;
  for (const char* bad : {"20", "4", "", "x5", "123"}) {
    values.intro = bad;
    EXPECT_FALSE(jubilo::WriteOptions(cd, values, settings)) << bad;
    EXPECT_FALSE(settings.Has("CD Player", "StopOnExit")) << bad;
  }
  values.intro = "15";
  ASSERT_TRUE(jubilo::WriteOptions(cd, values, settings));
  EXPECT_EQ(settings.Value("CD Player", "StopOnExit"), "1");
  EXPECT_EQ(settings.Value("CD Player", "AutoPlay"), "1");
  EXPECT_EQ(settings.Value("CD Player", "AudioSource"), "1");
  EXPECT_EQ(settings.Value("CD Player", "IntroLength"), "15");

  // The Jubilo page keeps StretchVideo in the video player's section.
  const jubilo::OptionsPage& panel = jubilo::OptionsPages()[0];
  jubilo::OptionValues chosen = jubilo::ReadOptions(panel, settings);
  chosen.radios[1196] = 1;
  chosen.boxes[1212] = true;
  ASSERT_TRUE(jubilo::WriteOptions(panel, chosen, settings));
  EXPECT_EQ(settings.Value("Video Player", "StretchVideo"), "1");
  EXPECT_EQ(settings.Value("Jubilo", "OnCD"), "1");
  EXPECT_EQ(settings.Value("Jubilo", "OnCDShow"), "0");
}

}  // namespace

namespace {

TEST(StartupAnimationTest, TheFourPhasesRunInOrderAtTheirPacesAndEndInTheFinalPicture) {
  jubilo::StartupAnimation animation({80, 24}, {240, 10}, {120, 20});
  std::vector<int> ticks(5, 0);
  std::vector<int> periods(5, 0);
  int guard = 0;
  jubilo::Draw lastLogo{};
  while (animation.Phase() != 0 && ++guard < 10000) {
    const int phase = animation.Phase();
    periods[phase] = animation.PeriodMs();
    const std::vector<jubilo::Draw> draws = animation.Step();
    ++ticks[phase];
    if (phase == 4) lastLogo = draws.back();
  }
  ASSERT_EQ(animation.Phase(), 0);
  EXPECT_EQ(periods, (std::vector<int>{0, 10, 10, 10, 30}));
  // The title rises from the screen's bottom (240) to 196, a line a tick; the wipe runs from the
  // last line up to the title's bottom edge (216).
  EXPECT_EQ(ticks[2], 44);
  EXPECT_EQ(ticks[3], 239 - 216 + 1);
  // The logo grows from 4 wide, 2 a tick, until wider than twice its width, three quarters as
  // high, centred at 50.
  EXPECT_EQ(ticks[4], (162 - 4) / 2);
  EXPECT_EQ(lastLogo.width, 162);
  EXPECT_EQ(lastLogo.height, 121);
  EXPECT_EQ(lastLogo.y, 50 - 121 / 2);
  EXPECT_GT(ticks[1], 10);

  // The final picture: the screen cleared, the logo at twice its size, the strip and the title.
  const std::vector<jubilo::Draw> final = animation.Final();
  ASSERT_EQ(final.size(), 4u);
  EXPECT_TRUE(final[0].fill);
  EXPECT_EQ(final[1].width, 160);
  EXPECT_EQ(final[1].y, 50 - 24);
  EXPECT_EQ(final[2].y, 175);
  EXPECT_EQ(final[2].x, 40);
  EXPECT_EQ(final[3].y, 196);
}

TEST(StartupAnimationTest, EveryPieceOfTheStripEndsInItsPlace) {
  jubilo::StartupAnimation animation({80, 24}, {240, 10}, {120, 20});
  std::vector<jubilo::Draw> draws;
  while (animation.Phase() == 1) draws = animation.Step();
  ASSERT_EQ(draws.size(), 9u);  // the cleared strip and eight pieces
  for (std::size_t i = 1; i < draws.size(); ++i) {
    EXPECT_EQ(draws[i].x, 40 + draws[i].fromX) << i;  // in place under its source
    EXPECT_EQ(draws[i].width, 30);
  }
}

}  // namespace

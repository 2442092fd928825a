#include <gtest/gtest.h>

#include <algorithm>

#include "sonavo/core/deck_settings.h"
#include "sonavo/core/players.h"
#include "tests/native/fakes.h"

namespace {

using sonavo::DeckState;
using sonavo::PlayerKind;

TEST(PlayerTablesTest, TimeUnitsFollowThePlayerAndTheDisplay) {
  const sonavo::TimeUnits cd = sonavo::UnitsFor(PlayerKind::Cd, false);
  EXPECT_EQ(cd.barUnit, 1000u);
  EXPECT_EQ(cd.timerPeriodMs, 1000u);
  EXPECT_EQ(cd.blinkDivider, 1);
  const sonavo::TimeUnits wave = sonavo::UnitsFor(PlayerKind::Wave, false);
  EXPECT_EQ(wave.barUnit, 100u);
  EXPECT_EQ(wave.step, 1000u);
  EXPECT_EQ(wave.timerPeriodMs, 100u);
  EXPECT_EQ(wave.blinkDivider, 5);
  const sonavo::TimeUnits frames = sonavo::UnitsFor(PlayerKind::Video, true);
  EXPECT_EQ(frames.barUnit, 1u);
  EXPECT_EQ(frames.step, 1u);
  // Only the video player shows frames.
  EXPECT_EQ(sonavo::UnitsFor(PlayerKind::Midi, true).barUnit, 100u);
  EXPECT_STREQ(sonavo::Traits(PlayerKind::Video).name, "Video Player");
  EXPECT_STREQ(sonavo::Traits(PlayerKind::Midi).deviceType, "sequencer");
}

TEST(PlayerTablesTest, TheCommandLineNamesThePlayerAndTheFile) {
  const auto parsed = [](const char* arguments) {
    const sonavo::DeckCommandLine line = sonavo::ParseCommandLine(arguments);
    return std::to_string(static_cast<int>(line.kind)) + " " + line.path;
  };
  EXPECT_EQ(parsed(""), "0 ");
  EXPECT_EQ(parsed("/video /play C:\\A.AVI"), "3 C:\\A.AVI");
  EXPECT_EQ(parsed("\t/Wave\tC:\\B.WAV  "), "2 C:\\B.WAV");
  EXPECT_EQ(parsed("/MIDI"), "1 ");
  // Any other first word is skipped: the CD player, and what follows.
  EXPECT_EQ(parsed("/PLAY C:\\A.AVI"), "0 C:\\A.AVI");
  EXPECT_EQ(parsed("/cdx /midi"), "0 /midi");
  // A quoted path is one word, blanks and all; a quote left open runs to the end.
  EXPECT_EQ(parsed("/Video \"C:\\Sample Films\\sunrise.avi\""), "3 C:\\Sample Films\\sunrise.avi");
  EXPECT_EQ(parsed("/video /play \"C:\\A B.AVI"), "3 C:\\A B.AVI");
  EXPECT_EQ(parsed("\"/wave\" \"\""), "2 ");
}

TEST(DeckStateTest, TheDevicesModeMapsToTheStatusLine) {
  EXPECT_EQ(sonavo::StateOfMode(530, false), DeckState::NoDisc);
  EXPECT_EQ(sonavo::StateOfMode(524, false), DeckState::NotReady);
  EXPECT_EQ(sonavo::StateOfMode(526, false), DeckState::Playing);
  EXPECT_EQ(sonavo::StateOfMode(529, false), DeckState::Paused);
  EXPECT_EQ(sonavo::StateOfMode(525, true), DeckState::Paused);
  EXPECT_EQ(sonavo::StateOfMode(525, false), DeckState::Ready);
  EXPECT_EQ(sonavo::StateOfMode(528, false), DeckState::Seeking);
  EXPECT_EQ(sonavo::StateOfMode(527, false), DeckState::Ready);  // recording
}

TEST(ShuffleTest, TheGeneratorAndTheOrderForAFixedSeed) {
  sonavo::ShuffleGenerator generator(1);
  EXPECT_EQ(generator.Next(), 41);
  EXPECT_EQ(generator.Next(), 18467);
  EXPECT_EQ(generator.Next(), 6334);
  // 41, 18467, 6334, 26500 give 2, 3, 5, 1; 19169 and 15724 give 5 again; 11478 gives 4.
  sonavo::ShuffleGenerator seeded(1);
  EXPECT_EQ(sonavo::BuildShuffleOrder(5, seeded), (std::vector<int>{2, 3, 5, 1, 4}));
  for (int entries : {1, 2, 11, 99}) {
    sonavo::ShuffleGenerator any(12345);
    std::vector<int> order = sonavo::BuildShuffleOrder(entries, any);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < entries; ++i) ASSERT_EQ(order[static_cast<std::size_t>(i)], i + 1);
  }
  sonavo::ShuffleGenerator none(7);
  EXPECT_TRUE(sonavo::BuildShuffleOrder(0, none).empty());
}

TEST(VideoSpeedTest, StepsThroughTheTableAndStopsAtItsEnds) {
  sonavo::VideoSpeed speed;
  EXPECT_EQ(speed.Value(), 1000u);
  speed.Slower();
  EXPECT_EQ(speed.Value(), 750u);
  for (int i = 0; i < 9; ++i) speed.Faster();
  EXPECT_EQ(speed.Value(), 0u);  // as fast as it goes
  for (int i = 0; i < 12; ++i) speed.Slower();
  EXPECT_EQ(speed.Value(), 100u);
  speed.Reset();
  EXPECT_EQ(speed.Value(), 1000u);
}

TEST(ClockTest, MillisecondsToMinutesSecondsAndHundredths) {
  const sonavo::ClockTime time = sonavo::ToClock(3723456);
  EXPECT_EQ(time.minutes, 62u);
  EXPECT_EQ(time.seconds, 3u);
  EXPECT_EQ(time.hundredths, 45u);
  EXPECT_EQ(sonavo::ToClock(999).hundredths, 99u);
}

class DeckSettingsTest : public testing::Test {
 protected:
  MemoryProfile file;
};

TEST_F(DeckSettingsTest, AbsentKeysAndGarbageGiveTheDefaults) {
  file.WriteString("Video Player", "AutoPlay", "junk");
  file.WriteString("Video Player", "IntroLength", "3");
  const sonavo::PlayerSettings video = sonavo::ReadPlayerSettings(file, PlayerKind::Video);
  EXPECT_FALSE(video.autoPlay);
  EXPECT_EQ(video.introLength, 10);
  EXPECT_TRUE(video.formatTime);
  EXPECT_FALSE(video.stretchVideo);
  for (const char* intro : {"20", "4", "16", "x"}) {
    file.WriteString("CD Player", "IntroLength", intro);
    EXPECT_EQ(sonavo::ReadPlayerSettings(file, PlayerKind::Cd).introLength, 10) << intro;
  }
  file.WriteString("CD Player", "IntroLength", "5");
  EXPECT_EQ(sonavo::ReadPlayerSettings(file, PlayerKind::Cd).introLength, 5);
}

TEST_F(DeckSettingsTest, EachPlayerReadsItsOwnKeysAndKeepsWhatItWritesAtExit) {
  file.WriteString("CD Player", "StopOnExit", "1");
  file.WriteString("CD Player", "AudioSource", "1");
  file.WriteString("Wave Player", "StopOnExit", "1");
  file.WriteString("Wave Player", "AudioSource", "1");
  file.WriteString("Wave Player", "CurAlbum", std::string(50, 'a'));
  EXPECT_TRUE(sonavo::ReadPlayerSettings(file, PlayerKind::Cd).stopOnExit);
  EXPECT_TRUE(sonavo::ReadPlayerSettings(file, PlayerKind::Cd).audioSource);
  const sonavo::PlayerSettings wave = sonavo::ReadPlayerSettings(file, PlayerKind::Wave);
  EXPECT_FALSE(wave.stopOnExit);
  EXPECT_FALSE(wave.audioSource);
  EXPECT_EQ(wave.curAlbum.size(), 32u);

  sonavo::PlayerSettings midi;
  midi.repeat = true;
  midi.curAlbum = "P-r-e-v-i-e-w";
  midi.savePath = "C:\\Music\\";
  sonavo::WriteExitSettings(file, PlayerKind::Midi, midi);
  EXPECT_EQ(file.Value("MIDI Player", "Repeat"), "1");
  EXPECT_EQ(file.Value("MIDI Player", "TrackRepeat"), "0");
  EXPECT_EQ(file.Value("MIDI Player", "CurAlbum"), "P-r-e-v-i-e-w");
  EXPECT_FALSE(file.Has("MIDI Player", "Format"));
  sonavo::WriteExitSettings(file, PlayerKind::Cd, midi);
  EXPECT_FALSE(file.Has("CD Player", "CurAlbum"));
  const sonavo::PlayerSettings back = sonavo::ReadPlayerSettings(file, PlayerKind::Midi);
  EXPECT_TRUE(back.repeat);
  EXPECT_EQ(back.savePath, "C:\\Music\\");
}

TEST_F(DeckSettingsTest, TheWindowCornerIsKeptOnTheScreen) {
  EXPECT_FALSE(sonavo::ReadWindowPos(file, "Jubilo", 800, 600).has_value());
  sonavo::WriteWindowPos(file, "Jubilo", {640, 480});
  EXPECT_EQ(file.Value("Jubilo", "WindowPos"), "640,480");
  const auto corner = sonavo::ReadWindowPos(file, "Jubilo", 800, 600);
  ASSERT_TRUE(corner.has_value());
  EXPECT_EQ(corner->x, 640);
  EXPECT_EQ(corner->y, 480);
  // Written on a larger screen: clamped to this one.
  file.WriteString("Jubilo", "WindowPos", "1600,1200");
  EXPECT_EQ(sonavo::ReadWindowPos(file, "Jubilo", 800, 600)->x, 800);
  EXPECT_EQ(sonavo::ReadWindowPos(file, "Jubilo", 800, 600)->y, 600);
  for (const char* garbage : {"junk", "640", "640;480"}) {
    file.WriteString("Jubilo", "WindowPos", garbage);
    EXPECT_FALSE(sonavo::ReadWindowPos(file, "Jubilo", 800, 600).has_value()) << garbage;
  }
}

}  // namespace

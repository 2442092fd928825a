#include "machine/core/midi_file.h"

#include <gtest/gtest.h>

#include "machine/core/sample_media.h"

namespace {

TEST(MidiFileTest, TheLengthFollowsTheTempoMap) {
  // Four quarters at the default tempo of half a second each.
  EXPECT_EQ(machine::MidiLengthMs(machine::MidiFileBytes(96, {}, 384)), 2000u);
  EXPECT_EQ(machine::MidiLengthMs(machine::MidiFileBytes(96, {{0, 250000}}, 384)), 1000u);
  // Half a second, then twice as fast for a quarter.
  EXPECT_EQ(machine::MidiLengthMs(machine::MidiFileBytes(96, {{0, 500000}, {96, 250000}}, 192)),
            750u);
  // A tempo change at the last note changes nothing.
  EXPECT_EQ(machine::MidiLengthMs(machine::MidiFileBytes(96, {{0, 500000}, {96, 100000}}, 96)),
            500u);
}

// A file of 96 ticks a quarter and a quarter second a quarter whose tracks are `tracks` (each
// an MTrk chunk's events).
std::vector<std::uint8_t> MidiFile(std::uint8_t format,
                                   const std::vector<std::vector<std::uint8_t>>& tracks) {
  std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6};
  file.insert(file.end(), {0, format, 0, static_cast<std::uint8_t>(tracks.size()), 0, 96});
  for (const auto& events : tracks) {
    file.insert(file.end(),
                {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(events.size())});
    file.insert(file.end(), events.begin(), events.end());
  }
  return file;
}

TEST(MidiFileTest, TheLengthRunsToTheEndOfTrackOfTheLongestTrack) {
  const std::vector<std::uint8_t> tempo{0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90};  // 250000
  // A note to tick 192 (two quarters), the End of Track a quarter later.
  std::vector<std::uint8_t> notes{0x00, 0x90, 60, 100, 0x81, 0x40, 60, 0};
  notes.insert(notes.end(), {0x60, 0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> single = tempo;
  single.insert(single.end(), notes.begin(), notes.end());
  EXPECT_EQ(machine::MidiLengthMs(MidiFile(0, {single})), 750u);
  // Format 1: the tempo track ends at tick 384, after the note track.
  std::vector<std::uint8_t> tempoTrack = tempo;
  tempoTrack.insert(tempoTrack.end(), {0x83, 0x00, 0xFF, 0x2F, 0x00});
  EXPECT_EQ(machine::MidiLengthMs(MidiFile(1, {tempoTrack, notes})), 1000u);
  // A track without End of Track ends at its last event.
  EXPECT_EQ(machine::MidiLengthMs(MidiFile(1, {tempo, notes})), 750u);
}

TEST(MidiFileTest, SmpteDivisionsCountFramesAndTicks) {
  // 25 frames of 40 ticks: a thousand ticks a second.
  EXPECT_EQ(machine::MidiLengthMs(machine::MidiFileBytes(0xE728, {}, 1500)), 1500u);
}

TEST(MidiFileTest, BytesThatAreNoMidiFileHaveNoLength) {
  std::vector<std::uint8_t> good = machine::MidiFileBytes(96, {}, 384);
  EXPECT_FALSE(machine::MidiLengthMs({}).has_value());
  EXPECT_FALSE(machine::MidiLengthMs({'R', 'I', 'F', 'F', 0, 0, 0, 0}).has_value());
  for (std::size_t cut : {10u, 20u, 25u}) {
    EXPECT_FALSE(machine::MidiLengthMs({good.begin(), good.begin() + cut}).has_value()) << cut;
  }
  std::vector<std::uint8_t> zeroDivision = good;
  zeroDivision[12] = zeroDivision[13] = 0;
  EXPECT_FALSE(machine::MidiLengthMs(zeroDivision).has_value());
}

}  // namespace

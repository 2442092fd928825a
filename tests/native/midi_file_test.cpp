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

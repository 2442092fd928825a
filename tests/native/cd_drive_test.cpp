#include "machine/core/cd_drive.h"

#include <gtest/gtest.h>

#include "machine/core/machine_config.h"
#include "tests/native/fakes.h"

namespace {

using machine::CdMode;

TEST(CdDriveTest, TrackListsStopAtTheFirstLengthTheyCannotRead) {
  EXPECT_EQ(machine::ParseCdTracks("3000,2000"), (std::vector<std::uint32_t>{3000, 2000}));
  EXPECT_EQ(machine::ParseCdTracks("3000,x,2000"), std::vector<std::uint32_t>{3000});
  EXPECT_EQ(machine::ParseCdTracks("3000,0,2000"), std::vector<std::uint32_t>{3000});
  EXPECT_TRUE(machine::ParseCdTracks("").empty());
  std::string many;
  for (int i = 0; i < 120; ++i) many += "1000,";
  EXPECT_EQ(machine::ParseCdTracks(many).size(), 99u);
}

class CdPlayTest : public testing::Test {
 protected:
  void SetUp() override { machine::LoadDisc(drive, {3000, 2000, 4000}, true, false); }
  machine::CdDriveBlock drive{};
};

TEST_F(CdPlayTest, TracksFollowTheLeadInAndAPlayRunsOnTheClockToItsEnd) {
  EXPECT_EQ(machine::TrackStart(drive, 1), 2000u);
  EXPECT_EQ(machine::TrackStart(drive, 3), 7000u);
  EXPECT_EQ(machine::DiscLength(drive), 11000u);
  ASSERT_TRUE(machine::Play(drive, 5000, 11000, 100000));
  EXPECT_EQ(machine::Mode(drive, 100000), CdMode::Playing);
  EXPECT_EQ(machine::Position(drive, 101500), 6500u);
  EXPECT_EQ(machine::CurrentTrack(drive, 101500), 2u);
  EXPECT_EQ(machine::PlayEndsAt(drive), 106000u);
  EXPECT_EQ(machine::Mode(drive, 106000), CdMode::Stopped);
  EXPECT_EQ(machine::Position(drive, 200000), 11000u);
  EXPECT_FALSE(machine::Play(drive, 5000, 12000, 0));  // past the disc
}

TEST_F(CdPlayTest, PauseKeepsThePlaceStopAndSeekMoveIt) {
  machine::Play(drive, 2000, 11000, 0);
  machine::Pause(drive, 1000);
  EXPECT_EQ(machine::Mode(drive, 5000), CdMode::Paused);
  EXPECT_EQ(machine::Position(drive, 5000), 3000u);
  ASSERT_TRUE(machine::Seek(drive, 8000, 6000));
  EXPECT_EQ(machine::Mode(drive, 6000), CdMode::Stopped);
  EXPECT_EQ(machine::Position(drive, 9000), 8000u);
}

TEST_F(CdPlayTest, AnOpenDoorOrAnEmptyDriveHasNoMediaAndPlaysNothing) {
  machine::Play(drive, 2000, 11000, 0);
  machine::SetDoor(drive, true, 1000);
  EXPECT_EQ(machine::Mode(drive, 1000), CdMode::Open);
  EXPECT_FALSE(machine::MediaPresent(drive));
  EXPECT_FALSE(machine::Play(drive, 2000, 11000, 2000));
  machine::SetDoor(drive, false, 3000);
  EXPECT_EQ(machine::Mode(drive, 3000), CdMode::Stopped);

  const std::uint32_t changes = drive.discChanges;
  machine::Eject(drive);
  EXPECT_FALSE(machine::MediaPresent(drive));
  machine::Insert(drive, {1000});
  EXPECT_TRUE(machine::MediaPresent(drive));
  EXPECT_EQ(drive.discChanges, changes + 2);
  EXPECT_EQ(drive.trackCount, 1u);
}

TEST(CdConfigTest, TheDiscComesFromMachineIniWithDefaultsForGarbage) {
  MemoryProfile ini;
  EXPECT_EQ(machine::ReadMachineConfig(ini).cdTracks.size(), 3u);
  ini.WriteString("CD", "Tracks", "60000,45000");
  ini.WriteString("CD", "Door", "Open");
  ini.WriteString("CD", "Inserted", "0");
  ini.WriteString("CD", "HeldElsewhere", "yes");
  ini.WriteString("CD", "Data", "1");
  const machine::MachineConfig config = machine::ReadMachineConfig(ini);
  EXPECT_EQ(config.cdTracks, (std::vector<std::uint32_t>{60000, 45000}));
  EXPECT_TRUE(config.cdDoorOpen);
  EXPECT_FALSE(config.cdInserted);
  EXPECT_FALSE(config.cdHeldElsewhere);
  EXPECT_TRUE(config.cdData);
}

}  // namespace

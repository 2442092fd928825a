// The CD player's tick over the simulated drive, on a clock the test moves.

#include "sonavo/core/cd_player.h"

#include <gtest/gtest.h>

#include "machine/core/cd_drive.h"
#include "tests/native/fakes.h"

namespace {

using sonavo::DeckState;

class DriveHost : public sonavo::EngineHost, public sonavo::DiscReader {
 public:
  explicit DriveHost(machine::CdDriveBlock& drive) : drive_(drive) {}

  bool SelectEntry(int, sonavo::EntryTimes*) override { return true; }
  std::uint32_t DeviceMode() override {
    return static_cast<std::uint32_t>(machine::Mode(drive_, now));
  }
  std::uint32_t Position() override { return machine::Position(drive_, now); }
  void Play(std::optional<std::uint32_t> from, std::uint32_t to) override {
    machine::Play(drive_, from.value_or(Position()), to, now);
  }
  void Pause() override { machine::Pause(drive_, now); }
  void StopDevice() override { machine::Stop(drive_, now); }
  void CloseDoor() override { machine::SetDoor(drive_, false, now); }
  void Seek(std::uint32_t position, bool) override { machine::Seek(drive_, position, now); }
  void PostRangeEnded() override {}
  void PostStop() override {}
  std::uint32_t ShuffleSeed() override { return 1; }

  bool MediaPresent() override { return machine::MediaPresent(drive_); }
  int TrackCount() override { return static_cast<int>(drive_.trackCount); }
  std::uint32_t TrackStart(int track) override {
    return machine::TrackStart(drive_, static_cast<std::uint32_t>(track));
  }
  std::uint32_t TrackLength(int track) override {
    return drive_.lengthsMs[static_cast<std::size_t>(track - 1)];
  }

  std::uint64_t now = 1000;

 private:
  machine::CdDriveBlock& drive_;
};

class RecordingView : public sonavo::DeckView {
 public:
  void ShowState(DeckState state) override { states.push_back(state); }
  void ShowEntry(int entry, const std::string& name) override {
    entries.push_back(std::to_string(entry) + " " + name);
  }
  void ShowTime(std::uint32_t offsetMs, std::uint32_t lengthMs) override {
    time = std::to_string(offsetMs) + "/" + std::to_string(lengthMs);
  }
  std::vector<DeckState> states;
  std::vector<std::string> entries;
  std::string time;
};

class CdPlayerTest : public testing::Test {
 protected:
  void SetUp() override { machine::LoadDisc(drive, {3000, 2000, 4000}, true, false); }

  machine::CdDriveBlock drive{};
  DriveHost host{drive};
  MemoryProfile album;
  RecordingView view;
  sonavo::CdPlayer player{host, host, album, view, "Track"};
};

TEST_F(CdPlayerTest, AnArrivingDiscIsCataloguedAndPlaysOnTrackByTrack) {
  player.SetAutoPlay(true);
  player.Tick();
  EXPECT_EQ(album.Value("CD List", "Number of CDs"), "1");
  EXPECT_EQ(view.entries, std::vector<std::string>{"1 Track 01"});
  host.now += 100;
  player.Tick();
  EXPECT_EQ(view.states.back(), DeckState::Playing);
  host.now += 3500;  // 0.5 s into track 2
  player.Tick();
  EXPECT_EQ(view.entries.back(), "2 Track 02");
  EXPECT_EQ(view.time, "600/2000");
  host.now += 1000;  // 1.6 s into track 2, which is 2 s long
  player.Tick();
  EXPECT_EQ(view.time, "1600/2000");
  player.Close();
  EXPECT_EQ(album.Value(album.Value("CD List", "1"), "Selection"), "2");
}

TEST_F(CdPlayerTest, ALeavingDiscReturnsToCdNotInserted) {
  player.Tick();
  machine::Eject(drive);
  player.Tick();
  EXPECT_FALSE(player.engine().Loaded());
  EXPECT_EQ(view.states.back(), DeckState::NoDisc);
  EXPECT_EQ(view.entries.back(), "0 ");
}

TEST_F(CdPlayerTest, PlayWithTheDoorOpenClosesItAndPlaysTheDiscOnceRead) {
  machine::SetDoor(drive, true, host.now);
  player.Tick();
  EXPECT_EQ(view.states.back(), DeckState::NoDisc);
  player.engine().PlayPause();
  player.Tick();
  EXPECT_TRUE(player.engine().Loaded());
  EXPECT_EQ(machine::Mode(drive, host.now), machine::CdMode::Playing);
}

TEST_F(CdPlayerTest, ADiscThatPlaysAlreadyIsPickedUpWithoutRestarting) {
  machine::Play(drive, machine::TrackStart(drive, 3), machine::DiscLength(drive), host.now);
  const std::uint64_t started = drive.play.startedMs;
  host.now += 500;
  player.Tick();
  EXPECT_EQ(player.engine().Current(), 3);
  EXPECT_EQ(view.entries.back(), "3 Track 03");
  EXPECT_EQ(machine::Position(drive, host.now), machine::TrackStart(drive, 3) + 500);
  EXPECT_NE(drive.play.startedMs, started);  // played on from where it was
}

TEST_F(CdPlayerTest, ProgramEditsAreKeptAndTakenForTheDiscInTheDrive) {
  player.Tick();
  const std::string disc = player.DiscId();
  sonavo::Disc edited = player.CurrentDisc();
  edited.title = "Songs";
  edited.trackNames[0] = "Opening";
  edited.programList = {3, 1};
  ASSERT_TRUE(player.SaveEdit(disc, edited));
  EXPECT_EQ(album.Value(disc, "Playlist"), "3 1 ");
  EXPECT_EQ(player.engine().ProgramList(), (std::vector<int>{3, 1}));
  EXPECT_EQ(view.entries.back(), "1 Opening");
  EXPECT_EQ(player.TrackLengths(), (std::vector<std::uint32_t>{3000, 2000, 4000}));

  // A disc that left meanwhile keeps the edit in the catalogue only.
  machine::Eject(drive);
  player.Tick();
  edited.title = "Later";
  player.SaveEdit(disc, edited);
  EXPECT_EQ(album.Value(disc, "Title"), "Later");
  EXPECT_TRUE(player.engine().ProgramList().empty() || !player.engine().Loaded());
}

}  // namespace

#include "sonavo/core/engine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using sonavo::EntryTimes;
using sonavo::PlayMode;

constexpr std::uint32_t kModeStop = 525;
constexpr std::uint32_t kModePlay = 526;

// The device and the deck window as the engine sees them: plays are recorded as "from-to"
// ("here" for the current position) and the device plays until told otherwise.
class FakeHost : public sonavo::EngineHost {
 public:
  bool SelectEntry(int entry, EntryTimes* times) override {
    selected.push_back(entry);
    if (failing.count(entry)) return false;
    if (!albumTimes.empty()) *times = albumTimes[static_cast<std::size_t>(entry - 1)];
    return true;
  }
  std::uint32_t DeviceMode() override { return mode; }
  std::uint32_t Position() override { return position; }
  void Play(std::optional<std::uint32_t> from, std::uint32_t to) override {
    plays.push_back((from ? std::to_string(*from) : "here") + "-" + std::to_string(to));
    mode = kModePlay;
  }
  void Pause() override {
    ++pauses;
    mode = kModeStop;
  }
  void StopDevice() override {
    ++stops;
    mode = kModeStop;
  }
  void CloseDoor() override { ++doorCloses; }
  void Seek(std::uint32_t to, bool wait) override {
    seeks.push_back(std::to_string(to) + (wait ? " wait" : ""));
    position = to;
  }
  void PostRangeEnded() override { ++postedEnds; }
  void PostStop() override { ++postedStops; }
  std::uint32_t ShuffleSeed() override { return 1; }

  std::vector<EntryTimes> albumTimes;  // for an album: the times each file reports
  std::set<int> failing;               // album entries whose file does not open
  std::uint32_t mode = kModeStop;
  std::uint32_t position = 0;
  std::vector<int> selected;
  std::vector<std::string> plays;
  std::vector<std::string> seeks;
  int pauses = 0, stops = 0, doorCloses = 0, postedEnds = 0, postedStops = 0;
};

// The device played its range to the end: it stands stopped and reports the play a success.
void PlayedToEnd(FakeHost& host, sonavo::Engine& engine) {
  host.mode = kModeStop;
  engine.RangeEnded();
}

// Tracks of `seconds` each, back to back.
std::vector<EntryTimes> Disc(const std::vector<std::uint32_t>& seconds) {
  std::vector<EntryTimes> tracks;
  std::uint32_t start = 0;
  for (std::uint32_t length : seconds) {
    tracks.push_back({start, length * 1000});
    start += length * 1000;
  }
  return tracks;
}

class CdEngineTest : public testing::Test {
 protected:
  void Load(const std::vector<std::uint32_t>& seconds, std::vector<int> programList = {1, 2, 3}) {
    engine.LoadDisc(Disc(seconds), std::move(programList), 1, false);
  }
  // Plays to the end of each range the engine starts, `times` times.
  void EndRanges(int times) {
    for (int i = 0; i < times; ++i) PlayedToEnd(host, engine);
  }

  FakeHost host;
  sonavo::Engine engine{sonavo::PlayerKind::Cd, host};
};

TEST_F(CdEngineTest, NormalPlaysToTheEndOfTheDiscAndRepeatsAsAsked) {
  Load({60, 60, 60});
  engine.PlayPause();
  EXPECT_EQ(host.plays, std::vector<std::string>{"0-180000"});
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.size(), 1u);  // no repeat: the disc is over

  engine.RepeatButton();  // Repeat
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "0-180000");
  engine.TrackButton(2);
  engine.RepeatButton();  // Repeat and TrackRepeat
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "60000-120000");
  engine.RepeatButton();  // off
  EXPECT_FALSE(engine.Repeat());
  EXPECT_FALSE(engine.TrackRepeat());
}

TEST_F(CdEngineTest, ADiscOfMoreThan99TracksLoadsAs99) {
  engine.LoadDisc(Disc(std::vector<std::uint32_t>(120, 2)), {}, 1, false);
  EXPECT_EQ(engine.EntryCount(), 99);
}

TEST_F(CdEngineTest, IntroPlaysTheSetLengthAndAHalfOrAShortTrackWhole) {
  Load({60, 3, 60});
  engine.SetIntroLength(10);
  engine.ChooseMode(PlayMode::Intro);
  engine.PlayPause();
  EXPECT_EQ(host.plays.back(), "0-10500");
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "60000-63000");  // shorter than the intro
  engine.SetIntroLength(5);
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "63000-68500");
  const std::size_t played = host.plays.size();
  PlayedToEnd(host, engine);  // past the last track, no repeat: over
  EXPECT_EQ(host.plays.size(), played);
}

TEST_F(CdEngineTest, ShufflePlaysEveryTrackOnceThenStopsOrGoesRoundInTheSameOrder) {
  Load({10, 20, 30, 40, 50});
  engine.ChooseMode(PlayMode::Shuffle);
  engine.PlayPause();
  EndRanges(4);
  // The seed 1 draws 2, 3, 5, 1, 4.
  EXPECT_EQ(host.selected, (std::vector<int>{2, 3, 5, 1, 4}));
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.selected.size(), 5u);

  engine.RepeatButton();
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.selected.back(), 2);
  EXPECT_EQ(engine.ShuffleOrder(), (std::vector<int>{2, 3, 5, 1, 4}));
}

TEST_F(CdEngineTest, ProgramPlaysTheListAndStopsAfterItsLastEntry) {
  Load({10, 20, 30}, {3, 1});
  engine.ChooseMode(PlayMode::Program);
  engine.PlayPause();
  EXPECT_EQ(host.plays.back(), "30000-60000");
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "0-10000");
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.postedStops, 1);
  EXPECT_EQ(host.plays.size(), 2u);

  engine.SetProgramList({});
  engine.PlayPause();
  EXPECT_EQ(host.plays.size(), 2u);  // an empty program plays nothing
}

TEST_F(CdEngineTest, NextAndPreviousWrapAroundTheDisc) {
  Load({10, 20, 30});
  engine.Next();  // not armed before Play
  EXPECT_TRUE(host.plays.empty());
  engine.PlayPause();
  engine.Previous();
  EXPECT_EQ(engine.Current(), 3);
  EXPECT_EQ(host.plays.back(), "30000-60000");
  engine.Next();
  EXPECT_EQ(engine.Current(), 1);
  engine.Next();
  EXPECT_EQ(engine.Current(), 2);
}

TEST_F(CdEngineTest, PlayPausesAndResumesToTheRememberedEnd) {
  Load({10, 20, 30});
  engine.TrackButton(2);
  engine.PlayPause();
  EXPECT_EQ(host.pauses, 1);
  EXPECT_TRUE(engine.Paused());
  engine.PlayPause();
  EXPECT_EQ(host.plays.back(), "here-60000");
  EXPECT_FALSE(engine.Paused());
}

TEST_F(CdEngineTest, AbTwiceAtOnePlaceCancelsAndBBeforeASwaps) {
  Load({60, 60});
  engine.PlayPause();
  host.position = 5000;
  engine.AbButton();
  engine.AbButton();
  EXPECT_FALSE(engine.PointA().has_value());
  EXPECT_EQ(engine.Mode(), PlayMode::Normal);

  host.position = 9000;
  engine.AbButton();
  host.position = 4000;
  engine.AbButton();
  EXPECT_EQ(engine.Mode(), PlayMode::AB);
  EXPECT_EQ(host.plays.back(), "4000-9001");
  EXPECT_TRUE(engine.Repeat());
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "4000-9001");
  engine.AbButton();  // the third press leaves A=B and plays on
  EXPECT_EQ(engine.Mode(), PlayMode::Normal);
  EXPECT_FALSE(engine.Repeat());
  EXPECT_EQ(host.plays.back(), "here-120000");

  // A track chosen during A=B leaves it with the repeat setting it had put aside.
  host.position = 1000;
  engine.AbButton();
  host.position = 2000;
  engine.AbButton();
  ASSERT_TRUE(engine.Repeat());
  engine.TrackButton(2);
  EXPECT_EQ(engine.Mode(), PlayMode::Normal);
  EXPECT_FALSE(engine.Repeat());
}

// A disc that leaves or an album loaded in the middle of a drag ends the gesture: the next
// drag's end is taken.
TEST_F(CdEngineTest, ALoadOrUnloadEndsASeekInProgress) {
  Load({60, 60});
  engine.PlayPause();
  engine.BeginSeek();
  ASSERT_TRUE(engine.Seeking());
  engine.Unload();
  EXPECT_FALSE(engine.Seeking());
  Load({60, 60});
  engine.PlayPause();
  engine.BeginSeek();
  Load({30});
  EXPECT_FALSE(engine.Seeking());
  engine.PlayPause();
  engine.BeginSeek();
  engine.EndSeek(1000, false);
  EXPECT_EQ(host.seeks.back(), "1000");
}

TEST_F(CdEngineTest, ModesCycleAfterProgramAndAChangeStopsAndClearsTrackRepeat) {
  Load({10, 20});
  engine.SetRepeat(true, true);
  engine.NextMode();
  EXPECT_EQ(engine.Mode(), PlayMode::Intro);
  EXPECT_FALSE(engine.TrackRepeat());
  EXPECT_FALSE(engine.Armed());
  engine.NextMode();
  engine.NextMode();
  EXPECT_EQ(engine.Mode(), PlayMode::Program);
  engine.NextMode();
  EXPECT_EQ(engine.Mode(), PlayMode::Normal);
  EXPECT_TRUE(engine.Armed());
  EXPECT_EQ(host.stops, 4);
}

TEST_F(CdEngineTest, PlayWithoutADiscClosesTheDoorAndPlaysWhenTheDiscIsRead) {
  engine.PlayPause();
  EXPECT_EQ(host.doorCloses, 1);
  EXPECT_TRUE(engine.PlayWhenReady());
  engine.LoadDisc(Disc({10, 20}), {1, 2}, 2, false);
  EXPECT_EQ(host.plays, std::vector<std::string>{"10000-30000"});
  EXPECT_FALSE(engine.PlayWhenReady());
}

TEST_F(CdEngineTest, ADiscAlreadyPlayingIsPickedUpAtItsTrack) {
  host.mode = kModePlay;
  host.position = 25000;
  engine.LoadDisc(Disc({10, 20, 30}), {1, 2, 3}, 1, false);
  EXPECT_EQ(engine.Current(), 2);
  EXPECT_EQ(host.plays, std::vector<std::string>{"here-60000"});
}

class AlbumEngineTest : public testing::Test {
 protected:
  void SetUp() override { host.albumTimes = {{0, 2000}, {0, 3000}, {0, 4000}}; }

  FakeHost host;
  sonavo::Engine engine{sonavo::PlayerKind::Wave, host};
};

TEST_F(AlbumEngineTest, AnAlbumPlaysInOrderFromItsSelectionAndSkipsAFileThatFails) {
  host.failing = {3};
  engine.LoadAlbum(3, 2);
  EXPECT_EQ(host.selected, std::vector<int>{2});
  engine.PlayPause();
  EXPECT_EQ(host.plays, std::vector<std::string>{"0-3000"});
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.postedEnds, 1);  // entry 3 did not open
  PlayedToEnd(host, engine);      // the posted end arrives: past the last, stop
  EXPECT_EQ(host.postedStops, 1);

  engine.RepeatButton();  // NORMAL: Repeat
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "0-2000");
  EXPECT_EQ(engine.Current(), 1);
}

// An album whose files all fail, played with Repeat or TrackRepeat: each file is tried once
// (one error box each), then play stops instead of going round them for ever.
TEST_F(AlbumEngineTest, ARoundOfFilesThatFailEndsPlayWithOneTryEach) {
  host.failing = {1, 2, 3};
  engine.LoadAlbum(3, 1);
  engine.SetRepeat(true, false);
  engine.PlayPause();
  for (int i = 0; i < 10 && host.postedStops == 0; ++i) PlayedToEnd(host, engine);
  // The first file tried as the album loaded, and again when Play was pressed.
  EXPECT_EQ(host.selected, (std::vector<int>{1, 1, 2, 3}));
  EXPECT_EQ(host.postedStops, 1);
  engine.Stop();  // the posted Stop arrives

  host.selected.clear();
  engine.SetRepeat(false, true);
  engine.TrackButton(2);
  for (int i = 0; i < 10 && host.postedStops == 1; ++i) PlayedToEnd(host, engine);
  EXPECT_EQ(host.selected, std::vector<int>{2});
  EXPECT_EQ(host.postedStops, 2);

  // A file that opens again plays, and the round starts anew.
  engine.Stop();
  host.failing = {1, 3};
  host.selected.clear();
  engine.SetRepeat(true, false);
  engine.TrackButton(1);
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "0-3000");
  EXPECT_EQ(host.selected, (std::vector<int>{1, 2}));
}

TEST_F(AlbumEngineTest, AnEmptyAlbumLeavesTheDeckWithoutOneAndModesStopAtShuffle) {
  engine.LoadAlbum(0, 1);
  EXPECT_FALSE(engine.Loaded());
  engine.PlayPause();
  EXPECT_EQ(host.doorCloses, 0);

  engine.LoadAlbum(3, 1);
  engine.NextMode();
  engine.NextMode();
  EXPECT_EQ(engine.Mode(), PlayMode::Shuffle);
  engine.NextMode();
  EXPECT_EQ(engine.Mode(), PlayMode::Normal);
}

TEST(VideoEngineTest, ThePictureFollowsTheThumbUnlessTheDeviceIsStillSeeking) {
  constexpr std::uint32_t kModeSeek = 528;
  FakeHost host;
  host.albumTimes = {{40, 5000}};
  sonavo::Engine video{sonavo::PlayerKind::Video, host};
  video.LoadAlbum(1, 1);
  video.PlayPause();
  video.DragTo(1000);  // no gesture yet
  video.BeginSeek();
  video.DragTo(1000);
  host.mode = kModeSeek;
  video.DragTo(2000);
  EXPECT_EQ(host.seeks, std::vector<std::string>{"1040"});

  // A wave player's device moves only at the end of the gesture.
  sonavo::Engine wave{sonavo::PlayerKind::Wave, host};
  host.mode = kModeStop;
  wave.LoadAlbum(1, 1);
  wave.PlayPause();
  wave.BeginSeek();
  wave.DragTo(3000);
  EXPECT_EQ(host.seeks.size(), 1u);
}

// Wine's video driver reports a play that a pause or a seek cut short as a success: the deck
// neither stops nor moves on, and plays on from where it was.
TEST(VideoEngineTest, APlayCutShortByAPauseOrASeekHasNotEnded) {
  FakeHost host;
  host.albumTimes = {{0, 10000}};
  sonavo::Engine video{sonavo::PlayerKind::Video, host};
  video.LoadAlbum(1, 1);
  video.PlayPause();
  video.PlayPause();
  video.RangeEnded();
  EXPECT_TRUE(video.Paused());

  // Dragged while paused: the drag's seek and the gesture's end.
  video.BeginSeek();
  video.DragTo(7000);
  video.RangeEnded();
  video.EndSeek(7000, true);
  video.RangeEnded();
  video.PlayPause();
  EXPECT_EQ(host.plays, (std::vector<std::string>{"0-10000", "here-10000"}));

  // Dragged while playing: the notice of the play cut short comes after play resumed.
  video.BeginSeek();
  video.DragTo(2000);
  video.EndSeek(2000, true);
  video.RangeEnded();
  EXPECT_EQ(host.plays.size(), 3u);
  EXPECT_EQ(host.postedStops, 0);

  PlayedToEnd(host, video);
  EXPECT_EQ(host.postedStops, 1);
}

TEST_F(AlbumEngineTest, AChangeOfUnitTakesTheEntrysNewTimesAndLeavesAEqualsB) {
  engine.LoadAlbum(3, 2);
  engine.PlayPause();
  host.position = 500;
  engine.AbButton();
  host.position = 1500;
  engine.AbButton();
  ASSERT_EQ(engine.Mode(), PlayMode::AB);
  // The same file counted in frames of a tenth of a second.
  engine.ChangeUnit({0, 30});
  EXPECT_EQ(engine.Mode(), PlayMode::Normal);
  EXPECT_FALSE(engine.PointA().has_value());
  EXPECT_EQ(engine.Times(2).length, 30u);
  EXPECT_EQ(engine.SteppedOffset(30, +1, 1), 0u);  // past the end wraps, in frames
}

TEST_F(AlbumEngineTest, TrackRepeatReplaysTheEntry) {
  engine.LoadAlbum(3, 1);
  engine.TrackButton(3);
  EXPECT_EQ(host.plays.back(), "0-4000");
  engine.SetRepeat(false, true);
  PlayedToEnd(host, engine);
  EXPECT_EQ(host.plays.back(), "0-4000");
  EXPECT_EQ(engine.Current(), 3);
}

TEST_F(CdEngineTest, ThePlayingPositionMovesTheCurrentTrackOrRepeatsIt) {
  Load({10, 20, 30});
  engine.PlayPause();
  engine.CdPlaying(12000);
  EXPECT_EQ(engine.Current(), 2);
  engine.TrackButton(3);
  engine.CdPlaying(29800);  // the end of track 2, reported late: unchanged
  EXPECT_EQ(engine.Current(), 3);
  engine.SetRepeat(false, true);
  engine.TrackButton(1);
  engine.CdPlaying(10200);
  EXPECT_EQ(engine.Current(), 1);
  EXPECT_EQ(host.plays.back(), "0-60000");
}

TEST_F(CdEngineTest, RewindAtTheStartWrapsToTheRangesEndAndForwardPastItToZero) {
  Load({10, 20, 30}, {3});
  engine.ChooseMode(PlayMode::Program);
  engine.PlayPause();  // track 3: 30000 + 30000
  ASSERT_EQ(engine.Current(), 3);
  EXPECT_EQ(engine.SteppedOffset(0, -1, 1000), 30000u);
  EXPECT_EQ(engine.SteppedOffset(5000, -1, 1000), 4000u);
  EXPECT_EQ(engine.SteppedOffset(29500, +1, 1000), 0u);
  EXPECT_EQ(engine.SteppedOffset(28000, +1, 1000), 29000u);
}

TEST_F(CdEngineTest, ASeekPausesThenMovesAndPlaysOnToTheRangesEnd) {
  Load({10, 20, 30});
  engine.BeginSeek();
  EXPECT_FALSE(engine.Seeking());  // not armed before Play
  engine.TrackButton(2);           // plays 10000 -> 60000
  engine.BeginSeek();
  ASSERT_TRUE(engine.Seeking());
  EXPECT_TRUE(engine.Paused());
  engine.EndSeek(5000, true);
  EXPECT_EQ(host.seeks, std::vector<std::string>{"15000 wait"});
  EXPECT_EQ(host.plays.back(), "here-60000");
  EXPECT_FALSE(engine.Seeking());

  // Stopped before the gesture: it only moves.
  engine.Stop();
  const std::size_t plays = host.plays.size();
  engine.BeginSeek();
  engine.EndSeek(1000, false);
  EXPECT_EQ(host.seeks.back(), "11000");
  EXPECT_EQ(host.plays.size(), plays);
}

}  // namespace

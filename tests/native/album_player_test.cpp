#include "sonavo/core/album_player.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/native/fakes.h"

namespace {

using sonavo::DeckState;

// Files of two seconds each; those named in `failing` do not open.
class FakeFiles : public sonavo::FileHost {
 public:
  void SetEntries(const std::vector<std::string>& paths) override {
    entries = paths;
    open = false;
  }
  bool IsOpen() const override { return open; }
  bool SelectEntry(int entry, sonavo::EntryTimes* times) override {
    open = !failing.count(entries[static_cast<std::size_t>(entry - 1)]);
    if (open) *times = {0, 2000};
    return open;
  }
  std::uint32_t DeviceMode() override { return mode; }
  std::uint32_t Position() override { return position; }
  void Play(std::optional<std::uint32_t>, std::uint32_t) override {
    ++plays;
    mode = 526;
  }
  void Pause() override {}
  void StopDevice() override {}
  void CloseDoor() override {}
  void Seek(std::uint32_t, bool) override {}
  void PostRangeEnded() override { ++postedEnds; }
  void PostStop() override {}
  std::uint32_t ShuffleSeed() override { return 1; }

  std::vector<std::string> entries;
  std::set<std::string> failing;
  bool open = false;
  std::uint32_t mode = 525;
  std::uint32_t position = 0;
  int plays = 0;
  int postedEnds = 0;
};

class TitleView : public sonavo::DeckView {
 public:
  void ShowState(DeckState state) override { this->state = state; }
  void ShowEntry(int entry, const std::string& name) override {
    shown = std::to_string(entry) + " " + name;
  }
  void ShowTime(std::uint32_t offsetMs, std::uint32_t) override { offset = offsetMs; }
  DeckState state = DeckState::Unknown;
  std::string shown;
  std::uint32_t offset = 0;
};

class AlbumPlayerTest : public testing::Test {
 protected:
  void SetUp() override {
    sonavo::AlbumFile(file).Save(
        "Songs", {{"C:\\Music\\one.wav", "C:\\Music\\two.wav", "C:\\Music\\three.wav"}, 2}, true);
  }
  FakeFiles files;
  MemoryProfile file;
  TitleView view;
  sonavo::AlbumPlayer player{sonavo::PlayerKind::Wave, files, file, view};
};

TEST_F(AlbumPlayerTest, AnAlbumOpensItsSelectionAndPlaysWithAutoPlay) {
  ASSERT_TRUE(player.Load("Songs", true));
  EXPECT_EQ(files.entries.size(), 3u);
  EXPECT_EQ(player.engine().Current(), 2);
  EXPECT_EQ(files.plays, 1);
  files.position = 1500;
  player.Tick();
  EXPECT_EQ(view.state, DeckState::Playing);
  EXPECT_EQ(view.shown, "2 two.wav");
  EXPECT_EQ(view.offset, 1500u);
  player.Close();
  EXPECT_EQ(file.Value("Songs", "Selection"), "2");
}

TEST_F(AlbumPlayerTest, AFirstFileThatDoesNotOpenIsSkippedAndAnEmptyAlbumLoadsNothing) {
  files.failing = {"C:\\Music\\two.wav"};
  ASSERT_TRUE(player.Load("Songs", true));
  EXPECT_EQ(files.plays, 0);
  EXPECT_EQ(files.postedEnds, 1);
  EXPECT_FALSE(player.Load("Nothing", true));
  EXPECT_FALSE(player.engine().Loaded());
  EXPECT_EQ(view.shown, "0 ");
}

// The next file fails to open: nothing plays any more, and the deck says so rather than
// showing the last file's play frozen.
TEST_F(AlbumPlayerTest, AfterAFileFailsToOpenTheDeckNoLongerShowsPlay) {
  files.failing = {"C:\\Music\\three.wav"};
  ASSERT_TRUE(player.Load("Songs", true));
  player.Tick();
  ASSERT_EQ(view.state, DeckState::Playing);
  files.mode = 525;  // played to its end
  player.engine().RangeEnded();
  player.Tick();
  EXPECT_EQ(view.state, DeckState::Ready);
  EXPECT_EQ(view.shown, "3 three.wav");
}

TEST_F(AlbumPlayerTest, AFileHandedOverBecomesThePreviewAlbum) {
  ASSERT_TRUE(player.LoadFile("C:\\Video\\A.AVI", false));
  EXPECT_EQ(player.AlbumName(), "P-r-e-v-i-e-w");
  EXPECT_EQ(file.Value("P-r-e-v-i-e-w", "1"), "C:\\Video\\A.AVI");
  EXPECT_EQ(files.plays, 0);
  EXPECT_EQ(view.shown, "1 A.AVI");
}

}  // namespace

#include "sonavo/core/album_panel.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/native/fakes.h"

namespace {

using sonavo::AlbumPanel;

class AlbumPanelTest : public testing::Test {
 protected:
  MemoryProfile file;
  sonavo::AlbumFile albums{file};
  std::map<std::string, std::uint32_t> sizes{{"C:\\M\\a.mid", 120}, {"C:\\M\\b.mid", 3400}};
  AlbumPanel::FileSize sizeOf = [this](const std::string& path) {
    auto found = sizes.find(path);
    return found == sizes.end() ? 0u : found->second;
  };
  AlbumPanel panel{albums, sizeOf};
};

TEST_F(AlbumPanelTest, AddedFilesKeepTheirFolderAndSizeAndShowThemInTheExtendedLine) {
  ASSERT_TRUE(panel.Add("C:\\M\\", {"a.mid", "b.mid", "gone.mid"}));
  ASSERT_EQ(panel.Lines().size(), 3u);
  EXPECT_EQ(sonavo::ExtendedLine(panel.Lines()[1]), "b.mid\t(3400)\tC:\\M\\");
  // A file that cannot be opened stays in the album with size 0.
  EXPECT_EQ(panel.Lines()[2].size, 0u);

  panel.Remove({2, 0, 2});
  EXPECT_EQ(panel.Paths(), std::vector<std::string>{"C:\\M\\b.mid"});
}

TEST_F(AlbumPanelTest, AddingStopsAtNinetyNineLinesKeepingWhatFitted) {
  ASSERT_TRUE(panel.Add("C:\\M\\", std::vector<std::string>(98, "a.mid")));
  EXPECT_FALSE(panel.Add("C:\\M\\", {"a.mid", "b.mid", "c.mid"}));
  EXPECT_EQ(panel.Lines().size(), 99u);
  EXPECT_EQ(panel.Lines().back().name, "a.mid");
}

TEST_F(AlbumPanelTest, SavedAlbumsAreListedAndOpenAgainWithSizesReadAnew) {
  panel.New("Album");
  EXPECT_EQ(panel.Title(), "Album 01");
  panel.Add("C:\\M\\", {"a.mid", "b.mid"});
  ASSERT_TRUE(panel.Save(1));
  EXPECT_EQ(albums.Names(), std::vector<std::string>{"Album 01"});
  EXPECT_EQ(file.Value("Album 01", "Selection"), "2");
  EXPECT_EQ(file.Value("Album 01", "2"), "C:\\M\\b.mid");

  sizes["C:\\M\\a.mid"] = 999;
  file.DeleteKey("Album 01", "2");  // a damaged album: the missing entry reads "Unknown"
  AlbumPanel reopened{albums, sizeOf};
  ASSERT_TRUE(reopened.Open("Album 01"));
  EXPECT_EQ(reopened.Title(), "Album 01");
  ASSERT_EQ(reopened.Lines().size(), 2u);
  EXPECT_EQ(reopened.Lines()[0].folder, "C:\\M\\");
  EXPECT_EQ(reopened.Lines()[0].size, 999u);
  EXPECT_EQ(reopened.Lines()[1].name, "Unknown");
  EXPECT_EQ(reopened.Lines()[1].folder, "");
}

TEST_F(AlbumPanelTest, AnEmptyAlbumIsSavedWithoutSelectionAndOkKeepsItUnlisted) {
  panel.SetTitle("Quiet");
  ASSERT_TRUE(panel.Save(-1));
  EXPECT_EQ(file.Value("Quiet", "Tracks"), "0");
  EXPECT_FALSE(file.Has("Quiet", "Selection"));

  panel.SetTitle("Scratch");
  panel.Add("C:\\M\\", {"a.mid", "b.mid"});
  ASSERT_TRUE(panel.Keep(1));
  EXPECT_EQ(file.Value("Scratch", "1"), "C:\\M\\a.mid");
  EXPECT_EQ(file.Value("Scratch", "Selection"), "2");  // the selected line
  EXPECT_EQ(albums.Names(), std::vector<std::string>{"Quiet"});
}

TEST_F(AlbumPanelTest, DeleteEmptiesThePanelAndForgetsTheAlbum) {
  panel.SetTitle("Doomed");
  panel.Add("C:\\M\\", {"a.mid"});
  panel.Save(0);
  ASSERT_TRUE(panel.Delete());
  EXPECT_TRUE(panel.Lines().empty());
  EXPECT_EQ(panel.Title(), "");
  EXPECT_TRUE(albums.Names().empty());
  EXPECT_FALSE(file.HasSection("Doomed"));
}

TEST_F(AlbumPanelTest, AnUnwritableFileIsReportedAndTheLinesStay) {
  panel.SetTitle(std::string(40, 'T'));
  EXPECT_EQ(panel.Title().size(), 32u);
  panel.Add("C:\\M\\", {"a.mid"});
  file.readOnly = true;
  EXPECT_FALSE(panel.Save(0));
  EXPECT_FALSE(panel.Keep(0));
  EXPECT_EQ(panel.Lines().size(), 1u);
}

}  // namespace

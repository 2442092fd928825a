#include "sonavo/core/album_files.h"

#include <gtest/gtest.h>

#include "tests/native/fakes.h"

namespace {

using sonavo::Album;
using sonavo::AlbumFile;
using sonavo::CdCatalogue;

TEST(CdIdentifierTest, WeighsEachLengthByItsTrackAndCutsTheLastToWholeSeconds) {
  // 1 x 1000 + 2 x 2000 (the last track's 2500 cut to 2000) = 5000.
  EXPECT_EQ(sonavo::CdIdentifier({1000, 2500}), "00001388");
  // The sum wraps in 32 bits.
  EXPECT_EQ(sonavo::CdIdentifier({0xFFFFFFFFu, 1000}), "000007CF");
  // Only the first 99 tracks count, the 99th as the last.
  std::vector<std::uint32_t> lengths(120, 1500);
  std::vector<std::uint32_t> first99(99, 1500);
  EXPECT_EQ(sonavo::CdIdentifier(lengths), sonavo::CdIdentifier(first99));
  EXPECT_EQ(sonavo::CdIdentifier({}), "00000000");
}

TEST(PlaylistTest, ItemsAreReadAsNumbersAndZerosGarbageAndStrangersAreSkipped) {
  EXPECT_EQ(sonavo::ParsePlaylist("3 0 x 5", 12), (std::vector<int>{3, 5}));
  EXPECT_EQ(sonavo::ParsePlaylist("  2   7x  -4 13 12 ", 12), (std::vector<int>{2, 7, 12}));
  EXPECT_TRUE(sonavo::ParsePlaylist("", 12).empty());
  std::string long_list;
  for (int i = 0; i < 150; ++i) long_list += "1 ";
  EXPECT_EQ(sonavo::ParsePlaylist(long_list, 12).size(), 99u);
  EXPECT_EQ(sonavo::FormatPlaylist({1, 2, 10}), "1 2 10 ");
}

class CdCatalogueTest : public testing::Test {
 protected:
  MemoryProfile file;
  CdCatalogue catalogue{file, "Track"};
};

TEST_F(CdCatalogueTest, ANewDiscGetsItsDefaultsAndItsPlaceInTheList) {
  const sonavo::Disc disc = catalogue.Read("0000ABCD", 12);
  EXPECT_EQ(file.Value("CD List", "Number of CDs"), "1");
  EXPECT_EQ(file.Value("CD List", "1"), "0000ABCD");
  EXPECT_EQ(file.Value("0000ABCD", "Playlist"), "1 2 3 4 5 6 7 8 9 10 11 12 ");
  EXPECT_EQ(file.Value("0000ABCD", "1"), "Track 01");
  EXPECT_EQ(file.Value("0000ABCD", "12"), "Track 12");
  EXPECT_EQ(file.Value("0000ABCD", "Title"), "");
  EXPECT_FALSE(file.Has("0000ABCD", "Selection"));
  EXPECT_EQ(disc.programList.size(), 12u);
  EXPECT_EQ(disc.trackNames.back(), "Track 12");
  EXPECT_EQ(disc.selection, 1);
}

TEST_F(CdCatalogueTest, DiscsWithEqualWeightedSumsShareOneSection) {
  // 4000 + 2 x 1000 = 2000 + 2 x 2000.
  const std::string first = sonavo::CdIdentifier({4000, 1000});
  ASSERT_EQ(first, sonavo::CdIdentifier({2000, 2000}));
  catalogue.Read(first, 2);
  catalogue.Write(first, {"Shared", "Both", {"A", "B"}, {2, 1}, 1});
  const sonavo::Disc second = catalogue.Read(sonavo::CdIdentifier({2000, 2000}), 2);
  EXPECT_EQ(file.Value("CD List", "Number of CDs"), "1");
  EXPECT_EQ(second.title, "Shared");
  EXPECT_EQ(second.programList, (std::vector<int>{2, 1}));
}

TEST_F(CdCatalogueTest, AKnownDiscKeepsWhatWasWrittenAndItsSelection) {
  catalogue.Read("00000001", 3);
  catalogue.Read("00000002", 5);
  catalogue.Write("00000002",
                  {"Title", "Artist", {"One", "Two", "Three", "Four", "Five"}, {5, 3}, 1});
  catalogue.SaveSelection("00000002", 4);
  const sonavo::Disc disc = catalogue.Read("00000002", 5);
  EXPECT_EQ(file.Value("CD List", "Number of CDs"), "2");
  EXPECT_EQ(file.Value("00000002", "Playlist"), "5 3 ");
  EXPECT_EQ(disc.trackNames[2], "Three");
  EXPECT_EQ(disc.selection, 4);

  file.WriteString("00000002", "Selection", "9");  // beyond the disc
  EXPECT_EQ(catalogue.Read("00000002", 5).selection, 1);
}

TEST_F(CdCatalogueTest, OverlongValuesAreCutAndAnUnwritableFileIsReported) {
  catalogue.Read("00000003", 2);
  file.WriteString("00000003", "Title", std::string(300, 'T'));
  std::string playlist;
  for (int i = 0; i < 300; ++i) playlist += "2 ";
  file.WriteString("00000003", "Playlist", playlist);
  const sonavo::Disc disc = catalogue.Read("00000003", 2);
  EXPECT_EQ(disc.title.size(), 64u);
  EXPECT_LE(disc.programList.size(), 99u);

  file.readOnly = true;
  EXPECT_FALSE(catalogue.Write("00000003", disc));
  EXPECT_FALSE(catalogue.SaveSelection("00000003", 2));
}

// A count written wrong (huge, or below zero) is read within what the list holds: a disc is
// found among the list's own entries, and a new one takes a number no other disc has.
TEST_F(CdCatalogueTest, ACorruptDiscCountIsReadWithinTheList) {
  catalogue.Read("00000001", 3);
  catalogue.Read("00000002", 3);
  for (const char* count : {"2000000000", "-7"}) {
    file.WriteString("CD List", "Number of CDs", count);
    EXPECT_EQ(catalogue.Read("00000002", 3).programList.size(), 3u);
  }
  catalogue.Read("00000003", 4);
  EXPECT_EQ(file.Value("CD List", "1"), "00000001");
  EXPECT_EQ(file.Value("CD List", "2"), "00000002");
  EXPECT_EQ(file.Value("CD List", "3"), "00000003");
}

class AlbumFileTest : public testing::Test {
 protected:
  MemoryProfile file;
  AlbumFile albums{file};
};

TEST_F(AlbumFileTest, SavedAlbumsReadBackInOrderWithTheirSelection) {
  ASSERT_TRUE(albums.Save("Rock", Album{{"C:\\M\\a.mid", "C:\\M\\b.mid"}, 2}, true));
  ASSERT_TRUE(albums.Save("Jazz", Album{{"C:\\M\\c.mid"}, 1}, true));
  EXPECT_EQ(albums.Names(), (std::vector<std::string>{"Rock", "Jazz"}));
  const Album rock = albums.Read("Rock");
  EXPECT_EQ(rock.paths, (std::vector<std::string>{"C:\\M\\a.mid", "C:\\M\\b.mid"}));
  EXPECT_EQ(rock.selection, 2);

  // Saving again writes the section anew: no entry of the longer album stays behind.
  ASSERT_TRUE(albums.Save("Rock", Album{{"C:\\M\\z.mid"}, 1}, true));
  EXPECT_FALSE(file.Has("Rock", "2"));
  EXPECT_EQ(albums.Names().size(), 2u);
}

TEST_F(AlbumFileTest, AnEmptyAlbumHasNoSelectionAndAMissingOneReadsEmpty) {
  ASSERT_TRUE(albums.Save("Empty", Album{}, true));
  EXPECT_EQ(file.Value("Empty", "Tracks"), "0");
  EXPECT_FALSE(file.Has("Empty", "Selection"));
  EXPECT_TRUE(albums.Read("Nowhere").paths.empty());
}

TEST_F(AlbumFileTest, TheSelectionOpensItsEntryUnlessItLiesOutside) {
  Album album;
  for (int i = 1; i <= 9; ++i) album.paths.push_back("C:\\W\\" + std::to_string(i) + ".wav");
  album.selection = 7;
  albums.Save("Nine", album, true);
  EXPECT_EQ(albums.Read("Nine").selection, 7);
  for (const char* outside : {"0", "10", "garbage", "-3"}) {
    file.WriteString("Nine", "Selection", outside);
    EXPECT_EQ(albums.Read("Nine").selection, 1) << outside;
  }
  // A count beyond 99 reads 99 entries; an entry that is missing reads "Unknown".
  file.WriteString("Nine", "Tracks", "150");
  const Album overfull = albums.Read("Nine");
  EXPECT_EQ(overfull.paths.size(), 99u);
  EXPECT_EQ(overfull.paths[20], "Unknown");
}

TEST_F(AlbumFileTest, ThePreviewAlbumIsRewrittenAndNeverListed) {
  albums.WritePreview({"C:\\V\\one.avi", "C:\\V\\two.avi"});
  albums.WritePreview({"C:\\V\\three.avi"});
  const Album preview = albums.Read(sonavo::kPreviewAlbum);
  EXPECT_EQ(preview.paths, std::vector<std::string>{"C:\\V\\three.avi"});
  EXPECT_EQ(file.Value("P-r-e-v-i-e-w", "Selection"), "1");
  EXPECT_TRUE(albums.Names().empty());
}

TEST_F(AlbumFileTest, DeletingRemovesTheSectionAndTheName) {
  albums.Save("Gone", Album{{"C:\\a.wav"}, 1}, true);
  albums.Save("Kept", Album{{"C:\\b.wav"}, 1}, true);
  ASSERT_TRUE(albums.Delete("Gone"));
  EXPECT_EQ(albums.Names(), std::vector<std::string>{"Kept"});
  EXPECT_FALSE(file.HasSection("Gone"));
}

// The list of albums and the preview album are the file's own: an album of either name (in
// any case) is refused, and the list stays.
TEST_F(AlbumFileTest, AnAlbumNamedAsTheFilesOwnSectionsIsRefused) {
  albums.Save("Kept", Album{{"C:\\b.wav"}, 1}, true);
  for (const char* name : {"List of Albums", "list of albums", "P-R-E-V-I-E-W"}) {
    EXPECT_FALSE(albums.Save(name, Album{{"C:\\a.wav"}, 1}, true)) << name;
    EXPECT_FALSE(albums.Delete(name)) << name;
    EXPECT_TRUE(sonavo::ReservedAlbumName(name));
  }
  EXPECT_FALSE(albums.Save("List of Albums", Album{{"C:\\a.wav"}, 1}, false));
  EXPECT_EQ(albums.Names(), std::vector<std::string>{"Kept"});
  EXPECT_FALSE(sonavo::ReservedAlbumName("Preview"));
}

TEST_F(AlbumFileTest, ANewAlbumTakesTheFirstFreeNumber) {
  EXPECT_EQ(albums.NewName("Album"), "Album 01");
  albums.Save("Album 01", Album{}, true);
  albums.Save("ALBUM 03", Album{}, true);
  EXPECT_EQ(albums.NewName("Album"), "Album 02");
  albums.Save("album 02", Album{}, true);
  EXPECT_EQ(albums.NewName("Album"), "Album 04");
}

TEST_F(AlbumFileTest, AFileThatCannotBeWrittenIsReported) {
  file.readOnly = true;
  EXPECT_FALSE(albums.Save("Any", Album{{"C:\\a.wav"}, 1}, true));
  EXPECT_FALSE(albums.WritePreview({"C:\\a.wav"}));
  EXPECT_FALSE(albums.SaveSelection("Any", 1));
}

TEST(TotalTimeTest, MinutesAndSecondsUntilNinetyNineMinutesThenHours) {
  EXPECT_EQ(sonavo::FormatTotalTime(61000, false, "min:sec", "hr:min:sec"), "1:01 (min:sec)");
  EXPECT_EQ(sonavo::FormatTotalTime(98 * 60000 + 59000, false, "min:sec", "hr:min:sec"),
            "98:59 (min:sec)");
  EXPECT_EQ(sonavo::FormatTotalTime(99 * 60000 + 5000, false, "min:sec", "hr:min:sec"),
            "1:39:05 (hr:min:sec)");
  EXPECT_EQ(sonavo::FormatTotalTime(61234, true, "min:sec", "hr:min:sec"), "1:01.23 (min:sec)");
  EXPECT_EQ(sonavo::FormatTotalTime(100 * 60000 + 990, true, "min:sec", "hr:min:sec"),
            "1:40:00.99 (hr:min:sec)");
}

}  // namespace

#include "sonavo/core/program_edit.h"

#include <gtest/gtest.h>

namespace {

sonavo::ProgramEdit Edit(std::vector<int> programList, int naming = 1) {
  sonavo::Disc disc{"Title", "Artist", {"Track 01", "Track 02", "Track 03"}, programList, 1};
  return sonavo::ProgramEdit(disc, {61000, 2000, 125500}, naming);
}

TEST(ProgramEditTest, LinesShowTheLengthThenTheName) {
  const sonavo::ProgramEdit edit = Edit({1, 2, 3});
  EXPECT_EQ(edit.DiscLine(1), "(01:01) Track 01");
  EXPECT_EQ(edit.DiscLine(3), "(02:05) Track 03");
  EXPECT_EQ(edit.DiscLine(4), "");
  EXPECT_EQ(edit.DiscMs(), 188500u);
  EXPECT_EQ(edit.PlayListMs(), 188500u);
}

TEST(ProgramEditTest, ThePlayListTakesAtMost99Lines) {
  sonavo::ProgramEdit edit = Edit({});
  EXPECT_TRUE(edit.Add({3, 1, 7}));  // 7 is no track of the disc
  EXPECT_EQ(edit.disc().programList, (std::vector<int>{3, 1}));
  EXPECT_EQ(edit.PlayListMs(), 186500u);
  std::vector<int> many(120, 2);
  EXPECT_FALSE(edit.Add(many));
  EXPECT_EQ(edit.disc().programList.size(), 99u);
  edit.Remove({0, 1, 98, 500});
  EXPECT_EQ(edit.disc().programList.size(), 96u);
  edit.Clear();
  EXPECT_EQ(edit.PlayListMs(), 0u);
}

TEST(ProgramEditTest, NamingMovesOnAndWrapsAfterTheLastTrack) {
  sonavo::ProgramEdit edit = Edit({1}, 3);
  edit.SetName("Finale");
  EXPECT_EQ(edit.DiscLine(3), "(02:05) Finale");
  EXPECT_EQ(edit.Naming(), 1);
  edit.SetName(std::string(80, 'x'));
  EXPECT_EQ(edit.disc().trackNames[0].size(), 64u);
  EXPECT_EQ(Edit({}, 9).Naming(), 1);
}

}  // namespace

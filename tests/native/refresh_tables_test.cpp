#include <gtest/gtest.h>

#include "vistrel/core/refresh_tables.h"

namespace {

std::vector<std::string> Labels(const std::vector<RefreshEntry>& list) {
  std::vector<std::string> labels;
  for (const auto& entry : list) labels.push_back(entry.label);
  return labels;
}

using Strings = std::vector<std::string>;
constexpr int kTrio64 = 1;
constexpr int kMb1 = 1, kMb2 = 2, kMb4 = 4;
constexpr int k16Colours = 0, k256 = 1, kHigh = 2, kTrue24 = 3, kTrue32 = 4;

TEST(RefreshTablesTest, ATrio64At1280x1024WithOneMegabyteOffersNothing) {
  EXPECT_EQ(Labels(BuildRefreshList(kTrio64, kMb1, k256, 3)), Strings{"(none)"});
  EXPECT_EQ(Labels(BuildRefreshList(kTrio64, kMb2, k256, 3)),
            (Strings{"Auto", "Interlaced", "60 Hz", "72 Hz", "75 Hz"}));
}

TEST(RefreshTablesTest, TwentyFourBitsOnATrioIsAutoOrSixtyHertzAsCodeZero) {
  for (int chip : {0, 1, 2}) {
    EXPECT_EQ(BuildRefreshList(chip, kMb4, kTrue24, 1),
              (std::vector<RefreshEntry>{{-1, "Auto"}, {0, "60 Hz"}}));
  }
  EXPECT_EQ(Labels(BuildRefreshList(4, kMb4, kTrue24, 0)),
            (Strings{"Auto", "Interlaced", "60 Hz", "72 Hz", "75 Hz"}));
}

TEST(RefreshTablesTest, SixteenColoursDependOnlyOnTheChip) {
  EXPECT_EQ(Labels(BuildRefreshList(2, kMb1, k16Colours, 4)),
            (Strings{"Auto", "Interlaced", "60 Hz"}));
  EXPECT_EQ(Labels(BuildRefreshList(3, kMb4, k16Colours, 0)), (Strings{"Auto", "Interlaced"}));
}

// Every cell of the Trio64 that is "(none)" or depends on the memory.
TEST(RefreshTablesTest, TheTrio64sMemoryDependentAndEmptyCells) {
  struct Cell {
    int colour, resolution;
    Strings mb1, mb2, mb4;
  };
  const Strings none{"(none)"};
  const std::vector<Cell> cells = {
      {k256, 4, none, {"Auto", "Interlaced"}, {"Auto", "Interlaced"}},
      {kHigh,
       2,
       none,
       {"Auto", "Interlaced", "60 Hz", "70 Hz", "75 Hz"},
       {"Auto", "Interlaced", "60 Hz", "70 Hz", "75 Hz"}},
      {kHigh, 3, none, none, none},
      {kHigh, 4, none, none, none},
      {kTrue32,
       0,
       none,
       {"Auto", "60Hz", "72 Hz", "75 Hz", "90 Hz", "120 Hz"},
       {"Auto", "60Hz", "72 Hz", "75 Hz", "90 Hz", "120 Hz"}},
      {kTrue32,
       1,
       none,
       {"Auto", "56 Hz", "60 Hz", "72 Hz", "75 Hz"},
       {"Auto", "56 Hz", "60 Hz", "72 Hz", "75 Hz"}},
      {kTrue32, 2, none, none, none},
      {kTrue32, 3, none, none, none},
      {kTrue32, 4, none, none, none},
  };
  for (const Cell& cell : cells) {
    SCOPED_TRACE(testing::Message() << "colour " << cell.colour << " res " << cell.resolution);
    EXPECT_EQ(Labels(BuildRefreshList(kTrio64, kMb1, cell.colour, cell.resolution)), cell.mb1);
    EXPECT_EQ(Labels(BuildRefreshList(kTrio64, kMb2, cell.colour, cell.resolution)), cell.mb2);
    EXPECT_EQ(Labels(BuildRefreshList(kTrio64, kMb4, cell.colour, cell.resolution)), cell.mb4);
  }
}

TEST(RefreshTablesTest, CellsThatDifferByChip) {
  EXPECT_EQ(Labels(BuildRefreshList(0, kMb1, k256, 3)), Strings{"Auto"});
  EXPECT_EQ(Labels(BuildRefreshList(2, kMb4, kHigh, 3)), (Strings{"Auto", "Interlaced"}));
  EXPECT_EQ(Labels(BuildRefreshList(2, kMb2, kHigh, 3)), Strings{"(none)"});
  EXPECT_EQ(Labels(BuildRefreshList(3, kMb2, k256, 4)),
            (Strings{"Auto", "60 Hz", "72 Hz", "76 Hz"}));
  EXPECT_EQ(Labels(BuildRefreshList(5, kMb4, k256, 0)),
            (Strings{"Auto", "60Hz", "72 Hz", "75 Hz", "90 Hz", "120 Hz", "150 Hz"}));
  EXPECT_EQ(Labels(BuildRefreshList(3, kMb4, kTrue32, 2)),
            (Strings{"Auto", "60 Hz", "70 Hz", "75 Hz", "90 Hz"}));
}

TEST(RefreshTablesTest, A512KilobyteCardIsOfferedTheOneMegabyteColumn) {
  for (int colour = 0; colour < 5; ++colour) {
    for (int resolution = 0; resolution < 5; ++resolution) {
      EXPECT_EQ(BuildRefreshList(2, 0, colour, resolution),
                BuildRefreshList(2, kMb1, colour, resolution));
    }
  }
}

TEST(RefreshTablesTest, EveryListStartsWithMinusOneAndHasLabelsAndAtMostEightEntries) {
  for (int chip = 0; chip <= 5; ++chip) {
    for (int memory : {0, 1, 2, 4}) {
      for (int colour = 0; colour < 5; ++colour) {
        for (int resolution = 0; resolution < 5; ++resolution) {
          const auto list = BuildRefreshList(chip, memory, colour, resolution);
          ASSERT_FALSE(list.empty());
          EXPECT_EQ(list.front().code, -1);
          EXPECT_LE(list.size(), 8u);
          for (const auto& entry : list) EXPECT_FALSE(entry.label.empty());
        }
      }
    }
  }
}

TEST(RefreshTablesTest, IndexesOutOfRangeOfferNothing) {
  EXPECT_EQ(Labels(BuildRefreshList(1, kMb2, 5, 0)), Strings{"(none)"});
  EXPECT_EQ(Labels(BuildRefreshList(1, kMb2, k256, 5)), Strings{"(none)"});
  EXPECT_EQ(Labels(BuildRefreshList(1, kMb2, -1, 0)), Strings{"(none)"});
}

TEST(ScanRateTest, LabelsNotInTheRowGiveItsFirstValue) {
  EXPECT_EQ(ScanRate(1024, "Interlaced"), "35.5");
  EXPECT_EQ(ScanRate(640, "60Hz"), "31.5");
  EXPECT_EQ(ScanRate(640, "90 Hz"), "48.5");
  EXPECT_EQ(ScanRate(800, "150 Hz"), "100");
  EXPECT_EQ(ScanRate(1280, "85 Hz"), "92");
  EXPECT_EQ(ScanRate(1600, "76 Hz"), "96");
  EXPECT_EQ(ScanRate(1600, "Auto"), "62");
  EXPECT_EQ(ScanRate(1152, "75 Hz"), "38");
}

}  // namespace

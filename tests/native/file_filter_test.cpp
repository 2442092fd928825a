#include "sonavo/core/file_filter.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

const sonavo::FilterLabels kLabels{"Video for Windows", "MPEG Video", "All files"};

TEST(FileFilterTest, ThePlayersOwnExtensionsFirstThenMpegThenAllFiles) {
  const std::map<std::string, std::string> extensions{
      {"avi", "AVIVideo"}, {"mpg", "MPEGVideo"}, {"mid", "Sequencer"}, {"mov", "avivideo"}};
  const std::string filter = sonavo::OpenFileFilter(sonavo::PlayerKind::Video, extensions, kLabels);
  EXPECT_EQ(filter,
            "Video for Windows (*.avi;*.mov)\0*.avi;*.mov\0MPEG Video (*.mpg)\0*.mpg\0"
            "All files (*.*)\0*.*\0\0"s);
}

TEST(FileFilterTest, WithoutExtensionsThePlayersDefaultServes) {
  const std::string filter =
      sonavo::OpenFileFilter(sonavo::PlayerKind::Wave, {}, {"Sound", "MPEG Video", "All files"});
  EXPECT_EQ(filter, "Sound (*.wav)\0*.wav\0All files (*.*)\0*.*\0\0"s);
}

}  // namespace

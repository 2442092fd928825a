// Peekwell's reading of video files that other encoders made (tests/media, written by
// tests/media/make-corpus with ffmpeg): what the system's video services give it is what the
// encoder's own prober says, and each thumbnail shows the frame its choice picks.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "peekwell/app/video_file.h"
#include "peekwell/core/preview.h"
#include "tests/harness/harness.h"
#include "tests/harness/media_files.h"

namespace {

const std::string kCorpus = MEDIA_CORPUS;

// What the prober said of NAME.
std::map<std::string, std::string> Facts(const std::string& name) {
  return harness::ReadFacts(kCorpus + "/" + name + ".facts");
}

// The thumbnail of a choice, pixel by pixel; empty without one.
std::vector<std::uint32_t> ThumbnailPixels(const VideoFile& video, peekwell::Preview preview) {
  HDC screen = GetDC(nullptr);
  HDRAWDIB drawDib = DrawDibOpen();
  HBITMAP thumbnail = video.Thumbnail(preview, screen, drawDib);
  std::vector<std::uint32_t> pixels;
  if (thumbnail != nullptr) {
    pixels = harness::DrawnPixels({peekwell::kThumbWidth, peekwell::kThumbHeight}, [&](HDC dc) {
      HDC memory = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(memory, thumbnail);
      BitBlt(dc, 0, 0, peekwell::kThumbWidth, peekwell::kThumbHeight, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
    });
    DeleteObject(thumbnail);
  }
  DrawDibClose(drawDib);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// How far two pictures are apart: the mean difference of their colour channels.
double Difference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  if (a.size() != b.size() || a.empty()) return 255;
  double total = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      total +=
          std::abs(static_cast<int>(a[i] >> shift & 0xFF) - static_cast<int>(b[i] >> shift & 0xFF));
    }
  }
  return total / (a.size() * 3.0);
}

class MediaCorpusTest : public testing::Test {
 protected:
  void SetUp() override { AVIFileInit(); }
  void TearDown() override { AVIFileExit(); }
};

// Every video's size, frame count, rate and length as the prober has them, line by line as the
// info box shows them; a raw picture stored from the top reads as a size all the same.
TEST_F(MediaCorpusTest, TheInfoLinesOfEveryVideoAreWhatTheEncodersProberSays) {
  for (const char* name : {"cinepak", "msvideo1", "raw top-down", "raw bottom-up", "one frame",
                           "motion jpeg", "with sound"}) {
    const auto facts = Facts(name);
    ASSERT_FALSE(facts.empty()) << name;
    const auto video = VideoFile::Open(kCorpus + "/" + name + ".avi", true);
    ASSERT_TRUE(video.has_value()) << name;
    const std::vector<std::string> lines = peekwell::InfoLines(video->Facts(), {});
    const std::string rate = facts.at("r_frame_rate");
    const int frames = std::stoi(facts.at("nb_read_frames"));
    const int perSecond =
        std::stoi(rate.substr(0, rate.find('/'))) / std::stoi(rate.substr(rate.find('/') + 1));
    const int ms = static_cast<int>(std::stod(facts.at("duration")) * 1000 + 0.5);
    EXPECT_EQ(lines[1].substr(0, lines[1].rfind('x')), facts.at("width") + "x" + facts.at("height"))
        << name;
    char expected[64];
    std::snprintf(expected, sizeof(expected), "%d Frames, %d.%03d sec", frames, ms / 1000,
                  ms % 1000);
    EXPECT_EQ(lines[2], expected) << name;
    EXPECT_EQ(lines[3], std::to_string(perSecond) + ".000 fps") << name;
  }
}

// The thumbnails of a file stored from the bottom and of the same pictures stored from the top
// are alike, and not blank; each choice shows its own frame of the moving picture; a format the
// system cannot decode gives no thumbnail (the "no decompressor" mark).
TEST_F(MediaCorpusTest, EachThumbnailShowsItsFrameTheRightWayUp) {
  const auto bottomUp = VideoFile::Open(kCorpus + "/raw bottom-up.avi", false);
  const auto topDown = VideoFile::Open(kCorpus + "/raw top-down.avi", false);
  ASSERT_TRUE(bottomUp && topDown);
  const auto first = ThumbnailPixels(*bottomUp, peekwell::Preview::First);
  ASSERT_FALSE(first.empty());
  EXPECT_LT(Difference(first, ThumbnailPixels(*topDown, peekwell::Preview::First)), 8.0);
  // The test picture's colour bars: the thumbnail is not one colour.
  EXPECT_GT(Difference(first, std::vector<std::uint32_t>(first.size(), first.front())), 20.0);
  EXPECT_LT(Difference(ThumbnailPixels(*bottomUp, peekwell::Preview::Last),
                       ThumbnailPixels(*topDown, peekwell::Preview::Last)),
            8.0);
  // The last frame is another picture than the first (the test picture moves).
  EXPECT_GT(Difference(first, ThumbnailPixels(*bottomUp, peekwell::Preview::Last)), 1.0);
  EXPECT_GT(Difference(ThumbnailPixels(*topDown, peekwell::Preview::First),
                       ThumbnailPixels(*topDown, peekwell::Preview::Last)),
            1.0);
  // The middle frame is a picture of its own too. (Wine's AVIStreamFindSample finds no key
  // frame after the first in these files, though their index marks every frame as one: the
  // second key frame is not compared here.)
  const auto middle = ThumbnailPixels(*bottomUp, peekwell::Preview::Middle);
  EXPECT_GT(Difference(middle, first), 0.5);
  EXPECT_GT(Difference(middle, ThumbnailPixels(*bottomUp, peekwell::Preview::Last)), 0.5);
  const auto cinepak = VideoFile::Open(kCorpus + "/cinepak.avi", false);
  ASSERT_TRUE(cinepak.has_value());
  EXPECT_GT(Difference(ThumbnailPixels(*cinepak, peekwell::Preview::First),
                       ThumbnailPixels(*cinepak, peekwell::Preview::Last)),
            1.0);
  // One frame: every choice shows it.
  const auto single = VideoFile::Open(kCorpus + "/one frame.avi", false);
  ASSERT_TRUE(single.has_value());
  const auto only = ThumbnailPixels(*single, peekwell::Preview::First);
  ASSERT_FALSE(only.empty());
  EXPECT_EQ(ThumbnailPixels(*single, peekwell::Preview::Fifth), only);
  EXPECT_EQ(ThumbnailPixels(*single, peekwell::Preview::Last), only);
  const auto mjpeg = VideoFile::Open(kCorpus + "/motion jpeg.avi", false);
  ASSERT_TRUE(mjpeg.has_value());
  EXPECT_TRUE(ThumbnailPixels(*mjpeg, peekwell::Preview::First).empty());
}

}  // namespace

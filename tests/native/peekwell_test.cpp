#include "peekwell/core/deck_press.h"
#include "peekwell/core/preview.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using peekwell::Preview;

std::optional<std::int32_t> KeysAt(std::int32_t from, std::vector<std::int32_t> keys) {
  for (std::int32_t key : keys) {
    if (key >= from) return key;
  }
  return std::nullopt;
}

TEST(PreviewTest, EachChoicePicksItsFrameAndAFrameBeyondTheStreamIsItsStart) {
  const auto keys = [](std::int32_t from) { return KeysAt(from, {10, 30, 50}); };
  const auto none = [](std::int32_t) { return std::optional<std::int32_t>(); };
  EXPECT_EQ(peekwell::FrameFor(Preview::First, 10, 100, keys), 10);
  EXPECT_EQ(peekwell::FrameFor(Preview::Fifth, 10, 100, keys), 14);
  EXPECT_EQ(peekwell::FrameFor(Preview::Middle, 10, 100, keys), 60);
  EXPECT_EQ(peekwell::FrameFor(Preview::Last, 10, 100, keys), 109);
  EXPECT_EQ(peekwell::FrameFor(Preview::SecondKey, 10, 100, keys), 30);
  // A one-frame file with "Fifth Frame", a file without a key frame after the first, a file of
  // one frame asked for its second key frame: the start.
  EXPECT_EQ(peekwell::FrameFor(Preview::Fifth, 10, 1, keys), 10);
  EXPECT_EQ(peekwell::FrameFor(Preview::SecondKey, 10, 100, none), 10);
  EXPECT_EQ(peekwell::FrameFor(Preview::SecondKey, 10, 1, keys), 10);
  // A header claiming a stream at the end of the frame numbers: nothing wraps round.
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(peekwell::FrameFor(Preview::Last, kMax - 1, 100, keys), kMax - 1);
  EXPECT_EQ(peekwell::FrameFor(Preview::Middle, -2000000000, 2000000000, keys), -1000000000);
  EXPECT_EQ(peekwell::FrameFor(Preview::SecondKey, kMax, 5, keys), kMax);
  // A key frame the index puts past the stream.
  EXPECT_EQ(peekwell::FrameFor(Preview::SecondKey, 0, 20, keys), 10);
  EXPECT_EQ(peekwell::FrameFor(Preview::SecondKey, 0, 5, keys), 0);
  EXPECT_EQ(peekwell::FrameFor(Preview::Last, 0, 0, keys), 0);  // an empty stream
  EXPECT_STREQ(peekwell::PreviewText(Preview::NameOnly), "Filename Only");
}

TEST(PreviewTest, TheInfoLinesNameTheCompressorAndCountInThousandths) {
  peekwell::StreamFacts facts{0x73646976, 0, "", 160, 120, 24, 30, 15, 1, 2000};  // "vids"
  std::vector<std::string> lines = peekwell::InfoLines(facts, {});
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "None");
  EXPECT_EQ(lines[1], "160x120x24");
  EXPECT_EQ(lines[2], "30 Frames, 2.000 sec");
  EXPECT_EQ(lines[3], "15.000 fps");
  facts.handler = 1;
  EXPECT_EQ(peekwell::InfoLines(facts, {})[0], "Rle8");
  facts.handler = 0x3447504D;  // "MPG4", no decompressor to describe it
  EXPECT_EQ(peekwell::InfoLines(facts, {})[0], "vids.MPG4");
  facts.description = "Microsoft Video 1";
  EXPECT_EQ(peekwell::InfoLines(facts, {})[0], "Microsoft Video 1");
  // 30000/1001 frames a second; a duration of 33 ms.
  facts.rate = 30000;
  facts.scale = 1001;
  facts.durationMs = 33;
  lines = peekwell::InfoLines(facts, {"Bilder", "s", "B/s"});
  EXPECT_EQ(lines[2], "30 Bilder, 0.033 s");
  EXPECT_EQ(lines[3], "29.970 B/s");
  facts.scale = 0;
  EXPECT_EQ(peekwell::InfoLines(facts, {})[3], "0.000 fps");
  // Rows from the top (a negative height) are a size all the same, the most negative too.
  facts.height = -144;
  EXPECT_EQ(peekwell::InfoLines(facts, {})[1], "160x144x24");
  facts.height = INT32_MIN;
  EXPECT_EQ(peekwell::InfoLines(facts, {})[1], "160x2147483648x24");
}

TEST(PreviewTest, OnlyPicturesOfASaneSizeAreDecompressed) {
  EXPECT_TRUE(peekwell::SaneSize(320, 240));
  EXPECT_TRUE(peekwell::SaneSize(4096, -4096));  // top-down
  EXPECT_FALSE(peekwell::SaneSize(30000, 30000));
  EXPECT_FALSE(peekwell::SaneSize(0, 10));
  EXPECT_FALSE(peekwell::SaneSize(-5, 10));
}

TEST(PreviewTest, AnUncompressedPictureNeedsWholeWordRowsAndASaneSizeAndDepth) {
  EXPECT_EQ(peekwell::UncompressedBytes(80, 60, 24), 240u * 60);
  EXPECT_EQ(peekwell::UncompressedBytes(81, -60, 24), 244u * 60);  // rows padded, top-down
  EXPECT_EQ(peekwell::UncompressedBytes(3, 2, 1), 8u);
  EXPECT_EQ(peekwell::UncompressedBytes(4096, 4096, 32), 4096u * 4096 * 4);
  EXPECT_EQ(peekwell::UncompressedBytes(80, 60, 12), 0u);
  EXPECT_EQ(peekwell::UncompressedBytes(80, 60, 0), 0u);
  EXPECT_EQ(peekwell::UncompressedBytes(30000, 60, 24), 0u);
}

TEST(PreviewTest, TwoRowsOfLinesFillTheListAboveItsScrollBar) {
  const peekwell::LineGeometry line = peekwell::LineFor(16);
  EXPECT_EQ(line.height, 118);
  EXPECT_EQ(line.thumbX, 20);
  EXPECT_EQ(line.thumbY, (118 - 30 - 60) / 2);
  EXPECT_EQ(line.nameBaseline, 30);
  EXPECT_EQ(peekwell::LineFor(0).height, 126);
}

}  // namespace

// The deck's areas as push buttons: pressed only while the pointer is on the area held, acting
// only when released there; the first area and the space between areas do nothing.
TEST(DeckPressTest, TheLookFollowsThePointerAndOnlyAReleaseOnTheAreaHeldActs) {
  peekwell::DeckPress press;
  press.Press(2);
  EXPECT_EQ(press.Shown(), 2);
  EXPECT_TRUE(press.Move(0));  // off the area: raised
  EXPECT_EQ(press.Shown(), 0);
  EXPECT_FALSE(press.Move(3));  // onto another area: still raised, nothing to redraw
  EXPECT_TRUE(press.Move(2));   // back: pressed again
  EXPECT_EQ(press.Shown(), 2);
  EXPECT_EQ(press.Release(2), 2);
  EXPECT_FALSE(press.Held());
  EXPECT_EQ(press.Shown(), 0);

  press.Press(3);
  EXPECT_TRUE(press.Move(2));
  EXPECT_EQ(press.Release(2), 0);  // released off the area held

  for (int idle : {0, 1}) {
    press.Press(idle);
    EXPECT_FALSE(press.Held()) << idle;
    EXPECT_FALSE(press.Move(idle));
    EXPECT_EQ(press.Release(idle), 0);
  }
}

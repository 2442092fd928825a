#include "sonavo/core/compact_deck.h"

#include <gtest/gtest.h>

namespace {

using sonavo::CompactAction;
using sonavo::CompactFace;

CompactAction ActionAt(CompactFace face, int x, int y) {
  const auto hit = sonavo::HitCompact(face, x, y);
  EXPECT_TRUE(hit.has_value()) << x << "," << y;
  return hit ? hit->action : CompactAction::Back;
}

TEST(CompactDeckTest, TheDisplayFaceHasItsFourKeysAndTurnsToTheControlsElsewhere) {
  EXPECT_EQ(ActionAt(CompactFace::Display, 6, 18), CompactAction::ClosePlayer);
  EXPECT_EQ(ActionAt(CompactFace::Display, 18, 25), CompactAction::ClosePlayer);
  EXPECT_EQ(ActionAt(CompactFace::Display, 10, 10), CompactAction::ToggleDeck);
  EXPECT_EQ(ActionAt(CompactFace::Display, 130, 6), CompactAction::VolumeUp);
  EXPECT_EQ(ActionAt(CompactFace::Display, 130, 25), CompactAction::VolumeDown);
  // The edges that close a rectangle belong to what lies beyond it.
  EXPECT_EQ(ActionAt(CompactFace::Display, 19, 20), CompactAction::ShowControls);
  EXPECT_EQ(ActionAt(CompactFace::Display, 70, 15), CompactAction::ShowControls);
  EXPECT_FALSE(sonavo::HitCompact(CompactFace::Display, 142, 10));
  EXPECT_FALSE(sonavo::HitCompact(CompactFace::Display, -1, 10));
}

TEST(CompactDeckTest, TheControlFaceSendsTheDecksCommandsAndGoesBack) {
  const auto command = [](int x, int y) {
    const auto hit = sonavo::HitCompact(CompactFace::Controls, x, y);
    return hit && hit->action == CompactAction::Command ? hit->command : 0;
  };
  EXPECT_EQ(command(10, 10), 1024);   // Eject or Load
  EXPECT_EQ(command(40, 5), 1019);    // Previous
  EXPECT_EQ(command(70, 10), 1023);   // Stop
  EXPECT_EQ(command(100, 14), 1020);  // Next
  EXPECT_EQ(command(60, 20), 1018);   // Play/Pause
  EXPECT_EQ(ActionAt(CompactFace::Controls, 130, 20), CompactAction::Back);
  // Between the keys nothing happens.
  EXPECT_FALSE(sonavo::HitCompact(CompactFace::Controls, 120, 20));
  EXPECT_FALSE(sonavo::HitCompact(CompactFace::Controls, 2, 2));
}

}  // namespace

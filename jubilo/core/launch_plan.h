#pragma once
// What Jubilo starts after its start-up animation: the programs whose start key is set, in the
// order CD, MIDI, Wave, Mixer, Video, each with whether to show its main window.

#include <vector>

#include "common/store/profile_store.h"

namespace jubilo {

// The programs Jubilo starts: the players by their kind (0-3) and the mixer.
enum class Program { Cd = 0, Midi = 1, Wave = 2, Video = 3, Mixer = 4 };

struct LaunchStep {
  Program program;
  bool show;
};

inline constexpr const char* kSection = "Jubilo";

std::vector<LaunchStep> LaunchPlan(ProfileStore& settings);

// The player button and the child the program's compact deck gets in Jubilo.
int ButtonOf(Program program);
int CompactDeckOf(Program program);

}  // namespace jubilo

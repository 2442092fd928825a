#include "jubilo/core/launch_plan.h"

#include <string>

namespace jubilo {

namespace {

struct Keys {
  Program program;
  const char* start;
  const char* show;
};

constexpr Keys kOrder[] = {
    {Program::Cd, "OnCD", "OnCDShow"},          {Program::Midi, "OnMIDI", "OnMIDIShow"},
    {Program::Wave, "OnWave", "OnWaveShow"},    {Program::Mixer, "OnMixer", "OnMixerShow"},
    {Program::Video, "OnVideo", "OnVideoShow"},
};

bool Flag(ProfileStore& settings, const char* key) {
  return ReadProfileInt(settings, kSection, key, 0) == 1;
}

}  // namespace

std::vector<LaunchStep> LaunchPlan(ProfileStore& settings) {
  std::vector<LaunchStep> plan;
  for (const Keys& keys : kOrder) {
    if (Flag(settings, keys.start)) plan.push_back({keys.program, Flag(settings, keys.show)});
  }
  return plan;
}

int ButtonOf(Program program) {
  return 1105 + static_cast<int>(program);
}

int CompactDeckOf(Program program) {
  return 105 + static_cast<int>(program);
}

}  // namespace jubilo

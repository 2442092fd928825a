#include "sonavo/core/volume.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using sonavo::PlayerKind;
using sonavo::StereoVolume;

// A mixer with the source lines it is given, each with a volume control.
class FakeMixer : public sonavo::MixerLine {
 public:
  bool Take(std::uint32_t componentType) override {
    taken = lines.count(componentType) ? componentType : 0;
    return taken != 0;
  }
  std::optional<StereoVolume> Read() override { return lines.at(taken); }
  void Write(StereoVolume volume) override { lines.at(taken) = volume; }

  std::map<std::uint32_t, StereoVolume> lines;
  std::uint32_t taken = 0;
};

TEST(VolumeButtonsTest, EachPressMovesBothChannelsAStepWithinTheRange) {
  FakeMixer mixer;
  mixer.lines[0x1008] = {62000, 3000};
  sonavo::VolumeButtons buttons(mixer);
  buttons.Attach(PlayerKind::Wave, false);
  buttons.Press(true);
  EXPECT_EQ(mixer.lines[0x1008].left, 65535u);
  EXPECT_EQ(mixer.lines[0x1008].right, 8461u);
  buttons.Press(false);
  buttons.Press(false);
  EXPECT_EQ(mixer.lines[0x1008].left, 65535u - 2 * 5461u);
  EXPECT_EQ(mixer.lines[0x1008].right, 0u);
}

TEST(VolumeButtonsTest, EachPlayerDrivesItsOwnLineAndCdAndVideoTakeLineInWhenAsked) {
  FakeMixer mixer;
  for (std::uint32_t type : {0x1002u, 0x1004u, 0x1005u, 0x1008u}) mixer.lines[type] = {0, 0};
  sonavo::VolumeButtons buttons(mixer);
  const std::vector<std::pair<PlayerKind, bool>> players{{PlayerKind::Cd, false},
                                                         {PlayerKind::Midi, true},
                                                         {PlayerKind::Video, false},
                                                         {PlayerKind::Cd, true},
                                                         {PlayerKind::Video, true}};
  std::vector<std::uint32_t> taken;
  for (const auto& [kind, audioSource] : players) {
    buttons.Attach(kind, audioSource);
    taken.push_back(mixer.taken);
  }
  // MIDI keeps the synthesizer whatever AudioSource says.
  EXPECT_EQ(taken, (std::vector<std::uint32_t>{0x1005, 0x1004, 0x1008, 0x1002, 0x1002}));
}

TEST(VolumeButtonsTest, WithoutTheLineThePressesDoNothing) {
  FakeMixer mixer;
  mixer.lines[0x1008] = {100, 100};  // Wine's only line: wave output
  sonavo::VolumeButtons buttons(mixer);
  buttons.Attach(PlayerKind::Cd, false);
  buttons.Press(true);
  EXPECT_EQ(mixer.lines[0x1008].left, 100u);
}

}  // namespace

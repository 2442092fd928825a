#pragma once
// What the four players of the media deck are made of: the tables indexed by the player kind,
// the time units, the deck's state from the device's mode, the shuffle order and the clock
// display's arithmetic.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sonavo {

enum class PlayerKind { Cd = 0, Midi = 1, Wave = 2, Video = 3 };

struct PlayerTraits {
  const char* commandSwitch;  // on Sonavo's command line
  const char* name;           // the section of MAROVANE.INI and the caption of its error boxes
  const char* deviceType;     // the MCI device probed at start
  const char* albumFile;
  int helpContext;
  std::uint32_t mixerSource;  // the component type of the volume buttons' source line
};

const PlayerTraits& Traits(PlayerKind kind);

// Sonavo's arguments: a first word "/CD", "/MIDI", "/WAVE" or "/VIDEO" names the player (any
// other first word is skipped, and the CD player plays); then "/PLAY", skipped, and the path of
// a file to play. Words are separated by blanks or tabs and compared without regard to case.
struct DeckCommandLine {
  PlayerKind kind = PlayerKind::Cd;
  std::string path;
};
DeckCommandLine ParseCommandLine(std::string_view arguments);

// The mixer's line-in source, which CD and video take with AudioSource=1.
inline constexpr std::uint32_t kLineInSource = 0x1002;

// What the time unit of a player makes of the position bar, the rewind and forward buttons,
// the timer and the blinking.
struct TimeUnits {
  std::uint32_t barUnit;        // time units per step of the position bar
  std::uint32_t step;           // of the rewind and forward buttons, in time units
  std::uint32_t timerPeriodMs;  // of the deck's tick
  int blinkDivider;             // ticks per blink phase
};

// `frames`: the video player showing frame numbers instead of time.
TimeUnits UnitsFor(PlayerKind kind, bool frames);

// What the status line shows.
enum class DeckState {
  NotReady = 0,
  Ready = 1,
  Playing = 2,
  Record = 3,
  Seeking = 4,
  Paused = 5,
  NoDisc = 6,
  Unknown = 255,
};

// From the device's mode (MCI status item 4); a stopped device counts as paused while the
// deck's paused flag is set.
DeckState StateOfMode(std::uint32_t mciMode, bool paused);

// The generator the shuffle order is drawn with.
class ShuffleGenerator {
 public:
  explicit ShuffleGenerator(std::uint32_t seed) : seed_(seed) {}
  int Next() {
    seed_ = seed_ * 214013u + 2531011u;
    return static_cast<int>((seed_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t seed_;
};

// A permutation of the entries 1..`entries`: each slot takes the first drawn entry not yet
// in the order.
std::vector<int> BuildShuffleOrder(int entries, ShuffleGenerator& generator);

// The video player's speed, in thousandths of the normal one (0 is as fast as it goes): normal
// after every open, one step faster or slower per press within the table.
class VideoSpeed {
 public:
  void Reset() { index_ = kNormal; }
  void Faster() { index_ = index_ < kSteps - 1 ? index_ + 1 : index_; }
  void Slower() { index_ = index_ > 0 ? index_ - 1 : 0; }
  std::uint32_t Value() const;

 private:
  static constexpr int kSteps = 10;
  static constexpr int kNormal = 4;
  int index_ = kNormal;
};

struct ClockTime {
  std::uint32_t minutes;
  std::uint32_t seconds;
  std::uint32_t hundredths;
};

ClockTime ToClock(std::uint32_t milliseconds);

}  // namespace sonavo

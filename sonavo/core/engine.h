#pragma once
// The playback engine's sequencing: which entry plays from where to where for every command of
// the deck and every end of a play range, in the modes NORMAL, INTRO, SHUFFLE, PROGRAM and A=B
// with their repeat rules. It drives the device through EngineHost, so that the same logic
// runs over the real multimedia control interface and over a scripted fake.

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "sonavo/core/players.h"

namespace sonavo {

enum class PlayMode { Normal = 0, Intro = 1, Shuffle = 2, Program = 3, AB = 4, None = 255 };

// Start and length of an entry, in the device's time units.
struct EntryTimes {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
};

// What the engine asks of the device and of the deck window.
class EngineHost {
 public:
  virtual ~EngineHost() = default;
  // Makes `entry` current on the device: a CD track is there already; an album entry's file is
  // opened, and its times read into `times`. False when the file does not open.
  virtual bool SelectEntry(int entry, EntryTimes* times) = 0;
  // The device's mode (MCI status item 4) and position.
  virtual std::uint32_t DeviceMode() = 0;
  virtual std::uint32_t Position() = 0;
  // Plays with notification to the deck; without `from`, from the current position.
  virtual void Play(std::optional<std::uint32_t> from, std::uint32_t to) = 0;
  virtual void Pause() = 0;
  virtual void StopDevice() = 0;
  virtual void CloseDoor() = 0;
  // Moves the device to `position`, waiting for it when asked to.
  virtual void Seek(std::uint32_t position, bool wait) = 0;
  // The deck posts itself the end of a range (so a file that failed to open is skipped) or Stop.
  virtual void PostRangeEnded() = 0;
  virtual void PostStop() = 0;
  // The seed of the shuffle generator: the local time in seconds.
  virtual std::uint32_t ShuffleSeed() = 0;
};

class Engine {
 public:
  Engine(PlayerKind kind, EngineHost& host) : kind_(kind), host_(host) {}

  // A scanned disc: its tracks (at most 99 taken), its play list and the track to select. A
  // disc the device plays already is picked up at its track; otherwise it plays from the
  // selection with `autoPlay`, or when Play was pressed before the disc was read.
  void LoadDisc(const std::vector<EntryTimes>& tracks, std::vector<int> programList, int selection,
                bool autoPlay);
  // An album of `entries` files (times read as each opens), its entry `selection` opened.
  void LoadAlbum(int entries, int selection);
  // No disc or album any more.
  void Unload();

  // The deck's commands.
  void PlayPause();
  void Next();
  void Previous();
  void TrackButton(int entry);
  void NextMode();
  void ChooseMode(PlayMode mode);
  void RepeatButton();
  void AbButton();
  void Stop();
  // MM_MCINOTIFY with success: the range that played has ended, unless it was only cut short.
  void RangeEnded();
  // The CD's position while it plays (the deck's tick): in NORMAL the track it reached becomes
  // current, or with TrackRepeat the current track plays again from its start.
  void CdPlaying(std::uint32_t position);
  // The track at a CD position: the last whose start lies at or before it; a position in the
  // last half second of another track leaves the current one as it is.
  int TrackAt(std::uint32_t position) const;
  // Rewind (-1) or Forward (+1) by `step` from `offset` into the current entry: below 0 to the
  // end of the current range, past that end to 0.
  std::uint32_t SteppedOffset(std::uint32_t offset, int direction, std::uint32_t step) const;

  // Seeking, a gesture of steps or drags on the position bar: only with a disc or album, armed
  // and not in A=B. Its first event pauses; its end moves the device to `offset` into the
  // current entry and plays on to the range's end when it played before.
  bool CanSeek() const { return Loaded() && armed_ && mode_ != PlayMode::AB && current_ > 0; }
  bool Seeking() const { return seeking_; }
  void BeginSeek();
  void EndSeek(std::uint32_t offset, bool wait);
  // A drag of the thumb reaching `offset`: the video player's picture follows it, unless the
  // device is still seeking to the last one.
  void DragTo(std::uint32_t offset);

  // Settings.
  void SetIntroLength(int seconds) { introMs_ = static_cast<std::uint32_t>(seconds) * 1000 + 500; }
  void SetRepeat(bool repeat, bool trackRepeat) {
    repeat_ = repeat;
    trackRepeat_ = trackRepeat;
  }
  void SetProgramList(std::vector<int> programList);
  // The open entry's times in another unit (the video player's TIME and FRAME); the A and B
  // points, in the old unit, are cleared.
  void ChangeUnit(const EntryTimes& current);
  // Play pressed without a disc: the door closed, play once the disc is read.
  bool PlayWhenReady() const { return playWhenReady_; }

  bool Loaded() const { return mode_ != PlayMode::None; }
  PlayMode Mode() const { return mode_; }
  int Current() const { return current_; }
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  // An entry's times; zeros for a number outside the table.
  EntryTimes Times(int entry) const {
    return entry >= 1 && entry <= EntryCount() ? entries_[static_cast<std::size_t>(entry - 1)]
                                               : EntryTimes{};
  }
  bool Repeat() const { return repeat_; }
  bool TrackRepeat() const { return trackRepeat_; }
  bool Paused() const { return paused_; }
  bool Armed() const { return armed_; }
  std::optional<std::uint32_t> PointA() const { return a_; }
  std::optional<std::uint32_t> PointB() const { return b_; }
  const std::vector<int>& ProgramList() const { return programList_; }
  const std::vector<int>& ShuffleOrder() const { return shuffleOrder_; }
  // The end of the range a play in the current mode aims at, as seeking needs it.
  std::uint32_t RangeEnd() const;

 private:
  bool IsAlbum() const { return kind_ != PlayerKind::Cd; }
  // NORMAL on an album plays as PROGRAM does.
  PlayMode Effective() const;
  std::uint32_t DiscEnd() const;
  std::uint32_t EntryEnd(int entry) const;
  std::uint32_t IntroEnd(int entry) const;
  bool Select(int entry);
  void PlayRange(std::optional<std::uint32_t> from, std::uint32_t to);
  // Selects the entry and plays it to `to`; a file that does not open is skipped, and play
  // stops when the sequence comes back to a file that failed since the last that played.
  void SelectAndPlay(int entry, std::uint32_t (Engine::*end)(int) const);
  std::uint32_t DiscEndOf(int) const { return DiscEnd(); }
  void StartByMode();
  void Step(int direction);
  void LeaveMode(PlayMode mode);
  void ClearAB();
  // Back to NORMAL from A=B, with the repeat setting A=B had put aside.
  void LeaveAB();
  int Wrap(int value, int count) const { return ((value % count) + count) % count; }

  PlayerKind kind_;
  EngineHost& host_;
  std::vector<EntryTimes> entries_;
  std::vector<int> programList_;
  std::size_t programIndex_ = 0;
  std::vector<int> shuffleOrder_;
  std::size_t shufflePosition_ = 0;
  PlayMode mode_ = PlayMode::None;
  int current_ = 0;
  // Whether the current album entry's file opened.
  bool entryOpen_ = false;
  // The entries whose file failed to open since one last played (or play stopped).
  std::set<int> failedEntries_;
  std::uint32_t introMs_ = 10500;
  bool repeat_ = false;
  bool trackRepeat_ = false;
  bool savedRepeat_ = false;
  bool paused_ = false;
  bool armed_ = false;
  bool playWhenReady_ = false;
  bool seeking_ = false;
  bool playedBeforeSeek_ = false;
  std::uint32_t end_ = 0;
  std::optional<std::uint32_t> a_;
  std::optional<std::uint32_t> b_;
};

}  // namespace sonavo

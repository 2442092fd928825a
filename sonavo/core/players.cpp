#include "sonavo/core/players.h"

#include <algorithm>
#include <cctype>

namespace sonavo {
namespace {

constexpr PlayerTraits kPlayers[] = {
    {"/CD", "CD Player", "cdaudio", "cd.abm", 100, 0x1005},
    {"/MIDI", "MIDI Player", "sequencer", "midi.abm", 160, 0x1004},
    {"/WAVE", "Wave Player", "waveaudio", "wave.abm", 110, 0x1008},
    {"/VIDEO", "Video Player", "avivideo", "video.abm", 140, 0x1008},
};

// MCI modes, as status item 4 reports them.
constexpr std::uint32_t kModeNotReady = 524;
constexpr std::uint32_t kModeStop = 525;
constexpr std::uint32_t kModePlay = 526;
constexpr std::uint32_t kModeSeek = 528;
constexpr std::uint32_t kModePause = 529;
constexpr std::uint32_t kModeOpen = 530;

}  // namespace

const PlayerTraits& Traits(PlayerKind kind) {
  return kPlayers[static_cast<int>(kind)];
}

DeckCommandLine ParseCommandLine(std::string_view arguments) {
  // Words between blanks or tabs; a quoted word ("C:\Sample Films\a.avi") is one word, without
  // its quotes, up to the closing quote or the end of the line.
  std::vector<std::string> words;
  std::size_t start = 0;
  while ((start = arguments.find_first_not_of(" \t", start)) != std::string_view::npos) {
    if (arguments[start] == '"') {
      const std::size_t end = std::min(arguments.find('"', start + 1), arguments.size());
      words.emplace_back(arguments.substr(start + 1, end - start - 1));
      start = std::min(end + 1, arguments.size());
      continue;
    }
    const std::size_t end = std::min(arguments.find_first_of(" \t", start), arguments.size());
    words.emplace_back(arguments.substr(start, end - start));
    start = end;
  }
  const auto same = [](const std::string& word, std::string_view wanted) {
    return word.size() == wanted.size() &&
           std::equal(word.begin(), word.end(), wanted.begin(), [](char a, char b) {
             return std::toupper(static_cast<unsigned char>(a)) == b;
           });
  };
  DeckCommandLine line;
  std::size_t next = 0;
  if (next < words.size()) {
    for (int kind = 0; kind < 4; ++kind) {
      if (same(words[next], kPlayers[kind].commandSwitch))
        line.kind = static_cast<PlayerKind>(kind);
    }
    ++next;
  }
  if (next < words.size() && same(words[next], "/PLAY")) ++next;
  if (next < words.size()) line.path = words[next];
  return line;
}

TimeUnits UnitsFor(PlayerKind kind, bool frames) {
  if (kind == PlayerKind::Cd) return {1000, 1000, 1000, 1};
  if (kind == PlayerKind::Video && frames) return {1, 1, 100, 5};
  return {100, 1000, 100, 5};
}

DeckState StateOfMode(std::uint32_t mciMode, bool paused) {
  switch (mciMode) {
    case kModeOpen:
      return DeckState::NoDisc;
    case kModeNotReady:
      return DeckState::NotReady;
    case kModePlay:
      return DeckState::Playing;
    case kModePause:
      return DeckState::Paused;
    case kModeStop:
      return paused ? DeckState::Paused : DeckState::Ready;
    case kModeSeek:
      return DeckState::Seeking;
  }
  return DeckState::Ready;
}

std::vector<int> BuildShuffleOrder(int entries, ShuffleGenerator& generator) {
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(std::max(entries, 0)));
  while (static_cast<int>(order.size()) < entries) {
    const int entry = generator.Next() % entries + 1;
    if (std::find(order.begin(), order.end(), entry) == order.end()) order.push_back(entry);
  }
  return order;
}

std::uint32_t VideoSpeed::Value() const {
  constexpr std::uint32_t kSpeeds[kSteps] = {100, 250, 500, 750, 1000, 2000, 3000, 5000, 10000, 0};
  return kSpeeds[index_];
}

ClockTime ToClock(std::uint32_t milliseconds) {
  const std::uint32_t seconds = milliseconds / 1000;
  return {seconds / 60, seconds % 60, milliseconds / 10 % 100};
}

}  // namespace sonavo

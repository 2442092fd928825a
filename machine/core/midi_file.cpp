#include "machine/core/midi_file.h"

#include <algorithm>
#include <map>

namespace machine {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds a quarter note

class Reader {
 public:
  Reader(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
      : bytes_(bytes), at_(begin), end_(end) {}
  bool AtEnd() const { return at_ >= end_; }
  bool Fits(std::size_t count) const { return at_ + count <= end_; }
  std::uint8_t Byte() { return Fits(1) ? bytes_[at_++] : (ok_ = false, 0); }
  std::uint32_t Big(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | Byte();
    return value;
  }
  // A variable-length number: seven bits a byte, at most four bytes.
  std::uint32_t Variable() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t byte = Byte();
      value = value << 7 | (byte & 0x7F);
      if (!(byte & 0x80)) return value;
    }
    ok_ = false;
    return value;
  }
  void Skip(std::uint32_t count) {
    if (!Fits(count)) ok_ = false;
    at_ = std::min(at_ + count, end_);
  }
  std::size_t At() const { return at_; }
  bool Ok() const { return ok_; }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_;
  std::size_t end_;
  bool ok_ = true;
};

// One track: its tempo changes into `tempos` (tick to microseconds a quarter) and the tick of
// its end; false when it is damaged.
bool ReadTrack(Reader track, std::map<std::uint64_t, std::uint32_t>& tempos,
               std::uint64_t& lastTick) {
  std::uint64_t tick = 0;
  std::uint8_t status = 0;
  while (!track.AtEnd() && track.Ok()) {
    tick += track.Variable();
    // Every event counts, End of Track too: a track may run on past its last note.
    lastTick = std::max(lastTick, tick);
    std::uint8_t byte = track.Byte();
    if (byte == 0xFF) {
      const std::uint8_t type = track.Byte();
      const std::uint32_t length = track.Variable();
      if (type == 0x51 && length == 3) {
        tempos[tick] = track.Big(3);
      } else {
        track.Skip(length);
      }
      if (type == 0x2F) break;
    } else if (byte == 0xF0 || byte == 0xF7) {
      track.Skip(track.Variable());
    } else {
      // Running status: a data byte repeats the last status.
      bool running = !(byte & 0x80);
      if (!running) status = byte;
      if (status == 0) return false;
      const int data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
      track.Skip(static_cast<std::uint32_t>(data - (running ? 1 : 0)));
    }
  }
  return track.Ok();
}

}  // namespace

std::optional<std::uint32_t> MidiLengthMs(const std::vector<std::uint8_t>& bytes) {
  Reader file(bytes, 0, bytes.size());
  if (file.Big(4) != 0x4D546864 || file.Big(4) != 6) return std::nullopt;  // "MThd"
  file.Big(2);
  const std::uint32_t tracks = file.Big(2);
  const std::uint32_t division = file.Big(2);
  if (!file.Ok() || division == 0) return std::nullopt;
  std::map<std::uint64_t, std::uint32_t> tempos;
  std::uint64_t lastTick = 0;
  for (std::uint32_t i = 0; i < tracks; ++i) {
    const std::uint32_t type = file.Big(4);
    const std::uint32_t length = file.Big(4);
    if (!file.Ok() || !file.Fits(length)) return std::nullopt;
    if (type == 0x4D54726B && !ReadTrack(Reader(bytes, file.At(), file.At() + length), tempos,
                                         lastTick)) {  // "MTrk"
      return std::nullopt;
    }
    file.Skip(length);
  }
  // SMPTE divisions count frames a second and ticks a frame instead of ticks a quarter.
  if (division & 0x8000) {
    const std::uint32_t framesPerSecond = 256 - (division >> 8);
    const std::uint32_t ticksPerSecond = framesPerSecond * (division & 0xFF);
    if (ticksPerSecond == 0) return std::nullopt;
    return static_cast<std::uint32_t>(lastTick * 1000 / ticksPerSecond);
  }
  std::uint64_t microseconds = 0;
  std::uint64_t tick = 0;
  std::uint32_t tempo = kDefaultTempo;
  for (const auto& [at, next] : tempos) {
    if (at >= lastTick) break;
    microseconds += (at - tick) * tempo / division;
    tick = at;
    tempo = next;
  }
  microseconds += (lastTick - tick) * tempo / division;
  return static_cast<std::uint32_t>(microseconds / 1000);
}

}  // namespace machine

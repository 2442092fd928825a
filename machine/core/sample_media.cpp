#include "machine/core/sample_media.h"

namespace machine {
namespace {

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Put16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutTag(std::vector<std::uint8_t>& bytes, const char* tag) {
  bytes.insert(bytes.end(), tag, tag + 4);
}

// A chunk: its tag, its size and its bytes, padded to an even length.
void PutChunk(std::vector<std::uint8_t>& bytes, const char* tag,
              const std::vector<std::uint8_t>& data) {
  PutTag(bytes, tag);
  Put32(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  if (data.size() % 2) bytes.push_back(0);
}

std::vector<std::uint8_t> List(const char* type, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> list;
  PutTag(list, type);
  list.insert(list.end(), data.begin(), data.end());
  return list;
}

void PutBig(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutVariable(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  std::vector<std::uint8_t> groups{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0)
    groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  bytes.insert(bytes.end(), groups.begin(), groups.end());
}

// A frame of the sample video: a sky over a ground, with a sun that crosses it frame by frame
// (rows bottom-up, blue-green-red, each padded to four bytes).
std::vector<std::uint8_t> VideoFrame(std::uint32_t width, std::uint32_t height, unsigned frame) {
  const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> pixels(stride * height, 0);
  const std::int64_t sunX = static_cast<std::int64_t>((frame * 7 + width / 8) % (width + 1));
  const std::int64_t sunY = height * 2 / 3;
  const std::int64_t radius = height / 6 + 1;
  for (std::uint32_t row = 0; row < height; ++row) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint8_t* p = &pixels[row * stride + x * 3];
      const bool ground = row < height / 3;
      const std::int64_t dx = static_cast<std::int64_t>(x) - sunX;
      const std::int64_t dy = static_cast<std::int64_t>(row) - sunY;
      if (dx * dx + dy * dy <= radius * radius) {
        p[0] = 40, p[1] = 210, p[2] = 250;  // the sun
      } else if (ground) {
        p[0] = 30, p[1] = static_cast<std::uint8_t>(100 + row * 60 / height), p[2] = 40;
      } else {
        p[0] = static_cast<std::uint8_t>(150 + row * 100 / height), p[1] = 120, p[2] = 60;
      }
    }
  }
  return pixels;
}

}  // namespace

std::vector<std::uint8_t> WaveFileBytes(unsigned milliseconds) {
  constexpr std::uint32_t kRate = 8000;
  const std::uint32_t samples = kRate * milliseconds / 1000;
  std::vector<std::uint8_t> bytes;
  PutTag(bytes, "RIFF");
  Put32(bytes, 36 + samples);
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  Put32(bytes, 16);
  Put16(bytes, 1);  // PCM
  Put16(bytes, 1);  // mono
  Put32(bytes, kRate);
  Put32(bytes, kRate);  // bytes a second
  Put16(bytes, 1);      // block
  Put16(bytes, 8);      // bits
  PutTag(bytes, "data");
  Put32(bytes, samples);
  for (std::uint32_t i = 0; i < samples; ++i) bytes.push_back((i / 10) % 2 ? 136 : 120);
  return bytes;
}

std::vector<std::uint8_t> MidiFileBytes(std::uint16_t division,
                                        const std::vector<TempoChange>& tempos,
                                        std::uint32_t lastTick) {
  std::vector<std::uint8_t> track;
  std::uint32_t tick = 0;
  for (const TempoChange& change : tempos) {
    PutVariable(track, change.tick - tick);
    tick = change.tick;
    track.insert(track.end(), {0xFF, 0x51, 0x03});
    PutBig(track, change.microsecondsPerQuarter, 3);
  }
  PutVariable(track, 0);
  track.insert(track.end(), {0x90, 60, 100});
  PutVariable(track, lastTick - tick);
  track.insert(track.end(), {60, 0});  // running status: note off as a zero velocity
  PutVariable(track, 0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
  PutBig(file, 6, 4);
  PutBig(file, 0, 2);
  PutBig(file, 1, 2);
  PutBig(file, division, 2);
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  PutBig(file, static_cast<std::uint32_t>(track.size()), 4);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

std::vector<std::uint8_t> VideoFileBytes(unsigned frames, std::uint16_t width,
                                         std::uint16_t height) {
  // Rows of 24-bit pixels, each padded to four bytes.
  const std::uint32_t kWidth = width, kHeight = height,
                      kFrameBytes = (kWidth * 3 + 3) / 4 * 4 * kHeight;
  std::vector<std::uint8_t> mainHeader;
  for (std::uint32_t value : {100000u, kFrameBytes * 10, 0u, 0x10u, frames, 0u, 1u, kFrameBytes,
                              kWidth, kHeight, 0u, 0u, 0u, 0u}) {
    Put32(mainHeader, value);
  }
  std::vector<std::uint8_t> streamHeader;
  PutTag(streamHeader, "vids");
  PutTag(streamHeader, "DIB ");
  for (std::uint32_t value : {0u, 0u, 0u, 1u, 10u, 0u, frames, kFrameBytes, 0xFFFFFFFFu, 0u}) {
    Put32(streamHeader, value);
  }
  for (std::uint16_t value : {std::uint16_t{0}, std::uint16_t{0}, width, height}) {
    Put16(streamHeader, value);
  }
  std::vector<std::uint8_t> format;
  Put32(format, 40);
  Put32(format, kWidth);
  Put32(format, kHeight);
  Put16(format, 1);
  Put16(format, 24);
  for (std::uint32_t value : {0u, kFrameBytes, 0u, 0u, 0u, 0u}) Put32(format, value);

  std::vector<std::uint8_t> streamList;
  PutChunk(streamList, "strh", streamHeader);
  PutChunk(streamList, "strf", format);
  std::vector<std::uint8_t> headers;
  PutChunk(headers, "avih", mainHeader);
  PutChunk(headers, "LIST", List("strl", streamList));

  std::vector<std::uint8_t> movie, index;
  for (unsigned frame = 0; frame < frames; ++frame) {
    Put32(index, 0x62643030);  // "00db"
    Put32(index, 0x10);        // a key frame
    Put32(index, static_cast<std::uint32_t>(4 + movie.size()));
    Put32(index, kFrameBytes);
    PutChunk(movie, "00db", VideoFrame(kWidth, kHeight, frame));
  }
  std::vector<std::uint8_t> body;
  PutTag(body, "AVI ");
  PutChunk(body, "LIST", List("hdrl", headers));
  PutChunk(body, "LIST", List("movi", movie));
  PutChunk(body, "idx1", index);
  std::vector<std::uint8_t> file;
  PutChunk(file, "RIFF", body);
  return file;
}

}  // namespace machine

#include "tests/harness/media_files.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace harness {
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

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
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

}  // namespace

bool WriteWaveFile(const std::string& path, unsigned milliseconds) {
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
  return WriteBytes(path, bytes);
}

bool WriteVideoFile(const std::string& path, unsigned frames) {
  constexpr std::uint32_t kWidth = 32, kHeight = 24, kFrameBytes = kWidth * kHeight * 3;
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
  for (std::uint16_t value : {0, 0, 32, 24}) Put16(streamHeader, value);
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
    PutChunk(movie, "00db",
             std::vector<std::uint8_t>(kFrameBytes, static_cast<std::uint8_t>(frame * 20)));
  }
  std::vector<std::uint8_t> body;
  PutTag(body, "AVI ");
  PutChunk(body, "LIST", List("hdrl", headers));
  PutChunk(body, "LIST", List("movi", movie));
  PutChunk(body, "idx1", index);
  std::vector<std::uint8_t> file;
  PutChunk(file, "RIFF", body);
  return WriteBytes(path, file);
}

}  // namespace harness

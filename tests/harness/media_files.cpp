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

}  // namespace harness

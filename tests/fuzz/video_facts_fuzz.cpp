// Fuzz target: whatever a video file's header claims (start, length, key frames, sizes, rates,
// the compressor's description), the previewer picks a frame inside the stream and writes its
// four lines of facts without overflowing.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "peekwell/core/preview.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

void PickFrames(FuzzedDataProvider& input) {
  const auto start = input.ConsumeIntegral<std::int32_t>();
  const auto length = input.ConsumeIntegral<std::int32_t>();
  const auto key = input.ConsumeIntegral<std::int32_t>();
  const auto nextKey = [key](std::int32_t) { return std::optional<std::int32_t>(key); };
  for (int choice = 0; choice < peekwell::kPreviewChoices; ++choice) {
    const std::int32_t frame =
        peekwell::FrameFor(static_cast<peekwell::Preview>(choice), start, length, nextKey);
    const std::int64_t last = static_cast<std::int64_t>(start) + length - 1;
    Require(frame == start || (frame > start && frame <= last));
  }
}

void WriteFacts(FuzzedDataProvider& input) {
  peekwell::StreamFacts facts{};
  facts.type = input.ConsumeIntegral<std::uint32_t>();
  facts.handler = input.ConsumeIntegral<std::uint32_t>();
  facts.width = input.ConsumeIntegral<std::int32_t>();
  facts.height = input.ConsumeIntegral<std::int32_t>();
  facts.bitCount = input.ConsumeIntegral<std::int32_t>();
  facts.frames = input.ConsumeIntegral<std::int32_t>();
  facts.rate = input.ConsumeIntegral<std::uint32_t>();
  facts.scale = input.ConsumeIntegral<std::uint32_t>();
  facts.durationMs = input.ConsumeIntegral<std::int32_t>();
  facts.description = input.ConsumeRandomLengthString(200);
  peekwell::InfoWords words;
  words.frames = input.ConsumeRandomLengthString(100);
  words.seconds = input.ConsumeRandomLengthString(100);
  words.fps = input.ConsumeRemainingBytesAsString();
  Require(peekwell::InfoLines(facts, words).size() == 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  PickFrames(input);
  WriteFacts(input);
  return 0;
}

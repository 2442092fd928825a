#include "peekwell/app/video_file.h"

#include <vfw.h>

#include <vector>

namespace {

PAVIFILE File(void* file) {
  return static_cast<PAVIFILE>(file);
}

PAVISTREAM Stream(void* stream) {
  return static_cast<PAVISTREAM>(stream);
}

// The compressor's own description, asked in query mode; empty without one.
std::string Describe(DWORD handler) {
  HIC compressor = ICOpen(ICTYPE_VIDEO, handler, ICMODE_QUERY);
  if (compressor == nullptr) return {};
  ICINFO info{};
  info.dwSize = sizeof(info);
  std::string description;
  if (ICGetInfo(compressor, &info, sizeof(info)) != 0 && info.szDescription[0] != L'\0') {
    char text[128] = "";
    WideCharToMultiByte(CP_ACP, 0, info.szDescription, -1, text, sizeof(text), nullptr, nullptr);
    description = text;
  }
  ICClose(compressor);
  return description;
}

// An uncompressed frame as it is stored, its format before it; empty for a compressed stream or
// one that cannot be read. Read directly: Wine's frame reader hands an uncompressed stream's
// frames out in order, whatever frame is asked for.
std::vector<std::uint8_t> StoredFrame(PAVISTREAM stream, LONG frame) {
  LONG formatSize = 0;
  if (AVIStreamFormatSize(stream, frame, &formatSize) != 0 ||
      formatSize < static_cast<LONG>(sizeof(BITMAPINFOHEADER))) {
    return {};
  }
  std::vector<std::uint8_t> stored(static_cast<std::size_t>(formatSize));
  auto* format = reinterpret_cast<BITMAPINFOHEADER*>(stored.data());
  LONG bytes = 0;
  if (AVIStreamReadFormat(stream, frame, format, &formatSize) != 0 ||
      format->biCompression != BI_RGB ||
      AVIStreamRead(stream, frame, 1, nullptr, 0, &bytes, nullptr) != 0) {
    return {};
  }
  // A frame shorter than its rows, or far longer, is not what its format says.
  const std::size_t needed =
      peekwell::UncompressedBytes(format->biWidth, format->biHeight, format->biBitCount);
  if (needed == 0 || static_cast<std::size_t>(bytes) < needed ||
      static_cast<std::size_t>(bytes) > 2 * needed) {
    return {};
  }
  stored.resize(stored.size() + static_cast<std::size_t>(bytes));
  if (AVIStreamRead(stream, frame, 1, stored.data() + formatSize, bytes, &bytes, nullptr) != 0) {
    return {};
  }
  return stored;
}

// A frame drawn into an 80 x 60 bitmap compatible with the screen, halftoned on palette devices.
HBITMAP Draw(const BITMAPINFOHEADER& picture, HDC screen, HDRAWDIB drawDib, HPALETTE palette) {
  HBITMAP thumbnail = CreateCompatibleBitmap(screen, peekwell::kThumbWidth, peekwell::kThumbHeight);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, thumbnail);
  HPALETTE keptPalette = palette != nullptr ? SelectPalette(memory, palette, TRUE) : nullptr;
  if (palette != nullptr) RealizePalette(memory);
  const std::uint8_t* bits =
      reinterpret_cast<const std::uint8_t*>(&picture) + picture.biSize +
      picture.biClrUsed * sizeof(RGBQUAD) +
      (picture.biClrUsed == 0 && picture.biBitCount <= 8 ? (1u << picture.biBitCount) * 4 : 0);
  const UINT halftone = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) ? DDF_HALFTONE : 0;
  if (picture.biHeight < 0) {
    // Rows from the top, which DrawDib does not take: GDI draws such a picture itself.
    SetStretchBltMode(memory, HALFTONE);
    StretchDIBits(memory, 0, 0, peekwell::kThumbWidth, peekwell::kThumbHeight, 0, 0,
                  picture.biWidth, -picture.biHeight, bits,
                  reinterpret_cast<const BITMAPINFO*>(&picture), DIB_RGB_COLORS, SRCCOPY);
  } else {
    DrawDibDraw(drawDib, memory, 0, 0, peekwell::kThumbWidth, peekwell::kThumbHeight,
                const_cast<BITMAPINFOHEADER*>(&picture), const_cast<std::uint8_t*>(bits), 0, 0,
                picture.biWidth, picture.biHeight, halftone);
  }
  if (palette != nullptr) SelectPalette(memory, keptPalette, TRUE);
  SelectObject(memory, old);
  DeleteDC(memory);
  return thumbnail;
}

}  // namespace

VideoFile::VideoFile(void* file, void* stream) : file_(file), stream_(stream) {}

VideoFile::VideoFile(VideoFile&& other) noexcept
    : file_(other.file_), stream_(other.stream_), facts_(other.facts_) {
  other.file_ = nullptr;
  other.stream_ = nullptr;
}

VideoFile::~VideoFile() {
  if (stream_ != nullptr) AVIStreamRelease(Stream(stream_));
  if (file_ != nullptr) AVIFileRelease(File(file_));
}

std::optional<VideoFile> VideoFile::Open(const std::string& path, bool describe) {
  PAVIFILE file = nullptr;
  if (AVIFileOpenA(&file, path.c_str(), OF_READ | OF_SHARE_DENY_NONE, nullptr) != 0) {
    return std::nullopt;
  }
  PAVISTREAM stream = nullptr;
  if (AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) != 0) {
    AVIFileRelease(file);
    return std::nullopt;
  }
  VideoFile video(file, stream);
  AVISTREAMINFOA info{};
  BITMAPINFOHEADER format{};
  LONG size = sizeof(format);
  if (AVIStreamInfoA(stream, &info, sizeof(info)) != 0 ||
      AVIStreamReadFormat(stream, AVIStreamStart(stream), &format, &size) != 0) {
    return std::nullopt;
  }
  peekwell::StreamFacts& facts = video.facts_;
  facts.type = info.fccType;
  facts.handler = info.fccHandler;
  if (describe) facts.description = Describe(info.fccHandler);
  facts.width = format.biWidth;
  facts.height = format.biHeight;
  facts.bitCount = format.biBitCount;
  facts.frames = AVIStreamLength(stream);
  facts.rate = info.dwRate;
  facts.scale = info.dwScale;
  facts.durationMs = AVIStreamSampleToTime(stream, AVIStreamStart(stream) + facts.frames);
  return video;
}

HBITMAP VideoFile::Thumbnail(peekwell::Preview preview, HDC screen, HDRAWDIB drawDib,
                             HPALETTE palette) const {
  // A picture no decompressor could hold in memory is not decompressed: its header lies.
  if (!peekwell::SaneSize(facts_.width, facts_.height)) return nullptr;
  PAVISTREAM stream = Stream(stream_);
  const LONG start = AVIStreamStart(stream);
  const LONG frame = peekwell::FrameFor(preview, start, AVIStreamLength(stream), [&](LONG from) {
    const LONG key = AVIStreamFindSample(stream, from, FIND_NEXT | FIND_KEY);
    return key < 0 ? std::optional<std::int32_t>() : std::optional<std::int32_t>(key);
  });
  std::vector<std::uint8_t> stored = StoredFrame(stream, frame);
  PGETFRAME reader = stored.empty() ? AVIStreamGetFrameOpen(stream, nullptr) : nullptr;
  if (stored.empty() && reader == nullptr) return nullptr;
  const auto* picture = stored.empty()
                            ? static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(reader, frame))
                            : reinterpret_cast<const BITMAPINFOHEADER*>(stored.data());
  HBITMAP thumbnail = picture != nullptr ? Draw(*picture, screen, drawDib, palette) : nullptr;
  if (reader != nullptr) AVIStreamGetFrameClose(reader);
  return thumbnail;
}

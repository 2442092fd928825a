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
  PGETFRAME reader = AVIStreamGetFrameOpen(stream, nullptr);
  if (reader == nullptr) return nullptr;
  const LONG start = AVIStreamStart(stream);
  const LONG frame = peekwell::FrameFor(preview, start, AVIStreamLength(stream), [&](LONG from) {
    const LONG key = AVIStreamFindSample(stream, from, FIND_NEXT | FIND_KEY);
    return key < 0 ? std::optional<std::int32_t>() : std::optional<std::int32_t>(key);
  });
  auto* picture = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(reader, frame));
  HBITMAP thumbnail = nullptr;
  if (picture != nullptr) {
    thumbnail = CreateCompatibleBitmap(screen, peekwell::kThumbWidth, peekwell::kThumbHeight);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, thumbnail);
    HPALETTE keptPalette = palette != nullptr ? SelectPalette(memory, palette, TRUE) : nullptr;
    if (palette != nullptr) RealizePalette(memory);
    const std::uint8_t* bits =
        reinterpret_cast<const std::uint8_t*>(picture) + picture->biSize +
        picture->biClrUsed * sizeof(RGBQUAD) +
        (picture->biClrUsed == 0 && picture->biBitCount <= 8 ? (1u << picture->biBitCount) * 4 : 0);
    const UINT halftone = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) ? DDF_HALFTONE : 0;
    if (picture->biHeight < 0) {
      // Rows from the top, which DrawDib does not take: GDI draws such a picture itself.
      SetStretchBltMode(memory, HALFTONE);
      StretchDIBits(memory, 0, 0, peekwell::kThumbWidth, peekwell::kThumbHeight, 0, 0,
                    picture->biWidth, -picture->biHeight, bits,
                    reinterpret_cast<const BITMAPINFO*>(picture), DIB_RGB_COLORS, SRCCOPY);
    } else {
      DrawDibDraw(drawDib, memory, 0, 0, peekwell::kThumbWidth, peekwell::kThumbHeight, picture,
                  const_cast<std::uint8_t*>(bits), 0, 0, picture->biWidth, picture->biHeight,
                  halftone);
    }
    if (palette != nullptr) SelectPalette(memory, keptPalette, TRUE);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  AVIStreamGetFrameClose(reader);
  return thumbnail;
}

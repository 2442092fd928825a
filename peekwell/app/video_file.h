#pragma once
// A video file read through the system's video file services: its first video stream's facts,
// and a frame drawn into a thumbnail.

#include <windows.h>

#include <vfw.h>

#include <optional>
#include <string>

#include "peekwell/core/preview.h"

class VideoFile {
 public:
  // Opens the file's first video stream; nothing when the file cannot be opened as a video.
  // `describe`: ask the compressor for its description too (the info box does; a thumbnail
  // needs none).
  static std::optional<VideoFile> Open(const std::string& path, bool describe);
  VideoFile(VideoFile&& other) noexcept;
  VideoFile& operator=(VideoFile&&) = delete;
  VideoFile(const VideoFile&) = delete;
  ~VideoFile();

  const peekwell::StreamFacts& Facts() const { return facts_; }
  // The chosen frame in an 80 x 60 bitmap; nullptr when no decompressor reads the stream. On a
  // palette device the frame is mapped to `palette`, the one the thumbnails are shown with.
  HBITMAP Thumbnail(peekwell::Preview preview, HDC screen, HDRAWDIB drawDib,
                    HPALETTE palette = nullptr) const;

 private:
  VideoFile(void* file, void* stream);

  void* file_;    // PAVIFILE
  void* stream_;  // PAVISTREAM
  peekwell::StreamFacts facts_{};
};

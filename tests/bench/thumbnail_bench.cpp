// The time Peekwell takes to make the thumbnails of a folder of 100 small AVI files, beside the
// floor: the time the video file services alone take to open each file and decompress the same
// frame. usage: THUMBNAIL_BENCH [files]

#include <windows.h>

#include <vfw.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "machine/core/sample_media.h"
#include "peekwell/app/video_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// Opening the file and decompressing the middle frame: what any thumbnail needs.
bool Floor(const std::string& path) {
  PAVIFILE file = nullptr;
  if (AVIFileOpenA(&file, path.c_str(), OF_READ | OF_SHARE_DENY_NONE, nullptr) != 0) return false;
  PAVISTREAM stream = nullptr;
  bool read = false;
  if (AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) == 0) {
    if (PGETFRAME frames = AVIStreamGetFrameOpen(stream, nullptr)) {
      read = AVIStreamGetFrame(frames, AVIStreamStart(stream) + AVIStreamLength(stream) / 2) !=
             nullptr;
      AVIStreamGetFrameClose(frames);
    }
    AVIStreamRelease(stream);
  }
  AVIFileRelease(file);
  return read;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100;
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "thumbnail-bench\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<std::string> files;
  for (int i = 0; i < count; ++i) {
    files.push_back(folder + "clip" + std::to_string(i) + ".avi");
    if (!Write(files.back(), machine::VideoFileBytes(30, 80, 60))) {
      std::fprintf(stderr, "thumbnail bench: cannot write %s\n", files.back().c_str());
      return 1;
    }
  }
  AVIFileInit();
  HDRAWDIB drawDib = DrawDibOpen();
  HDC screen = GetDC(nullptr);
  // Once each way first, so that neither pays for loading the codecs.
  Floor(files[0]);
  if (auto video = VideoFile::Open(files[0], false)) {
    DeleteObject(video->Thumbnail(peekwell::Preview::Middle, screen, drawDib));
  }

  const Clock::time_point floorStart = Clock::now();
  int read = 0;
  for (const std::string& file : files) read += Floor(file);
  const double floorMs = Milliseconds(Clock::now() - floorStart);

  const Clock::time_point thumbnailStart = Clock::now();
  int made = 0;
  for (const std::string& file : files) {
    if (auto video = VideoFile::Open(file, false)) {
      HBITMAP thumbnail = video->Thumbnail(peekwell::Preview::Middle, screen, drawDib);
      made += thumbnail != nullptr;
      DeleteObject(thumbnail);
    }
  }
  const double thumbnailMs = Milliseconds(Clock::now() - thumbnailStart);

  ReleaseDC(nullptr, screen);
  DrawDibClose(drawDib);
  AVIFileExit();
  for (const std::string& file : files) DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
  std::printf("Thumbnails of %d small AVI files (80 x 60, 30 frames, the middle one):\n", count);
  std::printf("  Peekwell's thumbnails       %8.1f ms  (%d made)\n", thumbnailMs, made);
  std::printf("  AVIStreamGetFrame alone     %8.1f ms  (%d read)\n", floorMs, read);
  std::printf("  ratio                       %8.2f\n", floorMs > 0 ? thumbnailMs / floorMs : 0.0);
  return made == count && read == count ? 0 : 1;
}

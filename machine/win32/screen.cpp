#include "machine/win32/screen.h"

#include <strings.h>
#include <cstdio>

#include "machine/win32/simulator.h"

namespace machine {
namespace {

bool WriteBmp(const std::string& path, int width, int height, const void* pixels) {
  const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;

  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                       std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                       std::fwrite(pixels, info.biSizeImage, 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

std::string ImagePath(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  char path[MAX_PATH] = "";
  DWORD length = MAX_PATH;
  if (!QueryFullProcessImageNameA(process, 0, path, &length)) length = 0;
  CloseHandle(process);
  return std::string(path, length);
}

}  // namespace

bool SaveDrawing(int width, int height, const std::function<void(HDC)>& draw,
                 const std::string& bmpPath) {
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  bool saved = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory);
    saved = GdiFlush() && WriteBmp(bmpPath, width, height, pixels);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

bool SaveWindowPicture(HWND window, const std::string& bmpPath) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  return SaveDrawing(
      rect.right - rect.left, rect.bottom - rect.top,
      [&](HDC memory) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left,
               rect.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
      },
      bmpPath);
}

void WaitUntilPainted(HWND window, DWORD timeoutMs) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  const auto pending = [window] {
    bool any = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
          *reinterpret_cast<bool*>(data) |= GetUpdateRect(child, nullptr, FALSE) != FALSE;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&any));
    return any;
  };
  const DWORD start = GetTickCount();
  while (pending() && GetTickCount() - start < timeoutMs) Sleep(20);
}

Picture CardPictureNow() {
  const SharedState* state = State();
  if (state == nullptr) return Picture(0, 0);
  const CardRegisters& registers = state->card.registers;
  return CardPicture(registers.crtc, registers.palette, state->display.current, RegisterAperture(),
                     {FrameBuffer(), kFrameBufferSize});
}

void DrawPicture(HDC dc, const Picture& picture, const RECT& place) {
  // 0xRRGGBB in memory is a 32-bit DIB's blue, green, red and unused byte; rows from the top.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(picture.width);
  info.bmiHeader.biHeight = -static_cast<LONG>(picture.height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, 0, 0,
                static_cast<int>(picture.width), static_cast<int>(picture.height),
                picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

std::vector<HWND> WindowsOfPrograms(const std::string& pathPrefix) {
  struct Search {
    std::string folder;
    std::vector<HWND> found;
  } search{pathPrefix, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(data);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        const std::string image = ImagePath(processId);
        if (IsWindowVisible(window) &&
            strncasecmp(image.c_str(), search.folder.c_str(), search.folder.size()) == 0) {
          search.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace machine

#include "jubilo/app/skin.h"

#include <vector>

#include "common/image/dib_reader.h"
#include "common/win32/bitmap_drawing.h"

namespace {

constexpr const char* kSkinFile = "cabinet.bmp";

class FileSource : public dib::ByteSource {
 public:
  explicit FileSource(HANDLE file) : file_(file) {}
  std::size_t Read(std::uint8_t* into, std::size_t size) override {
    DWORD read = 0;
    if (!ReadFile(file_, into, static_cast<DWORD>(size), &read, nullptr)) return 0;
    return read;
  }

 private:
  HANDLE file_;
};

// The image's colours, or the fixed palette of a 24-bit image.
HPALETTE MakePalette(const dib::Image& image) {
  const std::vector<dib::Colour> colours =
      image.bitCount == 24 ? dib::FixedPalette() : image.colours;
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) {
    logical->palPalEntry[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
  }
  return CreatePalette(logical);
}

HBITMAP MakeBitmap(HWND window, const dib::Image& image, HPALETTE palette) {
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + image.colours.size() * sizeof(RGBQUAD));
  auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
  header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header->bmiHeader.biWidth = image.width;
  header->bmiHeader.biHeight = image.height;
  header->bmiHeader.biPlanes = 1;
  header->bmiHeader.biBitCount = image.bitCount;
  header->bmiHeader.biClrUsed = static_cast<DWORD>(image.colours.size());
  for (std::size_t i = 0; i < image.colours.size(); ++i) {
    header->bmiColors[i] = {image.colours[i].blue, image.colours[i].green, image.colours[i].red, 0};
  }
  HDC dc = GetDC(window);
  HPALETTE kept = SelectPalette(dc, palette, FALSE);
  RealizePalette(dc);
  HBITMAP bitmap =
      CreateDIBitmap(dc, &header->bmiHeader, CBM_INIT, image.bits.data(), header, DIB_RGB_COLORS);
  SelectPalette(dc, kept, FALSE);
  ReleaseDC(window, dc);
  return bitmap;
}

}  // namespace

Skin::~Skin() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (palette_ != nullptr) DeleteObject(palette_);
}

int Skin::Load(HWND window) {
  OFSTRUCT found{};
  found.cBytes = sizeof(found);
  if (OpenFile(kSkinFile, &found, OF_EXIST) == HFILE_ERROR) return 2;
  HANDLE file = CreateFileA(found.szPathName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  FileSource source(file);
  const std::optional<dib::Image> image = dib::Read(source);
  CloseHandle(file);
  if (!image) return 3;
  palette_ = MakePalette(*image);
  if (palette_ == nullptr) return 4;
  bitmap_ = MakeBitmap(window, *image, palette_);
  return bitmap_ != nullptr ? 0 : 3;
}

void Skin::Paint(HDC dc) const {
  if (bitmap_ == nullptr) return;
  BITMAP facts{};
  GetObjectA(bitmap_, sizeof(facts), &facts);
  HPALETTE kept = SelectPalette(dc, palette_, TRUE);
  RealizePalette(dc);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap_);
  BitBlt(dc, 0, 0, facts.bmWidth, facts.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  SelectPalette(dc, kept, TRUE);
}

bool Skin::Realize(HDC dc, bool background) const {
  return palette_ != nullptr && RealizePaletteIn(dc, palette_, background) > 0;
}

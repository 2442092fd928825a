#pragma once
// Jubilo's skin, "cabinet.bmp": found where the system's OpenFile looks, read by the suite's
// own bitmap reader, made once into a device-dependent bitmap with its palette.

#include <windows.h>

class Skin {
 public:
  Skin() = default;
  ~Skin();
  Skin(const Skin&) = delete;
  Skin& operator=(const Skin&) = delete;

  // 0 when loaded, else the number of the message that says why not (2: not found, 3: not
  // readable or not convertible, 4: no palette).
  int Load(HWND window);
  bool Loaded() const { return bitmap_ != nullptr; }
  // At the window's origin.
  void Paint(HDC dc) const;
  // Realizes the palette in `dc`; true when colours changed.
  bool Realize(HDC dc, bool background) const;

 private:
  HBITMAP bitmap_ = nullptr;
  HPALETTE palette_ = nullptr;
};

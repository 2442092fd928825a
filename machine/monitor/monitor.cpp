// MONITOR.EXE: the CRT attached to the simulated card. It shows the viewport's part of the
// desktop, with the streams processor's overlay over it while the processor is on, where the
// card's timing puts the picture on the tube, following the panning, rolling or dark when no
// monitor could sync, with a status line of the mode, the rates, the pan lock, the chip and its
// memory. It reads only the card's state and the display driver's viewport.
// MONITOR.EXE /picture FILE.bmp draws one picture into a file instead of a window.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "machine/core/card.h"
#include "machine/core/monitor_picture.h"
#include "machine/core/streams_processor.h"
#include "machine/win32/screen.h"
#include "machine/win32/simulator.h"

namespace {

constexpr UINT_PTR kFrameTimer = 1;
// A change of the card (panning, a timing step) shows within a twentieth of a second; what
// programs draw on the desktop twice a second. Reading the screen is what costs.
constexpr UINT kCardPollMs = 50;
constexpr DWORD kContentPeriodMs = 500;
constexpr int kWidth = 560;
constexpr int kHeight = 500;
constexpr COLORREF kBezelColour = RGB(0x34, 0x36, 0x3A);
constexpr COLORREF kStatusColour = RGB(0xD0, 0xD4, 0xD8);

// What the monitor shows in one picture.
struct Frame {
  bool powered = false;
  machine::TubePicture picture{};
  machine::DisplayMode desktop{};
  std::uint32_t viewportWidth = 0;
  std::uint32_t viewportHeight = 0;
  machine::PanPosition origin{};
  bool panLocked = false;
  bool streams = false;
  machine::Chip chip{};
  std::uint32_t memoryKb = 0;
};

Frame ReadFrame() {
  Frame frame;
  machine::SharedState* state = machine::State();
  if (state == nullptr) return frame;
  machine::CardRegisters registers{};
  {
    machine::StateLock lock;
    registers = state->card.registers;
    frame.desktop = state->display.current;
    frame.panLocked = state->escapes.panLocked != 0;
    frame.chip = state->card.chip;
    frame.memoryKb = state->card.memoryKb;
  }
  frame.powered = true;
  frame.streams = machine::StreamsProcessorOn(registers.crtc);
  frame.origin = machine::Card(registers, nullptr).ViewportOrigin(frame.desktop);
  frame.picture = machine::PlacePicture(machine::DecodeTiming(registers.crtc), registers.refreshHz);
  // The display driver pans a viewport smaller than the desktop; otherwise the whole desktop.
  Win32Profile systemIni(settings::kSystemIni);
  const settings::Size viewport = settings::MarovaneSettings(systemIni).ReadScreenResolution();
  const bool panned = viewport.width > 0 && viewport.height > 0 &&
                      static_cast<std::uint32_t>(viewport.width) < frame.desktop.width;
  frame.viewportWidth = panned ? static_cast<std::uint32_t>(viewport.width) : frame.desktop.width;
  frame.viewportHeight =
      panned ? static_cast<std::uint32_t>(viewport.height) : frame.desktop.height;
  return frame;
}

void DrawText(HDC dc, const std::string& text, RECT area, UINT format, COLORREF colour) {
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  ::DrawTextA(dc, text.c_str(), -1, &area, format | DT_NOPREFIX);
}

// The viewport as the card sends it: the desktop, with the streams processor's secondary
// stream composed over it.
machine::Picture ComposedViewport(const Frame& frame, HDC screen) {
  machine::Picture picture(frame.viewportWidth, frame.viewportHeight);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER),
                    static_cast<LONG>(picture.width),
                    -static_cast<LONG>(picture.height),
                    1,
                    32,
                    BI_RGB,
                    0,
                    0,
                    0,
                    0,
                    0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return picture;
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, static_cast<int>(picture.width), static_cast<int>(picture.height), screen,
         static_cast<int>(frame.origin.x), static_cast<int>(frame.origin.y), SRCCOPY);
  GdiFlush();
  const auto* desktop = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = desktop[i] & 0xFFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  machine::ComposeSecondary(machine::StreamsRegisters(machine::RegisterAperture()),
                            {machine::FrameBuffer(), machine::kFrameBufferSize}, picture);
  return picture;
}

// The desktop's viewport stretched over the picture's place; `roll` lines down, wrapping
// around the glass, when the monitor has no vertical sync.
void DrawViewport(HDC dc, const Frame& frame, const machine::PixelRect& glass, int roll,
                  HWND self) {
  const machine::PixelRect place = machine::PictureOn(glass, frame.picture);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  HDC screen = GetDC(nullptr);
  // The window is drawn often and cheaply; a picture for a file once and smoothly.
  SetStretchBltMode(dc, self != nullptr ? COLORONCOLOR : HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const int glassHeight = glass.bottom - glass.top;
  const machine::Picture composed =
      frame.streams ? ComposedViewport(frame, screen) : machine::Picture(0, 0);
  for (int copy = 0; copy < (roll != 0 ? 2 : 1); ++copy) {
    const int top = place.top + (roll % glassHeight) - copy * glassHeight;
    if (frame.streams) {
      machine::DrawPicture(dc, composed, {place.left, top, place.left + width, top + height});
    } else {
      StretchBlt(dc, place.left, top, width, height, screen, static_cast<int>(frame.origin.x),
                 static_cast<int>(frame.origin.y), static_cast<int>(frame.viewportWidth),
                 static_cast<int>(frame.viewportHeight), SRCCOPY);
    }
  }
  ReleaseDC(nullptr, screen);
  // The monitor's own window is not part of what the card shows: its place stays desktop.
  RECT own{};
  if (self != nullptr && roll == 0 && GetWindowRect(self, &own)) {
    const double sx = static_cast<double>(width) / frame.viewportWidth;
    const double sy = static_cast<double>(height) / frame.viewportHeight;
    RECT hole{place.left + static_cast<int>((own.left - static_cast<int>(frame.origin.x)) * sx),
              place.top + static_cast<int>((own.top - static_cast<int>(frame.origin.y)) * sy),
              place.left + static_cast<int>((own.right - static_cast<int>(frame.origin.x)) * sx),
              place.top + static_cast<int>((own.bottom - static_cast<int>(frame.origin.y)) * sy)};
    RECT picture{place.left, place.top, place.right, place.bottom};
    if (IntersectRect(&hole, &hole, &picture)) FillRect(dc, &hole, GetSysColorBrush(COLOR_DESKTOP));
  }
}

std::string StatusLine(const Frame& frame, bool second) {
  char text[160] = "";
  if (!second) {
    std::snprintf(text, sizeof(text), "%u x %u, %u bits   viewport %u x %u at %u,%u",
                  frame.desktop.width, frame.desktop.height, frame.desktop.bitsPerPixel,
                  frame.viewportWidth, frame.viewportHeight, frame.origin.x, frame.origin.y);
  } else {
    std::snprintf(text, sizeof(text), "%u Hz   %.1f kHz   pan lock %s   %s, %u KB",
                  frame.picture.refreshHz, frame.picture.horizontalKHz,
                  frame.panLocked ? "on" : "off", machine::ChipName(frame.chip), frame.memoryKb);
  }
  return text;
}

void DrawMonitor(HDC dc, int width, int height, const Frame& frame, int roll, HWND self) {
  RECT all{0, 0, width, height};
  HBRUSH bezel = CreateSolidBrush(kBezelColour);
  FillRect(dc, &all, bezel);
  DeleteObject(bezel);
  const machine::PixelRect glass = machine::GlassIn(width, height);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  RoundRect(dc, glass.left - 4, glass.top - 4, glass.right + 4, glass.bottom + 4, 24, 24);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const RECT glassArea{glass.left, glass.top, glass.right, glass.bottom};
  if (!frame.powered) {
    DrawText(dc, "The simulated PC is not running.", glassArea,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE, kStatusColour);
  } else {
    const bool horizontalLock = frame.picture.horizontal.locked && frame.picture.refreshHz != 0;
    if (horizontalLock) {
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, glass.left, glass.top, glass.right, glass.bottom);
      DrawViewport(dc, frame, glass, frame.picture.vertical.locked ? 0 : roll, self);
      RestoreDC(dc, saved);
    }
    if (!frame.picture.note.empty()) {
      RECT note = glassArea;
      note.top = glass.bottom - 40;
      DrawText(dc, frame.picture.note, horizontalLock ? note : glassArea,
               DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(0xFF, 0xD0, 0x40));
    }
    RECT line{machine::kBezel, height - machine::kStatusHeight - 4, width - machine::kBezel,
              height - machine::kStatusHeight / 2 - 2};
    DrawText(dc, StatusLine(frame, false), line, DT_LEFT | DT_SINGLELINE, kStatusColour);
    OffsetRect(&line, 0, machine::kStatusHeight / 2);
    DrawText(dc, StatusLine(frame, true), line, DT_LEFT | DT_SINGLELINE, kStatusColour);
  }
  SelectObject(dc, oldFont);
}

int roll = 0;

// What the card and its driver show, to notice a change between two ticks.
struct CardSnapshot {
  std::uint8_t crtc[256];
  std::uint32_t refreshHz;
  machine::DisplayMode mode;
  std::uint32_t panLocked;
  std::uint8_t streams[0x80];  // the streams processor's registers
};

CardSnapshot Snapshot() {
  CardSnapshot snapshot{};
  if (machine::SharedState* state = machine::State()) {
    machine::StateLock lock;
    std::memcpy(snapshot.crtc, state->card.registers.crtc, sizeof(snapshot.crtc));
    snapshot.refreshHz = state->card.registers.refreshHz;
    snapshot.mode = state->display.current;
    snapshot.panLocked = state->escapes.panLocked;
    std::memcpy(snapshot.streams, machine::RegisterAperture() + 0x8180, sizeof(snapshot.streams));
  }
  return snapshot;
}

// True when the picture must be drawn again: the card changed, the content is due, or the
// picture rolls.
bool PictureDue() {
  static CardSnapshot shown{};
  static DWORD drawnAt = 0;
  const CardSnapshot now = Snapshot();
  const bool rolling = !machine::PlaceAxis(machine::DecodeTiming(now.crtc).vertical).locked;
  if (!rolling && std::memcmp(&now, &shown, sizeof(now)) == 0 &&
      GetTickCount() - drawnAt < kContentPeriodMs) {
    return false;
  }
  shown = now;
  drawnAt = GetTickCount();
  return true;
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  DrawMonitor(memory, client.right, client.bottom, ReadFrame(), roll, window);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &paint);
}

LRESULT CALLBACK MonitorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (PictureDue()) {
        roll += (kHeight - machine::kStatusHeight) / 9;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int ShowWindowed(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MonitorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "MarovaneMonitor";
  RegisterClassA(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kWidth, kHeight};
  AdjustWindowRect(&frame, style, FALSE);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "Monitor", style, work.right - width, work.top,
                      width, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  SetTimer(window, kFrameTimer, kCardPollMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const char* picture = std::strstr(commandLine, "/picture ");
  if (picture != nullptr) {
    std::string path = picture + std::strlen("/picture ");
    if (path.size() > 1 && path.front() == '"' && path.back() == '"') {
      path = path.substr(1, path.size() - 2);
    }
    const Frame frame = ReadFrame();
    return machine::SaveDrawing(
               kWidth, kHeight,
               [&](HDC dc) { DrawMonitor(dc, kWidth, kHeight, frame, 0, nullptr); }, path)
               ? 0
               : 1;
  }
  return ShowWindowed(instance);
}

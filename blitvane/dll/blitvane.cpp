// BLITVANE.DLL, "Glimmark DirectDraw Driver for S3": DriverInit writes the thirteen callbacks
// into the display driver's data block; they answer DirectDraw's hardware requests on the card's
// graphics engine, CRT controller and streams processor.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "blitvane/core/hal_logic.h"
#include "common/interop/ddhal_records.h"
#include "common/win32/program_start.h"
#include "machine/core/driver_data.h"
#include "machine/win32/directdraw.h"
#include "machine/win32/system.h"

#ifdef __GNUC__
#define BLITVANE_SHARED __attribute__((section(".shr"), shared))
#else
#pragma section(".shr", read, write, shared)
#define BLITVANE_SHARED __declspec(allocate(".shr"))
#endif

namespace {

using namespace blitvane;

// The flip tracker, the streams processor's shadow registers and the process whose surface
// shows the overlay are one for every process.
BLITVANE_SHARED FlipTracker tracker = {};
BLITVANE_SHARED std::uint32_t shadows[0x80] = {};
BLITVANE_SHARED LONG processes = 0;
BLITVANE_SHARED DWORD overlayProcess = 0;

machine::DriverData* driverData = nullptr;
// The surface that shows the overlay when this process owns it (a pointer of one process means
// nothing in another, so it is not shared).
LPDDRAWI_DDRAWSURFACE_LCL shownHere = nullptr;
std::uint8_t* registerBase = nullptr;

// The overlay records, from a heap of this library's.
HANDLE recordHeap = nullptr;
OverlayRegisterRecord* pool = nullptr;

// The hardware waits give up after this long: a card that never retraces or never leaves busy
// must not hang the application.
constexpr LONGLONG kWaitLimitMs = 100;

LONGLONG Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}
LONGLONG TicksPerSecond() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

bool InRetrace() {
  return machine::InPort(0x3DA) & 0x08;
}
std::uint16_t EngineStatus() {
  return static_cast<std::uint16_t>(machine::InPort(0x9AE8) | machine::InPort(0x9AE9) << 8);
}
bool EngineBusy() {
  return EngineStatus() & 0x0200;
}
bool FifoNotReady() {
  return EngineStatus() & 0x0800;
}

template <typename Condition>
bool WaitUntil(Condition condition) {
  const LONGLONG deadline = Now() + TicksPerSecond() * kWaitLimitMs / 1000;
  while (!condition()) {
    if (Now() > deadline) return false;
  }
  return true;
}
bool WaitForRetraceStart() {
  return WaitUntil([] { return !InRetrace(); }) && WaitUntil(InRetrace);
}
bool WaitForFifo() {
  return WaitUntil([] { return (EngineStatus() & 0xC800) == 0; });
}

void WriteRegister(std::uint32_t offset, std::uint32_t value) {
  shadows[(offset - 0x8180) / 4 % 0x80] = value;
  if (registerBase != nullptr) std::memcpy(registerBase + offset, &value, 4);
}

std::uint8_t Crtc(std::uint8_t index) {
  machine::OutPort(0x3D4, index);
  return machine::InPort(0x3D5);
}
bool StreamsProcessorOn() {
  return (Crtc(0x67) & 0x0C) == 0x0C;
}
bool StreamsInUse() {
  return driverData->capabilities & machine::kStreamsProcessorInUse;
}

// The refresh period, measured over twenty frames at real-time priority after each DriverInit.
void MeasureWhenDue() {
  if (driverData == nullptr || !driverData->remeasure) return;
  driverData->remeasure = 0;
  tracker = {};
  HANDLE process = GetCurrentProcess();
  const DWORD priority = GetPriorityClass(process);
  SetPriorityClass(process, REALTIME_PRIORITY_CLASS);
  bool measured = WaitUntil([] { return !InRetrace(); }) && WaitForRetraceStart();
  const LONGLONG start = Now();
  for (int frame = 0; measured && frame < 20; ++frame) measured = WaitForRetraceStart();
  const LONGLONG end = Now();
  SetPriorityClass(process, priority);
  // A card without a retrace: a frame of a 60 Hz display.
  tracker.period = measured ? PeriodOfTwentyFrames(static_cast<std::uint64_t>(end - start))
                            : static_cast<std::uint64_t>(TicksPerSecond() / 60);
  tracker.pending = false;
  tracker.target = 0;
  tracker.refused = 0;
}

std::uint32_t Offset(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return static_cast<std::uint32_t>(surface->lpGbl->fpVidMem - driverData->frameBufferBase);
}

std::uint32_t FlipTest(std::uint32_t surface) {
  return PendingFlipTest(tracker, InRetrace(), static_cast<std::uint64_t>(Now()), surface);
}

PixelFormat FormatOf(const DDPIXELFORMAT& format) {
  return {format.dwFlags,    format.dwFourCC,   format.dwRGBBitCount,
          format.dwRBitMask, format.dwGBitMask, format.dwBBitMask};
}
PixelFormat PrimaryFormat() {
  const machine::DriverPixelFormat& p = driverData->primaryFormat;
  return {p.flags, p.fourCC, p.bitCount, p.red, p.green, p.blue};
}
PixelFormat SurfaceFormat(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return (surface->dwFlags & DDRAWISURF_HASPIXELFORMAT) ? FormatOf(surface->lpGbl->ddpfSurface)
                                                        : PrimaryFormat();
}

OverlayRegisterRecord* RecordOf(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return reinterpret_cast<OverlayRegisterRecord*>(surface->dwReserved1);
}
// The surface's record, linked to it now if it had none.
OverlayRegisterRecord* LinkedRecord(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  if (RecordOf(surface) == nullptr) {
    OverlayRegisterRecord* record = TakeRecord(pool, [](std::size_t size) {
      return recordHeap == nullptr ? nullptr : HeapAlloc(recordHeap, HEAP_ZERO_MEMORY, size);
    });
    surface->dwReserved1 = reinterpret_cast<ULONG_PTR>(record);
  }
  return RecordOf(surface);
}

bool OwnsOverlay(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return overlayProcess == GetCurrentProcessId() && shownHere == surface;
}
// An owner that ended without giving the overlay up (killed) owns it no more.
bool OverlayOwned() {
  if (overlayProcess != 0 && overlayProcess != GetCurrentProcessId() &&
      !ProcessRunning(overlayProcess)) {
    overlayProcess = 0;
  }
  return overlayProcess != 0;
}
void GiveUpOverlay() {
  overlayProcess = 0;
  shownHere = nullptr;
}
// Whether the hardware is this surface's to program: it owns the overlay and the streams
// processor is on.
bool ProgramsOverlay(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return OwnsOverlay(surface) && StreamsProcessorOn();
}

// A rectangle inside its surface, not empty.
bool Inside(const RECTL& rect, LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return rect.left >= 0 && rect.top >= 0 && rect.right > rect.left && rect.bottom > rect.top &&
         rect.right <= surface->lpGbl->wWidth && rect.bottom <= surface->lpGbl->wHeight;
}

struct ScreenPoint {
  std::uint32_t x;
  std::uint32_t y;
};
std::uint32_t ScreenBytes() {
  return driverData->primaryFormat.bitCount / 8;
}
// Where a surface's pixel lies on the screen's grid of the engine.
ScreenPoint OnScreen(LPDDRAWI_DDRAWSURFACE_LCL surface, LONG x, LONG y, std::uint32_t scale) {
  const std::uint32_t offset = Offset(surface);
  return {offset % driverData->pitch / ScreenBytes() + static_cast<std::uint32_t>(x) * scale,
          offset / driverData->pitch + static_cast<std::uint32_t>(y)};
}
// The engine draws on surfaces that lie in the screen's rows.
bool InScreenRows(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  return surface->lpGbl->lPitch == static_cast<LONG>(driverData->pitch);
}

void Word(std::uint16_t port, std::uint32_t value) {
  machine::OutPortWord(port, static_cast<std::uint16_t>(value));
}
// A colour register as wide as the screen's pixels: at 24 and 32 bits two words, low half first.
void Colour(std::uint16_t port, std::uint32_t colour) {
  Word(port, colour);
  if (ScreenBytes() >= 3) Word(port, colour >> 16);
}

void EngineCopy(ScreenPoint from, ScreenPoint to, std::uint32_t width, std::uint32_t height,
                bool backwards) {
  if (backwards) {
    from = {from.x + width - 1, from.y + height - 1};
    to = {to.x + width - 1, to.y + height - 1};
  }
  Word(0x86E8, from.x);
  Word(0x82E8, from.y);
  Word(0x8EE8, to.x);
  Word(0x8AE8, to.y);
  Word(0x96E8, width - 1);
  Word(0xBEE8, height - 1);
  Word(0x9AE8, 0xC053 | (backwards ? 0 : 0xA0));
}

void SourceCopy(ScreenPoint from, ScreenPoint to, std::uint32_t width, std::uint32_t height,
                bool backwards) {
  Word(0xBEE8, 0xE000);
  Word(0xBAE8, 0x67);
  EngineCopy(from, to, width, height, backwards);
  Word(0xBEE8, 0xA000);
  Word(0xBEE8, 0xE200);
}

// A copy that skips the source's pixels of the key colour, then an empty blit that resets the
// engine's compare.
void KeyedCopy(ScreenPoint from, ScreenPoint to, std::uint32_t width, std::uint32_t height,
               bool backwards, std::uint32_t key) {
  Word(0xBEE8, 0xE100);
  Colour(0xB2E8, key);
  Word(0xBAE8, 0x67);
  EngineCopy(from, to, width, height, backwards);
  Word(0xBEE8, 0xE200);
  Word(0xBEE8, 0xA000);
  EngineCopy(to, to, 1, 1, false);
}

void EngineFill(ScreenPoint at, std::uint32_t width, std::uint32_t height, std::uint32_t colour) {
  Word(0xBEE8, 0xE000);
  Word(0xBAE8, 0x27);
  Colour(0xA6E8, colour);
  Word(0xBEE8, 0xA000);
  Word(0x86E8, at.x);
  Word(0x82E8, at.y);
  Word(0x96E8, width - 1);
  Word(0xBEE8, height - 1);
  Word(0x9AE8, 0x40B3);
  Word(0xBAE8, 0x27);
  Word(0xBEE8, 0xE200);
}

// A fill of a surface deeper than the screen, `width` screen pixels wide: each screen pixel of
// its first pixel down the rectangle, then those repeated across it, doubling.
void FillDeeper(ScreenPoint at, std::uint32_t width, std::uint32_t height,
                const std::vector<std::uint32_t>& pixels) {
  const auto count = static_cast<std::uint32_t>(pixels.size());
  for (std::uint32_t i = 0; i < count; ++i) {
    WaitForFifo();
    EngineFill({at.x + i, at.y}, 1, height, pixels[i]);
  }
  for (std::uint32_t done = count; done < width;) {
    const std::uint32_t more = std::min(done, width - done);
    WaitForFifo();
    SourceCopy(at, {at.x + done, at.y}, more, height, false);
    done += more;
  }
}

DWORD PASCAL Blt(LPDDHAL_BLTDATA request) {
  MeasureWhenDue();
  LPDDRAWI_DDRAWSURFACE_LCL destination = request->lpDDDestSurface;
  const PixelFormat format = SurfaceFormat(destination);
  if (IsYuv(format)) {
    request->ddRVal = kUnsupported;
    return kNotHandled;
  }
  LPDDRAWI_DDRAWSURFACE_LCL source = request->lpDDSrcSurface;
  // Below 8 bits a pixel, in a depth that is not whole screen pixels, between two depths, or off
  // the screen's rows, the engine cannot draw: DirectDraw does.
  request->ddRVal = kOk;
  if (ScreenPixelsPerPixel(format.bitCount / 8, ScreenBytes()) == 0 || !InScreenRows(destination) ||
      (source != nullptr &&
       (!InScreenRows(source) || SurfaceFormat(source).bitCount != format.bitCount))) {
    return kNotHandled;
  }
  if ((request->ddRVal = FlipTest(Offset(destination))) != kOk) return kHandled;
  if ((request->dwFlags & DDBLT_ASYNC) && FifoNotReady()) {
    request->ddRVal = kWasStillDrawing;
    return kHandled;
  }
  const bool fill = request->dwFlags & DDBLT_COLORFILL;
  const bool rop = request->dwFlags & DDBLT_ROP;
  if (!fill && !rop) return kNotHandled;
  if (!Inside(request->rDest, destination) ||
      (rop && source != nullptr && !Inside(request->rSrc, source))) {
    request->ddRVal = DDERR_INVALIDRECT;
    return kHandled;
  }
  // A surface of another depth than the screen's is drawn as that many screen pixels.
  const std::uint32_t screenBytes = ScreenBytes();
  const std::uint32_t surfaceBytes = format.bitCount / 8;
  const std::uint32_t scale = ScreenPixelsPerPixel(surfaceBytes, screenBytes);
  const std::uint32_t width =
      static_cast<std::uint32_t>(request->rDest.right - request->rDest.left) * scale;
  const std::uint32_t height =
      static_cast<std::uint32_t>(request->rDest.bottom - request->rDest.top);
  const ScreenPoint to = OnScreen(destination, request->rDest.left, request->rDest.top, scale);
  if (!WaitForFifo()) {
    request->ddRVal = kWasStillDrawing;
    return kHandled;
  }
  if (fill) {
    const std::vector<std::uint32_t> pixels =
        ScreenPixelsOf(request->bltFX.dwFillColor, surfaceBytes, screenBytes);
    if (pixels.size() > 1) {
      FillDeeper(to, width, height, pixels);
    } else {
      EngineFill(to, width, height, request->bltFX.dwFillColor);
    }
    return kHandled;
  }
  // Other raster operations are taken as done without drawing.
  if (((request->bltFX.dwROP >> 16) & 0xFF) != 0xCC || source == nullptr) return kHandled;
  const ScreenPoint from = OnScreen(source, request->rSrc.left, request->rSrc.top, scale);
  const bool backwards =
      source->lpGbl == destination->lpGbl &&
      CopiesBackwards(
          {request->rSrc.left, request->rSrc.top, request->rSrc.right, request->rSrc.bottom},
          {request->rDest.left, request->rDest.top, request->rDest.right, request->rDest.bottom});
  if (request->dwFlags & DDBLT_KEYSRCOVERRIDE) {
    KeyedCopy(from, to, width, height, backwards,
              request->bltFX.ddckSrcColorkey.dwColorSpaceLowValue);
  } else {
    SourceCopy(from, to, width, height, backwards);
  }
  return kHandled;
}

DWORD PASCAL Flip(LPDDHAL_FLIPDATA request) {
  MeasureWhenDue();
  if (FlipTest(0) != kOk || EngineBusy()) {
    request->ddRVal = kWasStillDrawing;
    return kHandled;
  }
  LPDDRAWI_DDRAWSURFACE_LCL target = request->lpSurfTarg;
  const std::uint32_t start = Offset(target);
  if (InRetrace()) {
    ++tracker.refused;
    request->ddRVal = kWasStillDrawing;
    return kHandled;
  }
  if (!StreamsInUse()) {
    // The extended registers are reached with the chip's keys.
    const std::uint8_t lock1 = Crtc(0x38), lock2 = Crtc(0x39);
    machine::OutPortWord(0x3D4, 0x4838);
    machine::OutPortWord(0x3D4, 0xA539);
    for (const auto& [index, value] :
         StartAddressWrites(start, driverData->chipId, Crtc(0x31), Crtc(0x51), Crtc(0x69))) {
      machine::OutPortWord(0x3D4, static_cast<WORD>(index | value << 8));
    }
    machine::OutPortWord(0x3D4, static_cast<WORD>(0x38 | lock1 << 8));
    machine::OutPortWord(0x3D4, static_cast<WORD>(0x39 | lock2 << 8));
  } else if (StreamsProcessorOn()) {
    if (target->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
      WriteRegister(0x81C0, start);
    } else if ((target->ddsCaps.dwCaps & DDSCAPS_OVERLAY) && RecordOf(target) != nullptr &&
               OwnsOverlay(target)) {
      WriteRegister(0x81D0, start + RecordOf(target)->values[kRecordSourceOffset]);
    }
  }
  RecordFlip(tracker, start, static_cast<std::uint64_t>(Now()));
  request->ddRVal = kOk;
  return kHandled;
}

DWORD PASCAL Lock(LPDDHAL_LOCKDATA request) {
  MeasureWhenDue();
  if (FlipTest(Offset(request->lpDDSurface)) != kOk || EngineBusy()) {
    request->ddRVal = kWasStillDrawing;
    return kHandled;
  }
  return kNotHandled;
}

DWORD PASCAL Declines(void*) {
  return kNotHandled;
}

DWORD PASCAL GetBltStatus(DDHAL_GETBLTSTATUSDATA* request) {
  MeasureWhenDue();
  request->ddRVal = kOk;
  if (request->dwFlags & DDGBS_ISBLTDONE) {
    if (EngineBusy()) request->ddRVal = kWasStillDrawing;
  } else if (FlipTest(Offset(request->lpDDSurface)) != kOk || FifoNotReady()) {
    request->ddRVal = kWasStillDrawing;
  }
  return kHandled;
}

DWORD PASCAL GetFlipStatus(DDHAL_GETFLIPSTATUSDATA* request) {
  MeasureWhenDue();
  request->ddRVal = FlipTest(0);
  if ((request->dwFlags & DDGFS_CANFLIP) && EngineBusy()) request->ddRVal = kWasStillDrawing;
  return kHandled;
}

DWORD PASCAL WaitForVerticalBlank(DDHAL_WAITFORVERTICALBLANKDATA* request) {
  bool waited = true;
  switch (request->dwFlags) {
    case DDWAITVB_BLOCKBEGIN:
      waited = WaitForRetraceStart();
      break;
    case DDWAITVB_BLOCKEND:
      waited = (InRetrace() || WaitUntil(InRetrace)) && WaitUntil([] { return !InRetrace(); });
      break;
    case DDWAITVB_I_TESTVB:
      request->bIsInVB = InRetrace();
      break;
    default:
      return kNotHandled;
  }
  // A card that shows no retrace answers that the wait could not be done.
  request->ddRVal = waited ? kOk : kWasStillDrawing;
  return kHandled;
}

DWORD PASCAL CanCreate(LPDDHAL_CANCREATESURFACEDATA request) {
  DDSURFACEDESC* description = request->lpDDSurfaceDesc;
  request->ddRVal = kOk;
  if (!request->bIsDifferentPixelFormat) return kHandled;
  DDPIXELFORMAT& format = description->ddpfPixelFormat;
  request->ddRVal = blitvane::CanCreateSurface(description->ddsCaps.dwCaps, FormatOf(format),
                                               PrimaryFormat(), StreamsInUse());
  if (request->ddRVal == kOk && IsYuv(FormatOf(format))) {
    format.dwYUVBitCount = format.dwFourCC == kY211 ? 8 : 16;
  }
  return kHandled;
}

DWORD PASCAL CreateSurface(LPDDHAL_CREATESURFACEDATA request) {
  request->ddRVal = kOk;
  if (!StreamsInUse()) return kNotHandled;
  DDSURFACEDESC* description = request->lpDDSurfaceDesc;
  const bool ownFormat = description->dwFlags & DDSD_PIXELFORMAT;
  const PixelFormat format = FormatOf(description->ddpfPixelFormat);
  if (ownFormat && (format.flags & kFourCC) && request->dwSCnt > 1) {
    request->ddRVal = kUnsupported;
    return kHandled;
  }
  for (DWORD i = 0; i < request->dwSCnt; ++i) {
    LPDDRAWI_DDRAWSURFACE_GBL surface = request->lplpSList[i]->lpGbl;
    const SurfaceBlock block =
        BlockFor(ownFormat ? &format : nullptr, surface->wWidth, surface->wHeight,
                 driverData->pitch, driverData->primaryFormat.bitCount);
    surface->lPitch = static_cast<LONG>(block.pitch);
    surface->dwBlockSizeX = block.blockWidth;
    surface->dwBlockSizeY = block.blockHeight;
    surface->fpVidMem = 2;  // please allocate a block of that size
    description->lPitch = static_cast<LONG>(block.pitch);
    description->dwFlags |= DDSD_PITCH;
  }
  return kNotHandled;
}

DWORD PASCAL DestroySurface(LPDDHAL_DESTROYSURFACEDATA request) {
  if (OverlayRegisterRecord* record = RecordOf(request->lpDDSurface)) ReleaseRecord(*record);
  if (OwnsOverlay(request->lpDDSurface)) GiveUpOverlay();
  request->lpDDSurface->dwReserved1 = 0;
  request->ddRVal = kOk;
  return kNotHandled;
}

std::uint32_t PaletteEntry(std::uint8_t index) {
  machine::OutPort(0x3C7, index);
  const std::uint32_t red = machine::InPort(0x3C9) * 4u;
  const std::uint32_t green = machine::InPort(0x3C9) * 4u;
  const std::uint32_t blue = machine::InPort(0x3C9) * 4u;
  return red << 16 | green << 8 | blue;
}

DWORD PASCAL SetColorKey(DDHAL_SETCOLORKEYDATA* request) {
  request->ddRVal = kOk;
  if (request->dwFlags & DDCKEY_SRCBLT) return kHandled;
  std::uint32_t mode = 0;
  if (request->dwFlags & DDCKEY_SRCOVERLAY) {
    mode = kSourceKeyMode;
  } else if (request->dwFlags & DDCKEY_DESTOVERLAY) {
    mode = kDestinationKeyMode;
  } else {
    request->ddRVal = kUnsupported;
    return kHandled;
  }
  LPDDRAWI_DDRAWSURFACE_LCL surface = request->lpDDSurface;
  const ColourKey key =
      ConvertColourKey(SurfaceFormat(surface), request->ckNew.dwColorSpaceLowValue,
                       request->ckNew.dwColorSpaceHighValue, PaletteEntry);
  if ((request->ddRVal = key.error) != kOk) return kHandled;
  if (OverlayRegisterRecord* record = RecordOf(surface)) {
    record->values[kRecordKeyLow] = key.low;
    record->values[kRecordKeyHigh] = key.high;
    record->values[kRecordKeyMode] = mode;
  }
  if (ProgramsOverlay(surface) && WaitUntil(InRetrace)) {
    WriteRegister(0x8184, key.low);
    WriteRegister(0x8194, key.high);
  }
  return kHandled;
}

DWORD PASCAL SetOverlayPosition(DDHAL_SETOVERLAYPOSITIONDATA* request) {
  LPDDRAWI_DDRAWSURFACE_LCL surface = request->lpDDSrcSurface;
  const std::uint32_t start = WindowStart(request->lXPos, request->lYPos);
  if (OverlayRegisterRecord* record = RecordOf(surface)) {
    record->values[kRecordWindowStart] = start;
  }
  if (ProgramsOverlay(surface) && WaitUntil(InRetrace)) WriteRegister(0x81F8, start);
  request->ddRVal = kOk;
  return kHandled;
}

// The primary over the secondary, in a small window from its first buffer.
void HideOverlay(LPDDRAWI_DDRAWSURFACE_LCL surface) {
  if (!OwnsOverlay(surface)) return;
  GiveUpOverlay();
  if (StreamsProcessorOn() && WaitUntil(InRetrace)) {
    WriteRegister(0x81A0, 0x01000000);
    WriteRegister(0x81FC, 0x00090002);
    WriteRegister(0x81DC, 0);
  }
}

// The key an overlay request names, converted; false with the request's result set when it
// cannot be used.
bool RequestedKey(LPDDHAL_UPDATEOVERLAYDATA request, const OverlayKey& choice, ColourKey* key) {
  LPDDRAWI_DDRAWSURFACE_LCL source = request->lpDDSrcSurface;
  LPDDRAWI_DDRAWSURFACE_LCL destination = request->lpDDDestSurface;
  DDCOLORKEY given{};
  switch (choice.origin) {
    case KeyOrigin::None:
      return true;
    case KeyOrigin::RequestDestination:
      given = request->overlayFX.dckDestColorkey;
      break;
    case KeyOrigin::DestinationSurface:
      given = destination->ddckCKDestOverlay;
      break;
    case KeyOrigin::RequestSource:
      given = request->overlayFX.dckSrcColorkey;
      break;
    case KeyOrigin::SourceSurface:
      given = source->ddckCKSrcOverlay;
      break;
  }
  const bool destinationKey = choice.mode == kDestinationKeyMode;
  // The streams processor compares the primary with one colour.
  if (destinationKey &&
      (given.dwColorSpaceLowValue & 0xFFFFFF) != (given.dwColorSpaceHighValue & 0xFFFFFF)) {
    request->ddRVal = kGeneric;
    return false;
  }
  *key = ConvertColourKey(SurfaceFormat(destinationKey ? destination : source),
                          given.dwColorSpaceLowValue, given.dwColorSpaceHighValue, PaletteEntry);
  request->ddRVal = key->error;
  return key->error == kOk;
}

// The streams processor's values for the request, in a record's layout; false with the
// request's result set when it cannot be shown.
bool OverlayValues(LPDDHAL_UPDATEOVERLAYDATA request, std::uint32_t (&values)[16]) {
  LPDDRAWI_DDRAWSURFACE_LCL source = request->lpDDSrcSurface;
  const RECTL& from = request->rSrc;
  const RECTL& to = request->rDest;
  const auto sourceWidth = static_cast<std::uint32_t>(from.right - from.left);
  const auto sourceHeight = static_cast<std::uint32_t>(from.bottom - from.top);
  const auto width = static_cast<std::uint32_t>(to.right - to.left);
  const auto height = static_cast<std::uint32_t>(to.bottom - to.top);
  const PixelFormat format = SurfaceFormat(source);
  const auto control = SecondaryStreamControl(format, sourceWidth, sourceHeight, width, height);
  if (!control) {
    request->ddRVal = kUnsupported;
    return false;
  }
  const OverlayKey choice = OverlayKeyOf(request->dwFlags);
  ColourKey key{};
  if (!RequestedKey(request, choice, &key)) return false;
  const std::uint32_t bytesPerPixel = format.bitCount / 8 ? format.bitCount / 8 : 1;
  const auto pitch = static_cast<std::uint32_t>(source->lpGbl->lPitch);
  values[kRecordSourceOffset] = SourceOffset(bytesPerPixel, static_cast<std::uint32_t>(from.left),
                                             static_cast<std::uint32_t>(from.top), pitch);
  values[kRecordAddress] = Offset(source) + values[kRecordSourceOffset];
  values[kRecordControl] = *control;
  values[kRecordWindowStart] = WindowStart(to.left, to.top);
  values[kRecordWindowSize] = (width - 1) << 16 | height;
  values[kRecordStride] = pitch;
  const OverlayZoom zoom = ZoomFor(sourceWidth, sourceHeight, width, height);
  values[kRecordStretch] = zoom.stretch;
  values[kRecordVerticalK1] = zoom.verticalK1;
  values[kRecordVerticalK2] = zoom.verticalK2;
  values[kRecordVerticalInitial] = zoom.verticalInitial;
  const int table = (source->ddsCaps.dwCaps & DDSCAPS_LIVEVIDEO) ? 2
                    : (source->ddsCaps.dwCaps & DDSCAPS_HWCODEC) ? 0
                                                                 : 1;
  values[kRecordFifo] = FifoSetting(driverData->fifoTables, table, width);
  if (choice.origin != KeyOrigin::None) {
    values[kRecordKeyLow] = key.low;
    values[kRecordKeyHigh] = key.high;
  }
  values[kRecordKeyMode] = choice.mode;
  return true;
}

void WriteOverlay(const std::uint32_t (&values)[16], bool keyed) {
  WriteRegister(0x81D0, values[kRecordAddress]);
  WriteRegister(0x81DC, 0);
  WriteRegister(0x81F8, values[kRecordWindowStart]);
  WriteRegister(0x81FC, values[kRecordWindowSize]);
  WriteRegister(0x81D8, values[kRecordStride]);
  WriteRegister(0x8190, values[kRecordControl]);
  WriteRegister(0x8198, values[kRecordStretch]);
  WriteRegister(0x81E0, values[kRecordVerticalK1]);
  WriteRegister(0x81E4, values[kRecordVerticalK2]);
  WriteRegister(0x81E8, values[kRecordVerticalInitial]);
  if (keyed) {
    WriteRegister(0x8184, values[kRecordKeyLow]);
    WriteRegister(0x8194, values[kRecordKeyHigh]);
  }
  // The compose mode is the key's: secondary over primary without one.
  WriteRegister(0x81A0, values[kRecordKeyMode]);
  WriteRegister(0x81EC, values[kRecordFifo]);
}

DWORD PASCAL UpdateOverlay(LPDDHAL_UPDATEOVERLAYDATA request) {
  constexpr DWORD kKeys = 0x3C00, kAlpha = 0x63;
  if ((request->dwFlags & kKeys) && (request->dwFlags & kAlpha)) {
    request->ddRVal = kUnsupported;
    return kHandled;
  }
  LPDDRAWI_DDRAWSURFACE_LCL source = request->lpDDSrcSurface;
  OverlayRegisterRecord* record = LinkedRecord(source);
  if (record == nullptr) {
    request->ddRVal = kOutOfMemory;
    return kHandled;
  }
  request->ddRVal = kOk;
  if (request->dwFlags & DDOVER_HIDE) {
    HideOverlay(source);
    return kHandled;
  }
  // Everything is checked before anything changes.
  const bool show = request->dwFlags & DDOVER_SHOW;
  const bool takesOver = show && OverlayOwned() && !OwnsOverlay(source);
  if (takesOver && !(source->ddsCaps.dwCaps & (DDSCAPS_LIVEVIDEO | DDSCAPS_HWCODEC))) {
    request->ddRVal = kOverlayTaken;
    return kHandled;
  }
  std::uint32_t values[16];
  std::memcpy(values, record->values, sizeof(values));
  if (!OverlayValues(request, values)) return kHandled;
  std::memcpy(record->values, values, sizeof(values));
  // The surface it takes over, if this process's, is no longer shown.
  if (takesOver && overlayProcess == GetCurrentProcessId() && shownHere != nullptr) {
    shownHere->ddsCaps.dwCaps &= ~DDSCAPS_VISIBLE;
  }
  if (show) {
    overlayProcess = GetCurrentProcessId();
    shownHere = source;
  }
  if (!ProgramsOverlay(source)) return kHandled;
  if (!WaitUntil([] { return !EngineBusy(); }) || !WaitUntil(InRetrace)) {
    request->ddRVal = kWasStillDrawing;
    return kHandled;
  }
  WriteOverlay(values, OverlayKeyOf(request->dwFlags).origin != KeyOrigin::None);
  return kHandled;
}

template <typename Function>
std::uint64_t Address(Function function) {
  return reinterpret_cast<std::uint64_t>(reinterpret_cast<void*>(function));
}

}  // namespace

extern "C" __declspec(dllexport) std::uintptr_t WINAPI DriverInit(DWORD driverData16) {
  if (driverData16 != 0) {
    driverData = static_cast<machine::DriverData*>(machine::MapSLFix(driverData16));
    if (driverData != nullptr) {
      registerBase =
          static_cast<std::uint8_t*>(machine::MapSLFix((driverData->selector & 0xFFFF) << 16));
      const std::uint64_t callbacks[machine::kDriverCallbackCount] = {Address(Blt),
                                                                      Address(Flip),
                                                                      Address(Lock),
                                                                      Address(Declines),
                                                                      Address(GetBltStatus),
                                                                      Address(GetFlipStatus),
                                                                      Address(SetColorKey),
                                                                      Address(UpdateOverlay),
                                                                      Address(SetOverlayPosition),
                                                                      Address(DestroySurface),
                                                                      Address(WaitForVerticalBlank),
                                                                      Address(CanCreate),
                                                                      Address(CreateSurface)};
      std::memcpy(driverData->callbacks, callbacks, sizeof(callbacks));
    }
  }
  if (driverData != nullptr) driverData->remeasure = 1;
  return reinterpret_cast<std::uintptr_t>(driverData);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    InterlockedIncrement(&processes);
    recordHeap = HeapCreate(0, 1024, 0);
  } else if (reason == DLL_PROCESS_DETACH) {
    InterlockedDecrement(&processes);
    // A process that ends gives up the overlay with its surfaces.
    if (overlayProcess == GetCurrentProcessId()) GiveUpOverlay();
    if (recordHeap != nullptr) HeapDestroy(recordHeap);
    recordHeap = nullptr;
    pool = nullptr;
  }
  return TRUE;
}

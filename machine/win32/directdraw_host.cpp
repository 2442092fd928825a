#include "machine/win32/directdraw_host.h"

#include "common/interop/ddhal_records.h"
#include "machine/win32/directdraw.h"

namespace machine {
DirectDrawHost::~DirectDrawHost() {
  if (driver_ != nullptr) FreeLibrary(driver_);
}

bool DirectDrawHost::Load(const std::string& path) {
  driver_ = LoadLibraryA(path.c_str());
  if (driver_ == nullptr) return false;
  driverInit_ = reinterpret_cast<std::uintptr_t(WINAPI*)(DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(driver_, "DriverInit")));
  if (driverInit_ == nullptr) return false;
  Reinitialise();
  return data_ != nullptr;
}

void DirectDrawHost::Reinitialise() {
  data_ = reinterpret_cast<DriverData*>(driverInit_(PrepareDriverData()));
}

HostSurface* DirectDrawHost::Surface(std::uint32_t offset, WORD width, WORD height,
                                     DWORD capabilities, LONG pitch) {
  auto surface = std::make_unique<HostSurface>();
  surface->local.lpGbl = &surface->global;
  surface->local.ddsCaps.dwCaps = capabilities;
  surface->global.fpVidMem = static_cast<FLATPTR>(data_->frameBufferBase + offset);
  surface->global.wWidth = width;
  surface->global.wHeight = height;
  surface->global.lPitch = pitch != 0 ? pitch : static_cast<LONG>(data_->pitch);
  surfaces_.push_back(std::move(surface));
  return surfaces_.back().get();
}

template <typename Record>
DWORD DirectDrawHost::Call(DriverCallback slot, Record* request) {
  auto callback = reinterpret_cast<DWORD(PASCAL*)(Record*)>(
      static_cast<std::uintptr_t>(data_->callbacks[slot]));
  return callback(request);
}

HRESULT DirectDrawHost::Fill(HostSurface* destination, RECTL area, DWORD colour, bool* handled) {
  DDHAL_BLTDATA request{};
  request.lpDDDestSurface = &destination->local;
  request.rDest = area;
  request.dwFlags = DDBLT_COLORFILL | DDBLT_WAIT;
  request.bltFX.dwSize = sizeof(request.bltFX);
  request.bltFX.dwFillColor = colour;
  const DWORD taken = Call(kBlt, &request);
  if (handled != nullptr) *handled = taken != 0;
  return request.ddRVal;
}

HRESULT DirectDrawHost::Copy(HostSurface* source, RECTL from, HostSurface* destination, RECTL to,
                             const DWORD* sourceKey, bool* handled, DWORD rop) {
  DDHAL_BLTDATA request{};
  request.lpDDDestSurface = &destination->local;
  request.rDest = to;
  request.lpDDSrcSurface = &source->local;
  request.rSrc = from;
  request.dwFlags = DDBLT_ROP | DDBLT_WAIT | (sourceKey != nullptr ? DDBLT_KEYSRCOVERRIDE : 0);
  request.bltFX.dwSize = sizeof(request.bltFX);
  request.bltFX.dwROP = rop;
  if (sourceKey != nullptr) {
    request.bltFX.ddckSrcColorkey.dwColorSpaceLowValue = *sourceKey;
    request.bltFX.ddckSrcColorkey.dwColorSpaceHighValue = *sourceKey;
  }
  const DWORD taken = Call(kBlt, &request);
  if (handled != nullptr) *handled = taken != 0;
  return request.ddRVal;
}

HRESULT DirectDrawHost::Flip(HostSurface* current, HostSurface* target) {
  DDHAL_FLIPDATA request{};
  request.lpSurfCurr = &current->local;
  request.lpSurfTarg = &target->local;
  Call(kFlip, &request);
  return request.ddRVal;
}

HRESULT DirectDrawHost::Lock(HostSurface* surface, bool* handled) {
  DDHAL_LOCKDATA request{};
  request.lpDDSurface = &surface->local;
  *handled = Call(kLock, &request) != 0;
  return request.ddRVal;
}

HRESULT DirectDrawHost::GetBltStatus(HostSurface* surface, DWORD flags) {
  DDHAL_GETBLTSTATUSDATA request{nullptr, &surface->local, flags, 0, nullptr};
  Call(kGetBltStatus, &request);
  return request.ddRVal;
}

HRESULT DirectDrawHost::GetFlipStatus(HostSurface* surface, DWORD flags) {
  DDHAL_GETFLIPSTATUSDATA request{nullptr, &surface->local, flags, 0, nullptr};
  Call(kGetFlipStatus, &request);
  return request.ddRVal;
}

HRESULT DirectDrawHost::WaitForVerticalBlank(DWORD flags, bool* inRetrace, bool* handled) {
  DDHAL_WAITFORVERTICALBLANKDATA request{nullptr, flags, 0, 0, 0, nullptr};
  const DWORD taken = Call(kWaitForVerticalBlank, &request);
  if (inRetrace != nullptr) *inRetrace = request.bIsInVB != 0;
  if (handled != nullptr) *handled = taken != 0;
  return request.ddRVal;
}

HRESULT DirectDrawHost::SetOverlayPosition(HostSurface* overlay, LONG x, LONG y) {
  DDHAL_SETOVERLAYPOSITIONDATA request{nullptr, &overlay->local, nullptr, x, y, 0, nullptr};
  Call(kSetOverlayPosition, &request);
  return request.ddRVal;
}

HRESULT DirectDrawHost::UpdateOverlay(HostSurface* overlay, RECTL from, HostSurface* primary,
                                      RECTL to, DWORD flags, const DDOVERLAYFX* effects) {
  DDHAL_UPDATEOVERLAYDATA request{};
  request.lpDDSrcSurface = &overlay->local;
  request.rSrc = from;
  request.lpDDDestSurface = &primary->local;
  request.rDest = to;
  request.dwFlags = flags;
  if (effects != nullptr) request.overlayFX = *effects;
  Call(kUpdateOverlay, &request);
  return request.ddRVal;
}

HRESULT DirectDrawHost::DestroySurface(HostSurface* surface, bool* handled) {
  DDHAL_DESTROYSURFACEDATA request{};
  request.lpDDSurface = &surface->local;
  *handled = Call(kDestroySurface, &request) != 0;
  return request.ddRVal;
}

}  // namespace machine

#pragma once
// DirectDraw's part on the simulated PC: loads the card's DirectDraw driver, hands it the
// display driver's data block through DriverInit, and issues its hardware requests with
// DirectDraw's own records, on surfaces in the card's video memory.

#include <windows.h>

#include <ddraw.h>
#include <ddrawi.h>

#include <memory>
#include <string>
#include <vector>

#include "machine/core/driver_data.h"

namespace machine {

// A surface as DirectDraw describes it to a driver: its local and global records.
struct HostSurface {
  DDRAWI_DDRAWSURFACE_LCL local{};
  DDRAWI_DDRAWSURFACE_GBL global{};
};

class DirectDrawHost {
 public:
  DirectDrawHost() = default;
  ~DirectDrawHost();
  DirectDrawHost(const DirectDrawHost&) = delete;
  DirectDrawHost& operator=(const DirectDrawHost&) = delete;

  // Loads the driver and calls DriverInit; false when either fails.
  bool Load(const std::string& path);
  // DriverInit again, as after a mode change.
  void Reinitialise();
  DriverData& Data() const { return *data_; }

  // A surface at `offset` bytes into video memory, `width` x `height` pixels, with the screen's
  // pitch unless given; `capabilities` as DDSCAPS_.
  HostSurface* Surface(std::uint32_t offset, WORD width, WORD height, DWORD capabilities,
                       LONG pitch = 0);

  // Each request: the driver's result code; `handled` tells whether it took the request.
  HRESULT Fill(HostSurface* destination, RECTL area, DWORD colour, bool* handled = nullptr);
  HRESULT Copy(HostSurface* source, RECTL from, HostSurface* destination, RECTL to,
               const DWORD* sourceKey = nullptr, bool* handled = nullptr, DWORD rop = SRCCOPY);
  HRESULT Flip(HostSurface* current, HostSurface* target);
  HRESULT Lock(HostSurface* surface, bool* handled);
  HRESULT GetBltStatus(HostSurface* surface, DWORD flags);
  HRESULT GetFlipStatus(HostSurface* surface, DWORD flags);
  HRESULT WaitForVerticalBlank(DWORD flags, bool* inRetrace = nullptr, bool* handled = nullptr);
  HRESULT SetOverlayPosition(HostSurface* overlay, LONG x, LONG y);
  HRESULT UpdateOverlay(HostSurface* overlay, RECTL from, HostSurface* primary, RECTL to,
                        DWORD flags, const DDOVERLAYFX* effects = nullptr);
  HRESULT DestroySurface(HostSurface* surface, bool* handled);

 private:
  template <typename Record>
  DWORD Call(DriverCallback slot, Record* request);

  HMODULE driver_ = nullptr;
  std::uintptr_t(WINAPI* driverInit_)(DWORD) = nullptr;
  DriverData* data_ = nullptr;
  std::vector<std::unique_ptr<HostSurface>> surfaces_;
};

}  // namespace machine

#pragma once
// The request records of DirectDraw's hardware interface that mingw-w64's ddrawi.h names but
// does not define, as the DirectDraw driver documentation lays them out: what DirectDraw (the
// simulated PC's host) and the card's DirectDraw driver pass between them.

#include <windows.h>

#include <ddraw.h>
#include <ddrawi.h>

typedef struct _DDHAL_GETBLTSTATUSDATA {
  LPDDRAWI_DIRECTDRAW_GBL lpDD;
  LPDDRAWI_DDRAWSURFACE_LCL lpDDSurface;
  DWORD dwFlags;
  HRESULT ddRVal;
  LPVOID GetBltStatus;
} DDHAL_GETBLTSTATUSDATA;

typedef struct _DDHAL_GETFLIPSTATUSDATA {
  LPDDRAWI_DIRECTDRAW_GBL lpDD;
  LPDDRAWI_DDRAWSURFACE_LCL lpDDSurface;
  DWORD dwFlags;
  HRESULT ddRVal;
  LPVOID GetFlipStatus;
} DDHAL_GETFLIPSTATUSDATA;

typedef struct _DDHAL_SETCOLORKEYDATA {
  LPDDRAWI_DIRECTDRAW_GBL lpDD;
  LPDDRAWI_DDRAWSURFACE_LCL lpDDSurface;
  DWORD dwFlags;
  DDCOLORKEY ckNew;
  HRESULT ddRVal;
  LPVOID SetColorKey;
} DDHAL_SETCOLORKEYDATA;

typedef struct _DDHAL_SETOVERLAYPOSITIONDATA {
  LPDDRAWI_DIRECTDRAW_GBL lpDD;
  LPDDRAWI_DDRAWSURFACE_LCL lpDDSrcSurface;
  LPDDRAWI_DDRAWSURFACE_LCL lpDDDestSurface;
  LONG lXPos;
  LONG lYPos;
  HRESULT ddRVal;
  LPVOID SetOverlayPosition;
} DDHAL_SETOVERLAYPOSITIONDATA;

typedef struct _DDHAL_WAITFORVERTICALBLANKDATA {
  LPDDRAWI_DIRECTDRAW_GBL lpDD;
  DWORD dwFlags;
  DWORD bIsInVB;
  ULONG_PTR hEvent;
  HRESULT ddRVal;
  LPVOID WaitForVerticalBlank;
} DDHAL_WAITFORVERTICALBLANKDATA;

// WaitForVerticalBlank's test of the retrace.
inline constexpr DWORD DDWAITVB_I_TESTVB = 0x80000006;

// The callbacks' signatures: a request record in, handled (1) or not (0) out.
using HalCallback = DWORD(PASCAL*)(void* request);
inline constexpr DWORD kHandled = DDHAL_DRIVER_HANDLED;
inline constexpr DWORD kNotHandled = DDHAL_DRIVER_NOTHANDLED;

#pragma once
// The simulated PC's own controls, which no Windows 95 program has: its shared state, boot and
// restart, and what the display driver does behind the programs (the desktop's size, panning).

#include <windows.h>

#include <cstdint>
#include <string>

#include "machine/core/shared_state.h"

namespace machine {

// The state every process of this PC shares, mapped on first use (and booted then if it never
// was). nullptr only when the mapping cannot be made; every function below then fails.
SharedState* State();
// The card's video memory, kFrameBufferSize bytes beside the state; nullptr without a state.
std::uint8_t* FrameBuffer();
// The memory-mapped registers (the streams processor's at 0x8180-0x81FF); nullptr without a
// state.
std::uint8_t* RegisterAperture();

// Holds the machine's lock for a read-modify-write of the state; bounded, so a process that
// died holding it cannot hang the others.
class StateLock {
 public:
  StateLock();
  ~StateLock();
  StateLock(const StateLock&) = delete;
  StateLock& operator=(const StateLock&) = delete;

 private:
  HANDLE mutex_;
};

// Reads C:\windows\machine.ini, starts the state afresh and seeds the Windows 95 registry
// (HKEY_DYN_DATA is empty after every start of the wineserver, as after every boot).
void Boot();

// What the restart program asks for: the simulated PC restarts (see machine::Restart).
void Restart();

// The folder the state file and machine.ini live in (the Windows folder).
std::string WindowsFolder();

// The `Refresh` code that system.ini holds for a mode of this width: that of the viewport's
// width when `ScreenResolution` names a smaller viewport (-1 "Auto" without one).
int RefreshCodeFor(std::uint32_t width);

// The Wine desktop shows the card's whole desktop area: a mode that takes effect resizes it,
// and every top-level window hears of it (WM_DISPLAYCHANGE). Only the size: the desktop keeps
// its own colour depth.
void ShowOnDesktop(const DisplayMode& mode);
// Pans the card: the viewport's top-left corner to (x, y) of the desktop, in the start address
// registers of the current mode.
void PanViewport(std::uint32_t x, std::uint32_t y);
// The viewport follows the pointer at `cursor` when the `ScreenResolution` viewport is smaller
// than the desktop, unless the pan lock is set.
void FollowPointer(POINT cursor);

}  // namespace machine

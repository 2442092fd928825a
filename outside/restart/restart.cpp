// restart.dat: the program Vistrel starts once the user agreed to restart. It restarts the
// (simulated) PC.

#include <windows.h>

#include "machine/win32/simulator.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  machine::Restart();
  return 0;
}

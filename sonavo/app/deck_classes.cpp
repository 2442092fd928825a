#include "sonavo/app/deck_classes.h"

#include "common/interop/suite_names.h"
#include "common/win32/suite_windows.h"
#include "sonavo/app/compact_deck_window.h"
#include "sonavo/app/playback_window.h"
#include "sonavo/app/position_bar.h"
#include "sonavo/app/resource.h"
#include "sonavo/app/video_deck.h"

namespace {

bool RegisterDeck(HINSTANCE instance) {
  WNDCLASSA deck{};
  deck.lpfnWndProc = DefDlgProcA;
  deck.cbWndExtra = DLGWINDOWEXTRA;
  deck.hInstance = instance;
  deck.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DECK));
  deck.hCursor = LoadCursor(nullptr, IDC_ARROW);
  deck.lpszClassName = names::kDeckClass;
  return RegisterClassA(&deck) != 0;
}

}  // namespace

bool RegisterDeckClasses(HINSTANCE instance) {
  HCURSOR hand = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
  return RegisterDeck(instance) && RegisterHandButtonClass(instance, hand) &&
         RegisterPositionBarClass(instance, hand) &&
         PlaybackWindow::RegisterWindowClass(instance) &&
         CompactDeckWindow::RegisterWindowClass(instance, hand) &&
         VideoDeck::RegisterWindowClass(instance);
}

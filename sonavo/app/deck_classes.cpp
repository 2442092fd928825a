#include "sonavo/app/deck_classes.h"

#include "common/interop/suite_names.h"
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

// The system's button under the name "mybutton", with the hand cursor and no background.
bool RegisterButton(HINSTANCE instance, HCURSOR hand) {
  WNDCLASSA button{};
  if (!GetClassInfoA(nullptr, "BUTTON", &button)) return false;
  button.hInstance = instance;
  button.hCursor = hand;
  button.hbrBackground = nullptr;
  button.lpszClassName = "mybutton";
  return RegisterClassA(&button) != 0;
}

}  // namespace

bool RegisterDeckClasses(HINSTANCE instance) {
  HCURSOR hand = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
  return RegisterDeck(instance) && RegisterButton(instance, hand) &&
         RegisterPositionBarClass(instance, hand) &&
         PlaybackWindow::RegisterWindowClass(instance) &&
         CompactDeckWindow::RegisterWindowClass(instance, hand) &&
         VideoDeck::RegisterWindowClass(instance);
}

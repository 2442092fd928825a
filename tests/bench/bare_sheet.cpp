// Vistrel's sheet without Vistrel: its six pages from VISTREL.EXE's own templates, in the same
// order, each with a dialog procedure that does nothing. What the sheet and its controls cost
// to start, with none of Vistrel's work: the second yardstick for its start-up time.
// usage: BARE_SHEET.EXE (VISTREL.EXE beside it)

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "vistrel/shell/resource.h"

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The program's own folder comes first where a library is looked for.
  HMODULE vistrel = LoadLibraryExA("VISTREL.EXE", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (vistrel == nullptr) return 1;
  std::vector<PROPSHEETPAGEA> pages;
  for (int templateId : {IDD_DISPLAY_CONFIGURATION, IDD_SCREEN_ADJUSTMENT, IDD_REFRESH_RATE_METER,
                         IDD_REACH_US, IDD_ZOOM_IN, IDD_FLEETMARK}) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.hInstance = vistrel;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = PageProc;
    pages.push_back(page);
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.hInstance = vistrel;
  header.pszCaption = "Bare Sheet";
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  PropertySheetA(&header);
  FreeLibrary(vistrel);
  return 0;
}

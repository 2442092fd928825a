#pragma once
// Peekwell's window: the drives, the folders of the current path, the video files of the
// current folder as thumbnails or names, and the selected file's name and facts.

#include <windows.h>

#include <vfw.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/framework/modeless_dialog.h"
#include "common/win32/win32_profile.h"
#include "peekwell/core/deck_press.h"
#include "peekwell/core/preview.h"
#include "sonavo/core/deck_settings.h"

class PreviewerDialog : public ModelessDialog {
 public:
  explicit PreviewerDialog(const std::string& folder);
  static bool RegisterDeckClass(HINSTANCE instance);

 protected:
  void OnInitDialog() override;
  void OnPaint(HDC dc) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnCancel() override;
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillDrives();
  void GoTo(const std::string& folder);
  void FillFolders();
  void FillFiles();
  void ShowPreviewList();
  void ChoosePreview();
  void OpenChosenFolder();
  void PlayVideo();
  void ShowHelp();
  void ForgetThumbnails(bool marksToo);
  HWND FileList() const;
  std::string SelectedPath() const;
  void DrawDrive(const DRAWITEMSTRUCT& item) const;
  void DrawFolder(const DRAWITEMSTRUCT& item) const;
  void DrawFile(const DRAWITEMSTRUCT& item, bool thumbnail);
  LPARAM MakeThumbnail(const std::string& path);
  // Realizes the thumbnails' palette and repaints them: the system palette changed under them.
  void RealizeThumbnailPalette(bool background);
  RECT Place(int id) const;
  // The browser deck in Jubilo's panel (nullptr: out of it).
  void Attach(HWND launcher);
  std::optional<sonavo::ScreenPoint> ReadCorner();
  static LRESULT CALLBACK DeckProc(HWND deck, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK AllKeysProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

  Win32Profile settingsFile_;
  std::string folder_;
  // The folder last shown on each drive (by its capital letter).
  std::map<char, std::string> driveFolders_;
  peekwell::Preview preview_ = peekwell::Preview::Middle;
  // The frame choice the cached thumbnails were made with.
  peekwell::Preview thumbnailsOf_ = peekwell::Preview::Middle;
  HDRAWDIB drawDib_ = nullptr;
  // On palette devices: one palette for every thumbnail, taken from the system palette when the
  // first is made.
  HPALETTE palette_ = nullptr;
  HFONT boldFont_ = nullptr;
  HFONT nameFont_ = nullptr;
  HFONT markFont_ = nullptr;
  RECT nameBox_{}, infoBox_{};
  HWND deck_ = nullptr;
  HWND browseButton_ = nullptr;
  peekwell::DeckPress deckPress_;
};

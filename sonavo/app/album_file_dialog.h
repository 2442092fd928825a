#pragma once
// A file player's open-file dialog with its album panel below the standard controls: files
// chosen there play at once as the preview album; in the panel an album is compiled from the
// files of any folder, saved, opened, deleted, and loaded with OK.

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

#include "common/framework/dialog.h"
#include "common/store/profile_store.h"
#include "sonavo/core/album_panel.h"
#include "sonavo/core/deck_settings.h"

class AlbumFileDialog : public Dialog {
 public:
  // `settings`: the player's, whose SavePath and ShowPath the dialog keeps; `settingsFile`
  // receives MraAlbum, the album last in the panel.
  AlbumFileDialog(sonavo::PlayerKind kind, ProfileStore& albumFile, ProfileStore& settingsFile,
                  sonavo::PlayerSettings& settings);

  // Shows the dialog over `deck`: the album to load, or nothing after Cancel.
  std::optional<std::string> Choose(HWND deck);

 protected:
  void OnInitDialog() override;
  INT_PTR OnOtherCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void ShowPanel(bool open);
  void ShowLines();
  void ShowTitle();
  void AddFiles(bool all);
  void RemoveLines();
  void OpenAlbum();
  void SaveAlbum(bool askTitle);
  void DeleteAlbum();
  // OK with the panel open: the panel's lines are the album to load.
  void LoadPanel();
  // OK with a whole path typed; false when the dialog is to find the name itself.
  bool LoadTypedPath();
  // OK with the panel closed, the dialog having found `validated`: the files to play.
  void LoadChosenFiles(const std::string& validated);
  HWND Visible() const;
  std::string CurrentFolder() const;
  void Report(UINT stringId) const;
  void WriteMraAlbum(const std::string& name);

  sonavo::PlayerKind kind_;
  sonavo::AlbumFile albums_;
  sonavo::AlbumPanel panel_;
  ProfileStore& settingsFile_;
  sonavo::PlayerSettings& settings_;
  HWND deck_ = nullptr;
  bool panelOpen_ = false;
  int fullHeight_ = 0;
  std::optional<std::string> chosen_;
};

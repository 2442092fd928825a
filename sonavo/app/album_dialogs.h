#pragma once
// The small dialogs of the album panel: "Select Album", which picks a saved album, and
// "Album Title", which names the album being saved. Both are placed like the deck's other
// dialogs: centred over the deck across and over the desktop from top to bottom.

#include <windows.h>

#include <string>
#include <vector>

#include "common/framework/modal_dialog.h"

// Centred over `deck` across and over the desktop from top to bottom.
void CentreOverDeck(HWND dialog, HWND deck);

class SelectAlbumDialog : public ModalDialog {
 public:
  explicit SelectAlbumDialog(std::vector<std::string> names);
  // After OK: the album chosen.
  const std::string& Chosen() const { return chosen_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  std::vector<std::string> names_;
  std::string chosen_;
};

class AlbumTitleDialog : public ModalDialog {
 public:
  // Prefilled with `title`.
  explicit AlbumTitleDialog(std::string title);
  // After OK: the name given, never empty.
  const std::string& Title() const { return title_; }

 protected:
  void OnInitDialog() override;
  void Exchange(ValueExchange& exchange) override;
  void OnOK() override;

 private:
  std::string title_;
};

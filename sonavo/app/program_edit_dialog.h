#pragma once
// The CD player's "Program Edit" dialog over its model: the disc's title, artist and track
// names, and the play list built from the disc's tracks.

#include <windows.h>

#include <string>

#include "common/framework/modal_dialog.h"
#include "sonavo/core/program_edit.h"

class ProgramEditDialog : public ModalDialog {
 public:
  explicit ProgramEditDialog(sonavo::ProgramEdit edit);
  // What OK keeps.
  const sonavo::Disc& disc() const { return edit_.disc(); }
  int Naming() const { return edit_.Naming(); }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void FillDiscList();
  void FillPlayList();
  void ShowNaming();

  sonavo::ProgramEdit edit_;
};

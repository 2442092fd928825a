#include "sonavo/app/program_edit_dialog.h"

#include <cstdio>
#include <utility>

#include "common/win32/list_box.h"
#include "common/win32/resource_text.h"
#include "sonavo/app/album_dialogs.h"
#include "sonavo/app/resource.h"

namespace {

constexpr int kNameLimit = 64;

std::string ControlText(HWND dialog, int id) {
  char text[kNameLimit + 1] = "";
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

}  // namespace

ProgramEditDialog::ProgramEditDialog(sonavo::ProgramEdit edit)
    : ModalDialog(IDD_PROGRAM_EDIT), edit_(std::move(edit)) {
  const auto addTracks = [this](const std::vector<int>& tracks) {
    if (!edit_.Add(tracks)) {
      char caption[32] = "";
      GetWindowTextA(GetParent(Window()), caption, sizeof(caption));
      MessageBoxA(Window(), ResourceText(IDS_MAX_ENTRIES).c_str(), caption, MB_OK | MB_ICONERROR);
    }
    FillPlayList();
  };
  OnCommand(IDC_PE_ADD, BN_CLICKED, [this, addTracks] {
    std::vector<int> tracks;
    for (int line : SelectedLines(GetDlgItem(Window(), IDC_PE_DISC_LIST)))
      tracks.push_back(line + 1);
    addTracks(tracks);
  });
  OnCommand(IDC_PE_ADD_ALL, BN_CLICKED, [this, addTracks] {
    std::vector<int> tracks;
    for (int track = 1; track <= edit_.TrackCount(); ++track) tracks.push_back(track);
    addTracks(tracks);
  });
  OnCommand(IDC_PE_REMOVE, BN_CLICKED, [this] {
    edit_.Remove(SelectedLines(GetDlgItem(Window(), IDC_PE_PLAY_LIST)));
    FillPlayList();
  });
  OnCommand(IDC_PE_DELETE, BN_CLICKED, [this] {
    edit_.Clear();
    FillPlayList();
  });
  OnCommand(IDC_PE_DISC_LIST, LBN_SELCHANGE, [this] {
    const int line =
        static_cast<int>(SendDlgItemMessageA(Window(), IDC_PE_DISC_LIST, LB_GETCARETINDEX, 0, 0));
    edit_.SetNaming(line + 1);
    ShowNaming();
  });
  // Enter goes to OK from the texts and the lists, to Set Name from the name; a list that takes
  // the focus leaves the other without a selection.
  const auto defaultButton = [this](int id) { SendMessageA(Window(), DM_SETDEFID, id, 0); };
  for (int id : {IDC_PE_TITLE, IDC_PE_ARTIST}) {
    OnCommand(id, EN_SETFOCUS, [defaultButton] { defaultButton(IDOK); });
  }
  OnCommand(IDC_PE_NAME, EN_SETFOCUS, [defaultButton] { defaultButton(IDC_PE_SET_NAME); });
  for (const auto& [list, other] :
       {std::pair{IDC_PE_PLAY_LIST, IDC_PE_DISC_LIST}, {IDC_PE_DISC_LIST, IDC_PE_PLAY_LIST}}) {
    OnCommand(list, LBN_SETFOCUS, [this, defaultButton, other = other] {
      defaultButton(IDOK);
      SendDlgItemMessageA(Window(), other, LB_SETSEL, FALSE, -1);
    });
  }
  OnCommand(IDC_PE_SET_NAME, BN_CLICKED, [this] {
    edit_.SetName(ControlText(Window(), IDC_PE_NAME));
    FillDiscList();
    FillPlayList();
    SendDlgItemMessageA(Window(), IDC_PE_DISC_LIST, LB_SETSEL, FALSE, -1);
    SendDlgItemMessageA(Window(), IDC_PE_DISC_LIST, LB_SETSEL, TRUE, edit_.Naming() - 1);
    ShowNaming();
  });
}

void ProgramEditDialog::OnInitDialog() {
  CentreOverDeck(Window(), GetParent(Window()));
  for (int id : {IDC_PE_TITLE, IDC_PE_ARTIST, IDC_PE_NAME}) {
    SendDlgItemMessageA(Window(), id, EM_LIMITTEXT, kNameLimit, 0);
  }
  SetDlgItemTextA(Window(), IDC_PE_TITLE, edit_.disc().title.c_str());
  SetDlgItemTextA(Window(), IDC_PE_ARTIST, edit_.disc().artist.c_str());
  FillDiscList();
  FillPlayList();
  ShowNaming();
}

void ProgramEditDialog::OnOK() {
  edit_.SetTitle(ControlText(Window(), IDC_PE_TITLE));
  edit_.SetArtist(ControlText(Window(), IDC_PE_ARTIST));
  End(IDOK);
}

void ProgramEditDialog::FillDiscList() {
  HWND list = GetDlgItem(Window(), IDC_PE_DISC_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (int track = 1; track <= edit_.TrackCount(); ++track) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(edit_.DiscLine(track).c_str()));
  }
  SetDlgItemInt(Window(), IDC_PE_DISC_COUNT, static_cast<UINT>(edit_.TrackCount()), FALSE);
  SetDlgItemTextA(Window(), IDC_PE_DISC_TIME,
                  sonavo::FormatTotalTime(edit_.DiscMs(), false, ResourceText(IDS_MIN_SEC),
                                          ResourceText(IDS_HR_MIN_SEC))
                      .c_str());
}

void ProgramEditDialog::FillPlayList() {
  HWND list = GetDlgItem(Window(), IDC_PE_PLAY_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (int track : edit_.disc().programList) {
    const auto line = SendMessageA(list, LB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(edit_.DiscLine(track).c_str()));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(line), track);
  }
  SetDlgItemInt(Window(), IDC_PE_PLAY_COUNT, static_cast<UINT>(edit_.disc().programList.size()),
                FALSE);
  SetDlgItemTextA(Window(), IDC_PE_PLAY_TIME,
                  sonavo::FormatTotalTime(edit_.PlayListMs(), false, ResourceText(IDS_MIN_SEC),
                                          ResourceText(IDS_HR_MIN_SEC))
                      .c_str());
}

void ProgramEditDialog::ShowNaming() {
  char label[32];
  std::snprintf(label, sizeof(label), "%s %02d:", ResourceText(IDS_TRACK_LABEL).c_str(),
                edit_.Naming());
  SetDlgItemTextA(Window(), IDC_PE_TRACK_LABEL, label);
  const std::string line = edit_.DiscLine(edit_.Naming());
  // The name without the line's time, "(mm:ss) ".
  SetDlgItemTextA(Window(), IDC_PE_NAME, line.size() > 8 ? line.substr(8).c_str() : "");
  SendDlgItemMessageA(Window(), IDC_PE_NAME, EM_SETSEL, 0, -1);
}

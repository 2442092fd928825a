#include "sonavo/app/album_dialogs.h"

#include "common/win32/resource_text.h"
#include "sonavo/app/resource.h"
#include "sonavo/core/album_files.h"

void CentreOverDeck(HWND dialog, HWND deck) {
  RECT over{}, own{};
  GetWindowRect(deck, &over);
  GetWindowRect(dialog, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(dialog, nullptr, (over.left + over.right - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

SelectAlbumDialog::SelectAlbumDialog(std::vector<std::string> names)
    : ModalDialog(IDD_SELECT_ALBUM), names_(std::move(names)) {
  OnCommand(IDC_SA_LIST, LBN_DBLCLK, [this] { OnOK(); });
}

void SelectAlbumDialog::OnInitDialog() {
  CentreOverDeck(Window(), GetParent(Window()));
  for (const std::string& name : names_) {
    SendDlgItemMessageA(Window(), IDC_SA_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name.c_str()));
  }
}

void SelectAlbumDialog::OnOK() {
  const auto line = SendDlgItemMessageA(Window(), IDC_SA_LIST, LB_GETCURSEL, 0, 0);
  if (line < 0 || static_cast<std::size_t>(line) >= names_.size()) return;
  chosen_ = names_[static_cast<std::size_t>(line)];
  End(IDOK);
}

AlbumTitleDialog::AlbumTitleDialog(std::string title)
    : ModalDialog(IDD_ALBUM_TITLE), title_(std::move(title)) {}

void AlbumTitleDialog::OnInitDialog() {
  CentreOverDeck(Window(), GetParent(Window()));
  SendDlgItemMessageA(Window(), IDC_AT_TITLE, EM_LIMITTEXT, sonavo::kMaxAlbumName, 0);
}

void AlbumTitleDialog::Exchange(ValueExchange& exchange) {
  exchange.Text(IDC_AT_TITLE, title_);
}

void AlbumTitleDialog::OnOK() {
  ExchangeValues(false);
  if (title_.empty()) return;
  if (sonavo::ReservedAlbumName(title_)) {
    char caption[64] = "";
    GetWindowTextA(Window(), caption, sizeof(caption));
    MessageBoxA(Window(), ResourceText(IDS_RESERVED_NAME).c_str(), caption,
                MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  End(IDOK);
}

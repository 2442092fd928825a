#include "sonavo/app/album_file_dialog.h"

#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "common/win32/list_box.h"
#include "common/win32/resource_text.h"
#include "sonavo/app/album_dialogs.h"
#include "sonavo/app/resource.h"
#include "sonavo/core/file_filter.h"

namespace {

constexpr int kPanelColumns = 3;

// The system profile's "mci extensions": extension = device type.
std::map<std::string, std::string> MciExtensions() {
  std::map<std::string, std::string> extensions;
  std::vector<char> keys(4096, '\0');
  const DWORD length = GetProfileStringA("mci extensions", nullptr, "", keys.data(),
                                         static_cast<DWORD>(keys.size()));
  for (std::size_t at = 0; at < length && keys[at] != '\0'; at += std::strlen(&keys[at]) + 1) {
    char device[64] = "";
    GetProfileStringA("mci extensions", &keys[at], "", device, sizeof(device));
    extensions[&keys[at]] = device;
  }
  return extensions;
}

std::uint32_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA facts{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &facts)) return 0;
  return facts.nFileSizeHigh != 0 ? 0xFFFFFFFFu : facts.nFileSizeLow;
}

}  // namespace

AlbumFileDialog::AlbumFileDialog(sonavo::PlayerKind kind, ProfileStore& albumFile,
                                 ProfileStore& settingsFile, sonavo::PlayerSettings& settings)
    : Dialog(0),
      kind_(kind),
      albums_(albumFile),
      panel_(albums_, FileSize),
      settingsFile_(settingsFile),
      settings_(settings) {
  OnCommand(IDC_AP_TOGGLE, BN_CLICKED, [this] { ShowPanel(!panelOpen_); });
  OnCommand(IDC_AP_SHOW_EXTENDED, BN_CLICKED, [this] {
    settings_.showPath = IsDlgButtonChecked(Window(), IDC_AP_SHOW_EXTENDED) == BST_CHECKED;
    ShowLines();
  });
  OnCommand(IDC_AP_ADD, BN_CLICKED, [this] { AddFiles(false); });
  OnCommand(IDC_AP_ADD_ALL, BN_CLICKED, [this] { AddFiles(true); });
  OnCommand(IDC_AP_REMOVE, BN_CLICKED, [this] { RemoveLines(); });
  OnCommand(IDC_AP_REMOVE_ALL, BN_CLICKED, [this] {
    panel_.RemoveAll();
    ShowLines();
  });
  OnCommand(IDC_AP_OPEN, BN_CLICKED, [this] { OpenAlbum(); });
  OnCommand(IDC_AP_NEW, BN_CLICKED, [this] {
    panel_.New(ResourceText(IDS_ALBUM));
    ShowLines();
    ShowTitle();
  });
  OnCommand(IDC_AP_SAVE, BN_CLICKED, [this] { SaveAlbum(panel_.Title().empty()); });
  OnCommand(IDC_AP_SAVE_AS, BN_CLICKED, [this] { SaveAlbum(true); });
  OnCommand(IDC_AP_DELETE, BN_CLICKED, [this] { DeleteAlbum(); });
  OnCommand(IDC_AP_LIST, LBN_DBLCLK, [this] { LoadPanel(); });
  OnCommand(IDC_AP_EXTENDED_LIST, LBN_DBLCLK, [this] { LoadPanel(); });
}

std::optional<std::string> AlbumFileDialog::Choose(HWND deck) {
  deck_ = deck;
  const UINT index = static_cast<UINT>(kind_) - 1;
  const std::string filter =
      sonavo::OpenFileFilter(kind_, MciExtensions(),
                             {ResourceText(IDS_FILTER_FIRST + index), ResourceText(IDS_MPEG_VIDEO),
                              ResourceText(IDS_ALL_FILES)});
  const std::string title = ResourceText(IDS_LOAD_TITLE_FIRST + index);
  char path[MAX_PATH] = "";
  OPENFILENAMEA open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = deck;
  open.hInstance = GetModuleHandleA(nullptr);
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = path;
  open.nMaxFile = sizeof(path);
  open.lpstrTitle = title.c_str();
  open.lpstrDefExt = sonavo::DefaultExtension(kind_);
  open.lpstrInitialDir = settings_.savePath.empty() ? nullptr : settings_.savePath.c_str();
  open.Flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  open.lpfnHook = Hook;
  open.lpTemplateName = IDD_ALBUM_PANEL;
  open.lCustData = reinterpret_cast<LPARAM>(static_cast<Dialog*>(this));
  chosen_.reset();
  GetOpenFileNameA(&open);
  return chosen_;
}

UINT_PTR CALLBACK AlbumFileDialog::Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<Dialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
  }
  return static_cast<UINT_PTR>(Route(window, dialog, message, wParam, lParam));
}

void AlbumFileDialog::OnInitDialog() {
  SendDlgItemMessageA(Window(), IDC_AP_LIST, LB_SETCOLUMNWIDTH, static_cast<WPARAM>([this] {
                        RECT list{};
                        GetClientRect(GetDlgItem(Window(), IDC_AP_LIST), &list);
                        return list.right / kPanelColumns;
                      }()),
                      0);
  if (!settings_.mraAlbum.empty()) panel_.Open(settings_.mraAlbum);
  CheckDlgButton(Window(), IDC_AP_SHOW_EXTENDED, settings_.showPath ? BST_CHECKED : BST_UNCHECKED);
  ShowLines();
  ShowTitle();
  CentreOverDeck(Window(), deck_);
  RECT dialog{};
  GetWindowRect(Window(), &dialog);
  fullHeight_ = dialog.bottom - dialog.top;
  ShowPanel(false);
}

INT_PTR AlbumFileDialog::OnOtherCommand(int id, int code) {
  if (id == IDOK && code == BN_CLICKED) {
    if (panelOpen_) {
      LoadPanel();
      return TRUE;
    }
    return LoadTypedPath() ? TRUE : FALSE;
  }
  // The standard dialog ends itself; the folder it shows is where the next one opens.
  if (id == IDCANCEL) settings_.savePath = CurrentFolder();
  return FALSE;
}

INT_PTR AlbumFileDialog::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
  static const UINT fileOk = RegisterWindowMessageA(FILEOKSTRINGA);
  if (message != fileOk) return FALSE;
  LoadChosenFiles(reinterpret_cast<const OPENFILENAMEA*>(lParam)->lpstrFile);
  // Zero lets the dialog end.
  SetWindowLongPtrA(Window(), DWLP_MSGRESULT, 0);
  return FALSE;
}

// A path typed whole names its file wherever the dialog stands (the old-style dialog of some
// systems would look for its name in the current folder).
bool AlbumFileDialog::LoadTypedPath() {
  char typed[MAX_PATH] = "";
  GetDlgItemTextA(Window(), edt1, typed, sizeof(typed));
  if (std::strpbrk(typed, "\\:") == nullptr || std::strpbrk(typed, "*?") != nullptr) return false;
  const DWORD attributes = GetFileAttributesA(typed);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  char path[MAX_PATH] = "";
  if (GetFullPathNameA(typed, sizeof(path), path, nullptr) == 0) return false;
  LoadChosenFiles(path);
  if (chosen_) EndDialog(Window(), IDOK);
  return true;
}

void AlbumFileDialog::ShowPanel(bool open) {
  panelOpen_ = open;
  RECT dialog{}, marker{};
  GetWindowRect(Window(), &dialog);
  GetWindowRect(GetDlgItem(Window(), IDC_AP_MARKER), &marker);
  const int height = open ? fullHeight_ : marker.top - dialog.top;
  SetWindowPos(Window(), nullptr, 0, 0, dialog.right - dialog.left, height,
               SWP_NOMOVE | SWP_NOZORDER);
  SetDlgItemTextA(Window(), IDC_AP_TOGGLE,
                  ResourceText(open ? IDS_CLOSE_PANEL : IDS_OPEN_PANEL).c_str());
  SetDlgItemTextA(Window(), IDOK, ResourceText(open ? IDS_LOAD_ALBUM : IDS_LOAD_FILE).c_str());
}

void AlbumFileDialog::ShowLines() {
  HWND names = GetDlgItem(Window(), IDC_AP_LIST);
  HWND extended = GetDlgItem(Window(), IDC_AP_EXTENDED_LIST);
  SendMessageA(names, LB_RESETCONTENT, 0, 0);
  SendMessageA(extended, LB_RESETCONTENT, 0, 0);
  for (const sonavo::AlbumEntryRecord& line : panel_.Lines()) {
    SendMessageA(names, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.name.c_str()));
    SendMessageA(extended, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(sonavo::ExtendedLine(line).c_str()));
  }
  const bool showPath = settings_.showPath;
  ShowWindow(names, showPath ? SW_HIDE : SW_SHOW);
  ShowWindow(extended, showPath ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(Window(), IDC_AP_HEADER), showPath ? SW_SHOW : SW_HIDE);
  char count[48];
  std::snprintf(count, sizeof(count), "%d %s", static_cast<int>(panel_.Lines().size()),
                ResourceText(IDS_FILES).c_str());
  SetDlgItemTextA(Window(), IDC_AP_COUNT, count);
}

void AlbumFileDialog::ShowTitle() {
  SetDlgItemTextA(Window(), IDC_AP_TITLE, panel_.Title().c_str());
}

void AlbumFileDialog::AddFiles(bool all) {
  HWND files = GetDlgItem(Window(), lst1);
  std::vector<int> lines = SelectedLines(files);
  if (all) {
    lines.clear();
    const auto count = SendMessageA(files, LB_GETCOUNT, 0, 0);
    for (int line = 0; line < count; ++line) lines.push_back(line);
  }
  std::vector<std::string> names;
  for (int line : lines) names.push_back(LineText(files, line));
  const bool fitted = panel_.Add(CurrentFolder(), names);
  ShowLines();
  if (!fitted) Report(IDS_MAX_ENTRIES);
}

void AlbumFileDialog::RemoveLines() {
  panel_.Remove(SelectedLines(Visible()));
  ShowLines();
}

void AlbumFileDialog::OpenAlbum() {
  SelectAlbumDialog select(albums_.Names());
  if (select.DoModal(Window()) != IDOK) return;
  const bool fitted = panel_.Open(select.Chosen());
  ShowLines();
  ShowTitle();
  if (!fitted) Report(IDS_MAX_ENTRIES);
}

void AlbumFileDialog::SaveAlbum(bool askTitle) {
  if (askTitle) {
    AlbumTitleDialog title(panel_.Title().empty() ? albums_.NewName(ResourceText(IDS_ALBUM))
                                                  : panel_.Title());
    if (title.DoModal(Window()) != IDOK) return;
    panel_.SetTitle(title.Title());
    ShowTitle();
  }
  const std::vector<int> selected = SelectedLines(Visible());
  if (!panel_.Save(selected.empty() ? -1 : selected.front())) Report(IDS_NOT_WRITTEN);
}

void AlbumFileDialog::DeleteAlbum() {
  if (!panel_.Delete()) Report(IDS_NOT_WRITTEN);
  WriteMraAlbum("");
  ShowLines();
  ShowTitle();
}

void AlbumFileDialog::LoadPanel() {
  // Lines without a title play as the preview album.
  const std::vector<int> selected = SelectedLines(Visible());
  const bool kept = panel_.Title().empty() ? albums_.WritePreview(panel_.Paths())
                                           : panel_.Keep(selected.empty() ? -1 : selected.front());
  if (!kept) {
    Report(IDS_NOT_WRITTEN);
    return;
  }
  if (!panel_.Title().empty()) WriteMraAlbum(panel_.Title());
  chosen_ = panel_.Title().empty() ? std::string(sonavo::kPreviewAlbum) : panel_.Title();
  settings_.savePath = CurrentFolder();
  EndDialog(Window(), IDOK);
}

void AlbumFileDialog::LoadChosenFiles(const std::string& validated) {
  const std::string folder = validated.substr(0, validated.find_last_of('\\') + 1);
  HWND files = GetDlgItem(Window(), lst1);
  std::vector<std::string> paths;
  for (int line : SelectedLines(files)) paths.push_back(folder + LineText(files, line));
  // A name typed rather than picked is the one file.
  if (std::find(paths.begin(), paths.end(), validated) == paths.end()) paths = {validated};
  paths.resize(std::min<std::size_t>(paths.size(), sonavo::kMaxEntries));
  settings_.savePath = folder;
  if (!albums_.WritePreview(paths)) {
    Report(IDS_NOT_WRITTEN);
    return;
  }
  chosen_ = sonavo::kPreviewAlbum;
}

HWND AlbumFileDialog::Visible() const {
  return GetDlgItem(Window(), settings_.showPath ? IDC_AP_EXTENDED_LIST : IDC_AP_LIST);
}

std::string AlbumFileDialog::CurrentFolder() const {
  char folder[MAX_PATH] = "";
  const DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
  std::string text(folder, length < sizeof(folder) ? length : 0);
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

void AlbumFileDialog::Report(UINT stringId) const {
  MessageBoxA(Window(), ResourceText(stringId).c_str(), sonavo::Traits(kind_).name,
              MB_OK | MB_ICONERROR);
}

void AlbumFileDialog::WriteMraAlbum(const std::string& name) {
  settings_.mraAlbum = name;
  settingsFile_.WriteString(sonavo::Traits(kind_).name, "MraAlbum", name);
}

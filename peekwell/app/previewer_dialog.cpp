#include "peekwell/app/previewer_dialog.h"

#include <winnetwk.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "common/interop/suite_names.h"
#include "common/win32/bitmap_drawing.h"
#include "common/win32/list_box.h"
#include "common/win32/program_start.h"
#include "common/win32/resource_text.h"
#include "common/win32/subclass.h"
#include "common/win32/suite_windows.h"
#include "peekwell/app/resource.h"
#include "peekwell/app/video_file.h"
#include "sonavo/core/deck_settings.h"

namespace {

constexpr const char* kSection = "Peekwell";
constexpr int kIndent = 4;
constexpr LPARAM kNoDecompressor = -1;
constexpr LPARAM kNotAVideo = -2;
constexpr int kNameLineHeight = 16;
// A subfolder's line in the folder list; the path's lines hold their depth.
constexpr LPARAM kSubfolder = -1;
constexpr const char* kDeckClass = "BROWSER_DECK_WCLASS";
constexpr int kDeckId = 110;
constexpr int kBrowseButton = 1110;
constexpr const char* kDeckOwner = "Peekwell";
// The browser deck's areas: a press in the first, or outside them all, does nothing; the second
// closes Peekwell, the third shows or hides it.
constexpr RECT kDeckAreas[] = {{0, 0, 40, 31}, {40, 4, 90, 27}, {92, 4, 138, 27}};

std::string WithBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

// A picture of the program's with its blue parts left out.
void DrawPicture(HDC dc, int id, int x, int y) {
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  if (bitmap == nullptr) return;
  BITMAP facts{};
  GetObjectA(bitmap, sizeof(facts), &facts);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  TransparentBlt(dc, x, y, facts.bmWidth, facts.bmHeight, memory, 0, 0, facts.bmWidth,
                 facts.bmHeight, RGB(0, 0, 255));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

// The system palette as it stands, as a logical palette of 256 entries.
HPALETTE SystemPaletteCopy(HDC screen) {
  struct {
    LOGPALETTE header;
    PALETTEENTRY more[255];
  } palette{};
  palette.header.palVersion = 0x300;
  palette.header.palNumEntries = 256;
  GetSystemPaletteEntries(screen, 0, 256, palette.header.palPalEntry);
  return CreatePalette(&palette.header);
}

}  // namespace

PreviewerDialog::PreviewerDialog(const std::string& folder)
    : ModelessDialog(IDD_PREVIEWER), settingsFile_(folder + "MAROVANE.INI") {
  OnCommand(IDC_PLAY, BN_CLICKED, [this] {
    // Enter with a drop-down open closes the drop-downs instead.
    bool dropped = false;
    for (int id : {IDC_DRIVES, IDC_PREVIEW}) {
      if (SendDlgItemMessageA(Window(), id, CB_GETDROPPEDSTATE, 0, 0)) {
        SendDlgItemMessageA(Window(), id, CB_SHOWDROPDOWN, FALSE, 0);
        dropped = true;
      }
    }
    if (!dropped) PlayVideo();
  });
  OnCommand(IDC_HELP_BUTTON, BN_CLICKED, [this] { ShowHelp(); });
  OnCommand(IDC_EXIT, BN_CLICKED, [this] { OnCancel(); });
  OnCommand(IDC_PREVIEW, CBN_SELCHANGE, [this] { ChoosePreview(); });
  OnCommand(IDC_FOLDERS, LBN_DBLCLK, [this] { OpenChosenFolder(); });
  OnCommand(IDC_THUMBNAILS, LBN_DBLCLK, [this] { PlayVideo(); });
  OnCommand(IDC_NAMES, LBN_DBLCLK, [this] { PlayVideo(); });
  const auto selected = [this] {
    InvalidateRect(Window(), &nameBox_, TRUE);
    InvalidateRect(Window(), &infoBox_, TRUE);
  };
  OnCommand(IDC_THUMBNAILS, LBN_SELCHANGE, selected);
  OnCommand(IDC_NAMES, LBN_SELCHANGE, selected);
  OnCommand(IDC_DRIVES, CBN_SELCHANGE, [this] {
    const auto line = SendDlgItemMessageA(Window(), IDC_DRIVES, CB_GETCURSEL, 0, 0);
    char drive[8] = "";
    SendDlgItemMessageA(Window(), IDC_DRIVES, CB_GETLBTEXT, static_cast<WPARAM>(line),
                        reinterpret_cast<LPARAM>(drive));
    const std::string root = std::string(1, drive[0]) + ":\\";
    // A drive that cannot be read leaves the previous one chosen; another shows its current
    // folder.
    if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES) {
      FillDrives();
      return;
    }
    const auto known = driveFolders_.find(static_cast<char>(std::toupper(root[0])));
    GoTo(known != driveFolders_.end() ? known->second : root.substr(0, 2));
  });
}

void PreviewerDialog::OnInitDialog() {
  AVIFileInit();
  drawDib_ = DrawDibOpen();
  nameBox_ = Place(IDC_NAME_BOX);
  infoBox_ = Place(IDC_INFO_BOX);
  // MS Sans Serif 14-pixel, bold for the boxes, normal for the files' names.
  const auto sansSerif = [](int weight) {
    return CreateFontA(-14, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                       "MS Sans Serif");
  };
  boldFont_ = sansSerif(FW_BOLD);
  nameFont_ = sansSerif(FW_NORMAL);
  markFont_ =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  // One digit; without it, or with anything else, the first frame.
  const int choice =
      static_cast<int>(settingsFile_.ReadString(kSection, "Preview", "0", 4).c_str()[0] - '0');
  preview_ = static_cast<peekwell::Preview>(
      choice >= 0 && choice < peekwell::kPreviewChoices ? choice : 0);
  thumbnailsOf_ = preview_;
  for (int i = 0; i < peekwell::kPreviewChoices; ++i) {
    SendDlgItemMessageA(Window(), IDC_PREVIEW, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(ResourceText(static_cast<UINT>(i + 1)).c_str()));
  }
  SendDlgItemMessageA(Window(), IDC_PREVIEW, CB_SETCURSEL, static_cast<WPARAM>(preview_), 0);
  // The lists' lines: two rows of thumbnails above the scroll bar; names one text line high.
  SendDlgItemMessageA(Window(), IDC_THUMBNAILS, LB_SETITEMHEIGHT, 0,
                      peekwell::LineFor(GetSystemMetrics(SM_CYHSCROLL)).height);
  SendDlgItemMessageA(Window(), IDC_NAMES, LB_SETITEMHEIGHT, 0, kNameLineHeight);
  SendDlgItemMessageA(Window(), IDC_FOLDERS, LB_SETITEMHEIGHT, 0, kNameLineHeight);
  SendDlgItemMessageA(Window(), IDC_THUMBNAILS, LB_SETCOLUMNWIDTH, peekwell::kLineWidth, 0);
  for (int id : {IDC_FOLDERS, IDC_THUMBNAILS, IDC_NAMES})
    Subclass(GetDlgItem(Window(), id), AllKeysProc);
  SendDlgItemMessageA(Window(), IDC_NAMES, LB_SETCOLUMNWIDTH, peekwell::kLineWidth, 0);
  std::string start = settingsFile_.ReadString(kSection, "SavePath", "", MAX_PATH);
  if (start.empty() || GetFileAttributesA(start.c_str()) == INVALID_FILE_ATTRIBUTES) {
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    start = current;
  }
  GoTo(start);
  ShowPreviewList();
  const auto corner = ReadCorner();
  if (!corner) {
    CentreOnParent();
  } else {
    RECT window{};
    GetWindowRect(Window(), &window);
    SetWindowPos(Window(), nullptr, std::max(0L, corner->x - (window.right - window.left)),
                 std::max(0L, corner->y - (window.bottom - window.top)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  }
  Attach(FindSuiteWindow(names::kLauncherClass, names::kLauncherDevice));
  ShowWindow(Window(), SW_SHOWDEFAULT);
  // The folder list has the focus once the window shows.
  PostMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Window(), IDC_FOLDERS)),
               TRUE);
}

RECT PreviewerDialog::Place(int id) const {
  RECT place{};
  GetWindowRect(GetDlgItem(Window(), id), &place);
  MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void PreviewerDialog::FillDrives() {
  HWND drives = GetDlgItem(Window(), IDC_DRIVES);
  SendMessageA(drives, CB_RESETCONTENT, 0, 0);
  const DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(present & (1u << i))) continue;
    const std::string root = std::string(1, static_cast<char>('a' + i)) + ":\\";
    const UINT type = GetDriveTypeA(root.c_str());
    if (type <= DRIVE_NO_ROOT_DIR) continue;
    std::string line = std::string(1, static_cast<char>('a' + i)) + ":  ";
    char label[64] = "";
    if ((type == DRIVE_FIXED || type == DRIVE_RAMDISK) &&
        GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr, nullptr,
                              nullptr, 0)) {
      line += label;
    } else if (type == DRIVE_REMOTE) {
      // A network drive shows its share's name, in lower case.
      char share[MAX_PATH] = "";
      DWORD size = sizeof(share);
      const std::string local = root.substr(0, 2);
      if (WNetGetConnectionA(local.c_str(), share, &size) == NO_ERROR) line += CharLowerA(share);
    }
    const auto at = SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(drives, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(type));
    if (!folder_.empty() && std::tolower(folder_[0]) == 'a' + i) {
      SendMessageA(drives, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
  }
}

void PreviewerDialog::GoTo(const std::string& folder) {
  char full[MAX_PATH] = "";
  if (GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr) == 0) return;
  folder_ = full;
  // The drive's current folder: going back to the drive comes back here.
  if (folder_.size() >= 2 && folder_[1] == ':') {
    driveFolders_[static_cast<char>(std::toupper(static_cast<unsigned char>(folder_[0])))] =
        folder_;
  }
  SetDlgItemTextA(Window(), IDC_FOLDER, folder_.c_str());
  FillDrives();
  FillFolders();
  FillFiles();
}

// The path one component a line, each deeper one indented, then the subfolders.
void PreviewerDialog::FillFolders() {
  HWND folders = GetDlgItem(Window(), IDC_FOLDERS);
  SendMessageA(folders, LB_RESETCONTENT, 0, 0);
  std::vector<std::string> parts;
  std::size_t at = 0;
  const std::string path = WithBackslash(folder_);
  while (at < path.size()) {
    const std::size_t next = path.find('\\', at);
    parts.push_back(path.substr(at, next - at) + (parts.empty() ? "\\" : ""));
    at = next + 1;
  }
  for (std::size_t depth = 0; depth < parts.size(); ++depth) {
    const auto line =
        SendMessageA(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(parts[depth].c_str()));
    SendMessageA(folders, LB_SETITEMDATA, static_cast<WPARAM>(line), static_cast<LPARAM>(depth));
  }
  SendMessageA(folders, LB_SETCURSEL, parts.size() - 1, 0);
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
  std::vector<std::string> subfolders;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const bool folder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      if (folder && std::strcmp(found.cFileName, ".") != 0 &&
          std::strcmp(found.cFileName, "..") != 0) {
        subfolders.push_back(found.cFileName);
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  std::sort(subfolders.begin(), subfolders.end());
  for (const std::string& name : subfolders) {
    const auto line =
        SendMessageA(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(folders, LB_SETITEMDATA, static_cast<WPARAM>(line), kSubfolder);
  }
}

void PreviewerDialog::FillFiles() {
  ForgetThumbnails(true);
  std::vector<std::string> files;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((WithBackslash(folder_) + "*.avi").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  std::sort(files.begin(), files.end());
  for (int id : {IDC_THUMBNAILS, IDC_NAMES}) {
    HWND list = GetDlgItem(Window(), id);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& file : files) {
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
  }
  char count[48];
  std::snprintf(count, sizeof(count), "%d %s", static_cast<int>(files.size()),
                ResourceText(IDS_FILES).c_str());
  SetDlgItemTextA(Window(), IDC_COUNT, count);
  InvalidateRect(Window(), &nameBox_, TRUE);
  InvalidateRect(Window(), &infoBox_, TRUE);
}

HWND PreviewerDialog::FileList() const {
  return GetDlgItem(Window(), preview_ == peekwell::Preview::NameOnly ? IDC_NAMES : IDC_THUMBNAILS);
}

void PreviewerDialog::ShowPreviewList() {
  const bool names = preview_ == peekwell::Preview::NameOnly;
  ShowWindow(GetDlgItem(Window(), IDC_NAMES), names ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(Window(), IDC_THUMBNAILS), names ? SW_HIDE : SW_SHOW);
}

// Another frame choice drops the thumbnails made for the last (the marks of files that cannot
// be shown stay); switching the list keeps the selected line.
void PreviewerDialog::ChoosePreview() {
  const int line = static_cast<int>(SendMessageA(FileList(), LB_GETCURSEL, 0, 0));
  preview_ = static_cast<peekwell::Preview>(
      SendDlgItemMessageA(Window(), IDC_PREVIEW, CB_GETCURSEL, 0, 0));
  if (preview_ != peekwell::Preview::NameOnly && preview_ != thumbnailsOf_) {
    ForgetThumbnails(false);
    thumbnailsOf_ = preview_;
    InvalidateRect(GetDlgItem(Window(), IDC_THUMBNAILS), nullptr, TRUE);
  }
  SendMessageA(FileList(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  ShowPreviewList();
}

void PreviewerDialog::ForgetThumbnails(bool marksToo) {
  HWND list = GetDlgItem(Window(), IDC_THUMBNAILS);
  const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int line = 0; line < count; ++line) {
    const LPARAM data = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
    if (data > 0) DeleteObject(reinterpret_cast<HBITMAP>(data));
    if (data > 0 || marksToo) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(line), 0);
  }
}

void PreviewerDialog::OpenChosenFolder() {
  HWND folders = GetDlgItem(Window(), IDC_FOLDERS);
  const int line = static_cast<int>(SendMessageA(folders, LB_GETCURSEL, 0, 0));
  if (line < 0) return;
  const LPARAM depth = SendMessageA(folders, LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
  if (depth == kSubfolder) {
    GoTo(WithBackslash(folder_) + LineText(folders, line));
    return;
  }
  // A component of the path: the path up to it.
  std::string path;
  for (int i = 0; i <= line; ++i)
    path = i == 0 ? LineText(folders, 0) : WithBackslash(path) + LineText(folders, i);
  GoTo(path);
}

std::string PreviewerDialog::SelectedPath() const {
  HWND list = FileList();
  const int line = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  return line < 0 ? std::string() : WithBackslash(folder_) + LineText(list, line);
}

// The file goes to the media deck's video player, quoted: a folder's name may have blanks.
void PreviewerDialog::PlayVideo() {
  const std::string path = SelectedPath();
  if (!path.empty()) StartProgram("sonavo.exe /Video \"" + path + "\"", SW_SHOW);
}

void PreviewerDialog::ShowHelp() {
  WinHelpA(Window(), "VISTREL.HLP", HELP_CONTENTS, 0);
  WinHelpA(Window(), "VISTREL.HLP", HELP_COMMAND,
           reinterpret_cast<ULONG_PTR>("JI(\"VISTREL.HLP\",\"peekwell\")"));
}

LPARAM PreviewerDialog::MakeThumbnail(const std::string& path) {
  HCURSOR kept = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  LPARAM mark = kNotAVideo;
  if (const std::optional<VideoFile> video = VideoFile::Open(path, false)) {
    HDC screen = GetDC(nullptr);
    if (palette_ == nullptr && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE)) {
      palette_ = SystemPaletteCopy(screen);
    }
    HBITMAP thumbnail = video->Thumbnail(thumbnailsOf_, screen, drawDib_, palette_);
    ReleaseDC(nullptr, screen);
    mark = thumbnail != nullptr ? reinterpret_cast<LPARAM>(thumbnail) : kNoDecompressor;
  }
  SetCursor(kept);
  return mark;
}

void PreviewerDialog::RealizeThumbnailPalette(bool background) {
  if (palette_ == nullptr) return;
  HWND list = GetDlgItem(Window(), IDC_THUMBNAILS);
  HDC dc = GetDC(list);
  RealizePaletteIn(dc, palette_, background);
  ReleaseDC(list, dc);
  InvalidateRect(list, nullptr, FALSE);
}

void PreviewerDialog::DrawDrive(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(item.hDC, TRANSPARENT);
  char line[80] = "";
  SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(line));
  const int type = static_cast<int>(item.itemData);
  if (type >= DRIVE_REMOVABLE && type <= DRIVE_RAMDISK) {
    DrawPicture(item.hDC, type, item.rcItem.left + 2,
                (item.rcItem.top + item.rcItem.bottom - 12) / 2);
  }
  RECT text = item.rcItem;
  text.left += 22;
  DrawTextA(item.hDC, line, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PreviewerDialog::DrawFolder(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(item.hDC, TRANSPARENT);
  const LPARAM depth = static_cast<LPARAM>(item.itemData);
  const int count = static_cast<int>(SendMessageA(item.hwndItem, LB_GETCOUNT, 0, 0));
  int pathLines = 0;
  for (int i = 0; i < count; ++i) {
    if (static_cast<LPARAM>(SendMessageA(item.hwndItem, LB_GETITEMDATA, i, 0)) != kSubfolder) {
      ++pathLines;
    }
  }
  const int indent = depth == kSubfolder ? pathLines * kIndent : static_cast<int>(depth) * kIndent;
  const int picture = depth == kSubfolder                           ? IDB_SUBFOLDER
                      : depth == static_cast<LPARAM>(pathLines - 1) ? IDB_CURRENT_FOLDER
                                                                    : IDB_PATH_FOLDER;
  DrawPicture(item.hDC, picture, item.rcItem.left + 2 + indent,
              (item.rcItem.top + item.rcItem.bottom - 12) / 2);
  RECT text = item.rcItem;
  text.left += 22 + indent;
  DrawTextA(item.hDC, LineText(item.hwndItem, static_cast<int>(item.itemID)).c_str(), -1, &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PreviewerDialog::DrawFile(const DRAWITEMSTRUCT& item, bool thumbnail) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const RECT line = item.rcItem;
  FillRect(item.hDC, &line, GetSysColorBrush(COLOR_WINDOW));
  const std::string name = LineText(item.hwndItem, static_cast<int>(item.itemID));
  HGDIOBJ kept = SelectObject(item.hDC, nameFont_);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
  if (!thumbnail) {
    RECT text = line;
    text.left += 4;
    DrawTextA(item.hDC, name.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  } else {
    LPARAM data = static_cast<LPARAM>(item.itemData);
    // Made when its line is first drawn.
    if (data == 0) {
      data = MakeThumbnail(WithBackslash(folder_) + name);
      SendMessageA(item.hwndItem, LB_SETITEMDATA, item.itemID, data);
    }
    const peekwell::LineGeometry geometry = peekwell::LineFor(GetSystemMetrics(SM_CYHSCROLL));
    RECT frame{line.left + geometry.thumbX, line.top + geometry.thumbY,
               line.left + geometry.thumbX + peekwell::kThumbWidth,
               line.top + geometry.thumbY + peekwell::kThumbHeight};
    if (data > 0) {
      HPALETTE keptPalette =
          palette_ != nullptr ? SelectPalette(item.hDC, palette_, TRUE) : nullptr;
      if (palette_ != nullptr) RealizePalette(item.hDC);
      HDC memory = CreateCompatibleDC(item.hDC);
      HGDIOBJ old = SelectObject(memory, reinterpret_cast<HBITMAP>(data));
      BitBlt(item.hDC, frame.left, frame.top, peekwell::kThumbWidth, peekwell::kThumbHeight, memory,
             0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
      if (palette_ != nullptr) SelectPalette(item.hDC, keptPalette, TRUE);
    } else {
      // The marks in Arial 11-pixel, to fit the thumbnail's frame, in its middle.
      HGDIOBJ nameKept = SelectObject(item.hDC, markFont_);
      SetTextColor(item.hDC, RGB(0, 0, 255));
      const std::string mark =
          ResourceText(data == kNoDecompressor ? IDS_NO_DECOMPRESSOR : IDS_UNKNOWN_FORMAT);
      // Its blank lines count too (a measuring DrawText drops a last empty one): the words sit
      // in the middle of the lines as written.
      TEXTMETRICA metrics{};
      GetTextMetricsA(item.hDC, &metrics);
      const int lines = 1 + static_cast<int>(std::count(mark.begin(), mark.end(), '\n'));
      RECT text = frame;
      text.top += std::max(0L, (frame.bottom - frame.top - lines * metrics.tmHeight) / 2);
      DrawTextA(item.hDC, mark.c_str(), -1, &text, DT_CENTER | DT_NOPREFIX);
      SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
      SelectObject(item.hDC, nameKept);
    }
    InflateRect(&frame, 1, 1);
    FrameRect(item.hDC, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT text{line.left, line.bottom - geometry.nameBaseline - 8, line.right,
              line.bottom - geometry.nameBaseline + 8};
    DrawTextA(item.hDC, name.c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  SelectObject(item.hDC, kept);
  if (item.itemState & ODS_SELECTED) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    RECT border = line;
    FrameRect(item.hDC, &border, yellow);
    InflateRect(&border, -1, -1);
    FrameRect(item.hDC, &border, yellow);
    DeleteObject(yellow);
  }
}

bool PreviewerDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  switch (item.CtlID) {
    case IDC_DRIVES:
      DrawDrive(item);
      return true;
    case IDC_FOLDERS:
      DrawFolder(item);
      return true;
    case IDC_THUMBNAILS:
      DrawFile(item, true);
      return true;
    case IDC_NAMES:
      DrawFile(item, false);
      return true;
  }
  return false;
}

// The selected file's name, and its facts or string 10 and three blank lines.
void PreviewerDialog::OnPaint(HDC dc) {
  const RECT emblem = Place(IDC_EMBLEM_PLACE);
  DrawPicture(dc, IDB_EMBLEM, emblem.left, emblem.top);
  const std::string path = SelectedPath();
  const std::string name = path.substr(path.find_last_of('\\') + 1);
  // Both boxes in MS Sans Serif 14-pixel bold.
  HGDIOBJ kept = SelectObject(dc, boldFont_);
  SetBkMode(dc, TRANSPARENT);
  RECT box = nameBox_;
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  InflateRect(&box, -3, -1);
  DrawTextA(dc, name.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  std::vector<std::string> lines{ResourceText(IDS_FORMAT_UNKNOWN), "", "", ""};
  if (path.empty()) lines = {"", "", "", ""};
  if (const std::optional<VideoFile> video =
          path.empty() ? std::nullopt : VideoFile::Open(path, true)) {
    lines = peekwell::InfoLines(video->Facts(), {ResourceText(IDS_FRAMES),
                                                 ResourceText(IDS_SECONDS), ResourceText(IDS_FPS)});
  }
  box = infoBox_;
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  InflateRect(&box, -3, -2);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  DrawTextA(dc, text.c_str(), -1, &box, DT_LEFT | DT_NOPREFIX);
  SelectObject(dc, kept);
}

bool PreviewerDialog::RegisterDeckClass(HINSTANCE instance) {
  WNDCLASSA deck{};
  deck.lpfnWndProc = DeckProc;
  deck.hInstance = instance;
  deck.hCursor = LoadCursor(nullptr, IDC_HAND);
  deck.lpszClassName = kDeckClass;
  return RegisterClassA(&deck) != 0;
}

void PreviewerDialog::Attach(HWND launcher) {
  if (deck_ != nullptr) {
    RemovePropA(deck_, kDeckOwner);
    DestroyWindow(deck_);
  }
  deck_ = nullptr;
  if (browseButton_ != nullptr && IsWindow(browseButton_)) ShowWindow(browseButton_, SW_SHOW);
  browseButton_ = nullptr;
  if (launcher == nullptr || !IsWindow(launcher)) return;
  browseButton_ = GetDlgItem(launcher, kBrowseButton);
  RECT place{0, 0, 142, 31};
  if (browseButton_ != nullptr) {
    GetWindowRect(browseButton_, &place);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&place), 2);
  }
  deck_ = CreateWindowExA(0, kDeckClass, "BROWSER", WS_CHILD, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, launcher,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDeckId)),
                          GetModuleHandleA(nullptr), nullptr);
  if (deck_ == nullptr) return;
  SetPropA(deck_, kDeckOwner, this);
  if (browseButton_ != nullptr) ShowWindow(browseButton_, SW_HIDE);
  ShowWindow(deck_, SW_SHOW);
}

// The deck's areas act as push buttons: pressed while held inside, acting at the release.
LRESULT CALLBACK PreviewerDialog::DeckProc(HWND deck, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* owner = static_cast<PreviewerDialog*>(GetPropA(deck, kDeckOwner));
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const auto areaAt = [&at] {
    for (int i = 0; i < 3; ++i) {
      if (PtInRect(&kDeckAreas[i], at)) return i + 1;
    }
    return 0;
  };
  switch (message) {
    case WM_LBUTTONDOWN:
      if (owner == nullptr) break;
      owner->deckPress_.Press(areaAt());
      if (owner->deckPress_.Held()) SetCapture(deck);
      InvalidateRect(deck, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (owner != nullptr && owner->deckPress_.Move(areaAt())) {
        InvalidateRect(deck, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (owner == nullptr || !owner->deckPress_.Held()) break;
      const int area = owner->deckPress_.Release(areaAt());
      ReleaseCapture();
      InvalidateRect(deck, nullptr, FALSE);
      HWND main = owner->Window();
      if (area == 2) {
        PostMessageA(main, WM_COMMAND, IDC_EXIT, 0);
      } else if (area == 3) {
        ShowWindow(main, IsWindowVisible(main) ? SW_HIDE : SW_SHOWNORMAL);
      }
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(deck, &paint);
      RECT all{};
      GetClientRect(deck, &all);
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      DrawPicture(dc, IDB_BROWSER_DECK, 0, 0);
      // The area held looks pressed while the pointer is on it.
      if (owner != nullptr && owner->deckPress_.Shown() != 0) {
        const RECT area = kDeckAreas[owner->deckPress_.Shown() - 1];
        InvertRect(dc, &area);
      }
      EndPaint(deck, &paint);
      return 0;
    }
    case WM_DESTROY:
      // Gone with Jubilo: a Peekwell that is hidden goes too.
      if (owner != nullptr && owner->deck_ == deck) {
        owner->deck_ = nullptr;
        if (!IsWindowVisible(owner->Window()))
          PostMessageA(owner->Window(), WM_COMMAND, IDC_EXIT, 0);
      }
      return 0;
  }
  return DefWindowProcA(deck, message, wParam, lParam);
}

INT_PTR PreviewerDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == names::kDeckMsgAttach) {
    Attach(reinterpret_cast<HWND>(wParam));
    return TRUE;
  }
  // Minimized while its deck is in Jubilo, it hides instead.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && deck_ != nullptr) {
    ShowWindow(Window(), SW_HIDE);
    return TRUE;
  }
  if (message == WM_QUERYNEWPALETTE) {
    RealizeThumbnailPalette(false);
    SetWindowLongPtrA(Window(), DWLP_MSGRESULT, palette_ != nullptr);
    return TRUE;
  }
  if (message == WM_PALETTECHANGED) {
    if (reinterpret_cast<HWND>(wParam) != Window()) RealizeThumbnailPalette(true);
    return TRUE;
  }
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlID == IDC_THUMBNAILS) {
      measure->itemHeight =
          static_cast<UINT>(peekwell::LineFor(GetSystemMetrics(SM_CYHSCROLL)).height);
    } else if (measure->CtlID == IDC_NAMES || measure->CtlID == IDC_FOLDERS) {
      measure->itemHeight = kNameLineHeight;
    }
    return TRUE;
  }
  // A character typed into a list: the list's own search by first letter (Wine asks the owner
  // of a list with strings too, and the dialog's default answer, 0, would select the first line).
  if (message == WM_CHARTOITEM) return -1;
  // Enter in a list acts as a double click.
  if (message == WM_VKEYTOITEM) {
    HWND list = reinterpret_cast<HWND>(lParam);
    const WORD key = LOWORD(wParam);
    if (key == VK_TAB) {
      const bool back = GetKeyState(VK_SHIFT) < 0;
      SetFocus(GetNextDlgTabItem(Window(), list, back));
    } else if (key == VK_RETURN && GetDlgCtrlID(list) == IDC_FOLDERS) {
      OpenChosenFolder();
    } else if (key == VK_RETURN) {
      PlayVideo();
    } else {
      return -1;  // the list's own keys
    }
    // For this message the procedure's own value is the answer: -2, handled.
    return -2;
  }
  return FALSE;
}

// The three lists take every key, Enter and Tab too: the dialog keys pass through them.
LRESULT CALLBACK PreviewerDialog::AllKeysProc(HWND list, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
  return CallOwnProc(list, message, wParam, lParam);
}

void PreviewerDialog::OnCancel() {
  settingsFile_.WriteString(kSection, "SavePath", folder_);
  settingsFile_.WriteString(kSection, "Preview", std::to_string(static_cast<int>(preview_)));
  const POINT corner = NormalBottomRight(Window());
  sonavo::WriteWindowPos(settingsFile_, kSection, {corner.x, corner.y});
  Attach(nullptr);
  End();
}

std::optional<sonavo::ScreenPoint> PreviewerDialog::ReadCorner() {
  return sonavo::ReadWindowPos(settingsFile_, kSection, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN));
}

void PreviewerDialog::OnDestroy() {
  ForgetThumbnails(true);
  if (drawDib_ != nullptr) DrawDibClose(drawDib_);
  if (palette_ != nullptr) DeleteObject(palette_);
  for (HFONT font : {boldFont_, nameFont_, markFont_}) {
    if (font != nullptr) DeleteObject(font);
  }
  AVIFileExit();
}

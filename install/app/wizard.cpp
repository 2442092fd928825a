#include "install/app/wizard.h"

#include <commctrl.h>

#include "common/win32/bitmap_drawing.h"
#include "common/win32/control_rect.h"
#include "common/win32/list_box.h"
#include "common/win32/program_start.h"
#include "common/win32/resource_text.h"
#include "common/win32/win32_profile.h"
#include "install/app/diskettes.h"
#include "install/app/resource.h"
#include "install/app/windows_language.h"

namespace {

void StretchPicture(HWND page, HDC dc, int pictureId) {
  DrawBitmap(dc, GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pictureId),
             ControlRect(page, IDC_PICTURE_FRAME));
}

void Complain(int text, int languageIndex, const std::vector<std::string>& inserts) {
  MessageBoxA(nullptr, ResourceText(text + languageIndex, inserts).c_str(), "Error",
              MB_OK | MB_ICONSTOP);
}

}  // namespace

bool StartSetupProgram(const std::string& folder, const std::string& program, int languageIndex) {
  char remembered[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, remembered);
  if (!SetCurrentDirectoryA(folder.c_str())) {
    Complain(IDS_SETUP_FOLDER_MISSING, languageIndex, {folder});
    return false;
  }
  const bool started = StartProgram(program, SW_SHOW);
  SetCurrentDirectoryA(remembered);
  if (!started) {
    Complain(IDS_SETUP_NOT_STARTED, languageIndex, {program, folder});
  }
  return started;
}

LanguagePage::LanguagePage(WizardChoice& choice)
    : PropertyPage(IDD_LANGUAGE_PAGE), choice_(choice) {}

void LanguagePage::OnInitDialog() {
  HWND list = GetDlgItem(Window(), IDC_LANGUAGE_LIST);
  for (int index = 0; index < 3; ++index) {
    SendMessageA(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ResourceText(IDS_LANGUAGE_NAMES + index).c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, WindowsLanguageIndex(), 0);
}

void LanguagePage::OnSetActive() {
  SetWizardButtons(PSWIZB_NEXT);
}

bool LanguagePage::OnWizardNext() {
  HWND list = GetDlgItem(Window(), IDC_LANGUAGE_LIST);
  choice_.language = LineText(list, static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
  return true;
}

void LanguagePage::OnPaint(HDC dc) {
  StretchPicture(Window(), dc, IDB_LANGUAGE_PICTURE);
}

InstallPage::InstallPage(WizardChoice& choice) : PropertyPage(IDD_INSTALL_PAGE), choice_(choice) {
  OnCommand(IDC_INSTALL_BUTTON, BN_CLICKED, [this] { OnInstall(); });
  OnCommand(IDC_COPY_BUTTON, BN_CLICKED, [this] { OnCopy(); });
}

void InstallPage::OnInitDialog() {
  // The bitmap buttons take their pictures' size.
  for (int id : {IDC_INSTALL_BUTTON, IDC_COPY_BUTTON}) {
    HBITMAP face =
        LoadBitmapA(GetModuleHandleA(nullptr), id == IDC_INSTALL_BUTTON ? "INSTALLU" : "COPYU");
    BITMAP size{};
    GetObjectA(face, sizeof(size), &size);
    DeleteObject(face);
    SetWindowPos(GetDlgItem(Window(), id), nullptr, 0, 0, size.bmWidth, size.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  Win32Profile script(install::kScriptFile);
  if (install::ReadInstallScript(script).numberOfDisks == 0) {
    for (int id : {IDC_COPY_BUTTON, IDC_COPY_TEXT, IDC_DRIVE_TEXT, IDC_DISKETTE_DRIVE}) {
      ShowWindow(GetDlgItem(Window(), id), SW_HIDE);
    }
  }
  ShowTexts();
}

void InstallPage::OnSetActive() {
  SetWizardButtons(choice_.languagePage ? PSWIZB_BACK : 0);
  ShowTexts();
  InvalidateRect(Window(), nullptr, TRUE);
}

void InstallPage::ShowTexts() {
  language_ = install::LanguageNamed(choice_.language);
  const struct {
    int control;
    int text;
  } kTexts[] = {{IDC_SELECTED_TEXT, IDS_SELECTED},
                {IDC_INSTALL_TEXT, IDS_START_INSTALLATION},
                {IDC_COPY_TEXT, IDS_MAKE_DISKETTES},
                {IDC_DRIVE_TEXT, IDS_DISKETTE_DRIVE}};
  for (const auto& entry : kTexts) {
    SetDlgItemTextA(Window(), entry.control, ResourceText(entry.text + language_.index).c_str());
  }
  SetDlgItemTextA(Window(), IDC_DISKETTE_DRIVE, "A:");
}

void InstallPage::OnPaint(HDC dc) {
  StretchPicture(Window(), dc, IDB_INSTALL_PICTURE);
  const RECT at = ControlRect(Window(), IDC_LANGUAGE_NAME_AT);
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(Window(), WM_GETFONT, 0, 0)));
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, at.left, at.top, choice_.language.c_str(),
           static_cast<int>(choice_.language.size()));
  SelectObject(dc, oldFont);
}

bool InstallPage::OnDrawItem(const DRAWITEMSTRUCT& item) {
  DrawBitmapButton(item);
  return true;
}

void InstallPage::OnInstall() {
  PropSheet_PressButton(GetParent(Window()), PSBTN_CANCEL);
  Win32Profile script(install::kScriptFile);
  StartSetupProgram(install::SetupFolder(script, choice_.product, language_.code),
                    install::SetupProgram(script), language_.index);
}

void InstallPage::OnCopy() {
  char drive[8] = "";
  GetDlgItemTextA(Window(), IDC_DISKETTE_DRIVE, drive, sizeof(drive));
  MakeDiskettes(Window(), {choice_.product, language_}, drive[0]);
}

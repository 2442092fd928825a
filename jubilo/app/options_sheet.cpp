#include "jubilo/app/options_sheet.h"

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "common/framework/property_sheet.h"
#include "common/interop/suite_names.h"
#include "common/win32/resource_text.h"
#include "common/win32/suite_windows.h"
#include "jubilo/app/resource.h"

namespace {

constexpr int kIntroShortest = 5;
constexpr int kIntroLongest = 15;
constexpr int kJubiloPage = 5;
constexpr int kMixer = 4;
constexpr int kVideoPlayer = 3;

}  // namespace

void OptionsPageDialog::OnInitDialog() {
  const jubilo::OptionValues values = jubilo::ReadOptions(page_, settings_);
  for (const auto& [id, checked] : values.boxes) {
    CheckDlgButton(Window(), id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  for (const auto& [first, value] : values.radios) {
    CheckRadioButton(Window(), first, first + 1, first + value);
  }
  if (page_.introEdit != 0) {
    SendDlgItemMessageA(Window(), page_.introEdit, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessageA(Window(), page_.introEdit + 1, UDM_SETRANGE, 0,
                        MAKELPARAM(kIntroLongest, kIntroShortest));
    SetDlgItemTextA(Window(), page_.introEdit, values.intro.c_str());
  }
  EnableShowBoxes();
  shown_ = true;
}

// Any change marks the sheet changed; a start box enables its show box.
INT_PTR OptionsPageDialog::OnOtherCommand(int /*id*/, int code) {
  if (shown_ && (code == BN_CLICKED || code == EN_CHANGE)) {
    EnableShowBoxes();
    SetModified(true);
  }
  return FALSE;
}

void OptionsPageDialog::EnableShowBoxes() {
  for (const jubilo::OptionBox& box : page_.boxes) {
    if (!box.followsPrevious) continue;
    EnableWindow(GetDlgItem(Window(), box.id), IsDlgButtonChecked(Window(), box.id - 1));
  }
}

jubilo::OptionValues OptionsPageDialog::Values() const {
  jubilo::OptionValues values;
  for (const jubilo::OptionBox& box : page_.boxes) {
    values.boxes[box.id] = IsDlgButtonChecked(Window(), box.id) == BST_CHECKED;
  }
  for (const jubilo::OptionRadio& radio : page_.radios) {
    values.radios[radio.firstId] = IsDlgButtonChecked(Window(), radio.firstId + 1) ? 1 : 0;
  }
  if (page_.introEdit != 0) {
    char typed[8] = "";
    GetDlgItemTextA(Window(), page_.introEdit, typed, sizeof(typed));
    values.intro = typed;
  }
  return values;
}

bool OptionsPageDialog::IntroValid() const {
  if (page_.introEdit == 0 || jubilo::IntroLength(Values().intro)) return true;
  MessageBoxA(Window(), ResourceText(IDS_BAD_INTRO).c_str(), ResourceText(IDS_CAPTION).c_str(),
              MB_OK | MB_ICONWARNING);
  return false;
}

bool OptionsPageDialog::OnKillActive() {
  return IntroValid();
}

bool OptionsPageDialog::OnApply() {
  if (!IntroValid() || !jubilo::WriteOptions(page_, Values(), settings_)) return false;
  PostMessageA(panel_, kOptionsAppliedMsg, static_cast<WPARAM>(page_.kind), 0);
  return true;
}

// The Jubilo page's program is the video player, which shows the video in the panel's screen.
void TellProgramOfPage(int pageKind) {
  HWND program = nullptr;
  if (pageKind == kMixer) {
    program = FindSuiteWindow(names::kMixerClass, std::nullopt);
  } else {
    const int kind = pageKind == kJubiloPage ? kVideoPlayer : pageKind;
    program = FindSuiteWindow(names::kDeckClass, static_cast<std::uintptr_t>(kind));
  }
  if (program != nullptr) PostMessageA(program, names::kDeckMsgReloadSettings, 0, 0);
}

void ShowOptionsSheet(HWND panel, ProfileStore& settings) {
  ModalPropertySheet sheet("Configure Options");
  sheet.ShowHelpButton();
  std::vector<std::unique_ptr<OptionsPageDialog>> pages;
  for (const jubilo::OptionsPage& page : jubilo::OptionsPages()) {
    pages.push_back(std::make_unique<OptionsPageDialog>(page, settings, panel));
    sheet.AddPage(*pages.back());
  }
  sheet.DoModal(GetModuleHandleA(nullptr), panel);
}

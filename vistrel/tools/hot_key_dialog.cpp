#include "vistrel/tools/hot_key_dialog.h"

#include "common/interop/suite_names.h"
#include "vistrel/core/hot_keys.h"
#include "vistrel/shell/resource.h"

namespace {

struct KeyGroup {
  int key;
  int shift;
  int ctrl;
  int alt;
  settings::IntSetting setting;
};

constexpr KeyGroup kGroups[] = {
    {IDC_PAN_KEY, IDC_PAN_SHIFT, IDC_PAN_CTRL, IDC_PAN_ALT, settings::kHotKeyPan},
    {IDC_VISTREL_KEY, IDC_VISTREL_SHIFT, IDC_VISTREL_CTRL, IDC_VISTREL_ALT,
     settings::kHotKeyVistrel},
};

void Check(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Checked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

}  // namespace

HotKeyDialog::HotKeyDialog(settings::MarovaneSettings& settings)
    : ModalDialog(IDD_HOT_KEY_SELECTION), settings_(settings) {}

void HotKeyDialog::OnInitDialog() {
  const auto& table = HotKeyTable();
  for (const KeyGroup& group : kGroups) {
    // Inserted at their positions, so the sorted combo boxes keep the table's order.
    for (std::size_t i = 0; i < table.size(); ++i) {
      SendDlgItemMessageA(Window(), group.key, CB_INSERTSTRING, i,
                          reinterpret_cast<LPARAM>(table[i].name.c_str()));
    }
    const int value = settings_.Read(group.setting);
    Check(Window(), group.shift, value & settings::kHotKeyShift);
    Check(Window(), group.ctrl, value & settings::kHotKeyCtrl);
    Check(Window(), group.alt, value & settings::kHotKeyAlt);
    SendDlgItemMessageA(Window(), group.key, CB_SETCURSEL,
                        static_cast<WPARAM>(HotKeyEntryOf(value)), 0);
  }
  CentreOnParent();
}

void HotKeyDialog::OnOK() {
  for (const KeyGroup& group : kGroups) {
    const auto entry =
        static_cast<int>(SendDlgItemMessageA(Window(), group.key, CB_GETCURSEL, 0, 0));
    settings_.Write(group.setting,
                    HotKeyValue(entry, Checked(Window(), group.shift),
                                Checked(Window(), group.ctrl), Checked(Window(), group.alt)));
  }
  WinExec(names::kTrayvelProgram, SW_HIDE);
  End(IDOK);
}

#include "vistrel/tools/reach_us_page.h"

#include <shellapi.h>

#include "vistrel/shell/resource.h"

CPPage4::CPPage4() : PropertyPage(IDD_REACH_US) {
  OnCommand(IDC_CLICK_HERE, BN_CLICKED, [this] {
    ShellExecuteA(Window(), "open", "default.htm", nullptr, nullptr, SW_SHOWNORMAL);
  });
}

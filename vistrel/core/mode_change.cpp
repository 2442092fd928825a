#include "vistrel/core/mode_change.h"

#include <cstdio>

#include "common/interop/suite_names.h"
#include "vistrel/core/font_size.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr long kChangeSuccessful = 0;

int WidthOf(int area) {
  return area >= 0 && area < kAreaCount ? kAreaWidths[area] : 640;
}
int HeightOf(int area) {
  return area >= 0 && area < kAreaCount ? kAreaHeights[area] : 480;
}

// 640 x 480 shows Small Fonts whatever the size in effect: staying there changes no font.
bool FontChanges(const DisplaySettings& pending, const DisplaySettings& applied) {
  return pending.fontDpi != applied.fontDpi &&
         !(pending.desktopArea == 0 && applied.desktopArea == 0);
}

bool Same(const DisplaySettings& pending, const DisplaySettings& applied) {
  return pending.desktopArea == applied.desktopArea &&
         pending.viewportArea == applied.viewportArea && pending.colorDepth == applied.colorDepth &&
         pending.refreshCode == applied.refreshCode && !FontChanges(pending, applied);
}

std::string DesktopText(int width) {
  for (int i = 0; i < kAreaCount; ++i) {
    if (kAreaWidths[i] == width)
      return std::to_string(width) + "x" + std::to_string(kAreaHeights[i]);
  }
  return "640x480";
}

}  // namespace

std::string DescribeMode(const std::string& prefix, int viewportWidth, int viewportHeight,
                         int desktopWidth, int refreshCode, int colourDepth,
                         const std::vector<RefreshEntry>& refreshList, PageControls& strings) {
  std::string label = refreshList.empty() ? "Auto" : refreshList.front().label;
  for (std::size_t i = 0; i < refreshList.size() && i < 8; ++i) {
    if (refreshList[i].code == refreshCode) {
      label = refreshList[i].label;
      break;
    }
  }
  const int colourId =
      colourDepth >= 0 && colourDepth <= 4 ? kColourNameIds[colourDepth] : IDS_256_COLOR;
  std::string text = prefix + "\n\n" + strings.String(IDS_MODE_SELECTED) + ": " +
                     std::to_string(viewportWidth) + "x" + std::to_string(viewportHeight) + " / " +
                     DesktopText(desktopWidth) + ", " + strings.String(colourId) + ", " + label +
                     " " + strings.String(IDS_REFRESH_RATE);
  if (label != "Auto") {
    text += ", " + ScanRate(viewportWidth, label) + " kHz " + strings.String(IDS_SCAN_RATE);
  }
  return text + ".";
}

int BounceMode(const ModeList& modes, int desktopWidth, int bitsPerPixel) {
  const auto bits = static_cast<std::uint32_t>(bitsPerPixel);
  const int bounce = modes.Find(desktopWidth == 1024 ? 800u : 1024u, bits);
  return bounce >= 0 ? bounce : modes.Find(640u, bits);
}

void ModeChange::Apply() {
  DisplaySettings& pending = page_.pending;
  DisplaySettings& applied = page_.applied;
  settings_.Write(settings::kTaskbarIcon, page_.taskbarIcon);
  actions_.SendTrayCommand(page_.taskbarIcon ? names::kAddTaskbarIcon : names::kRemoveTaskbarIcon);
  settings_.Write(settings::kLatchwin, page_.popupCentering);
  actions_.StartTrayvel();
  settings_.Write(settings::kPanLock, page_.panLock);
  actions_.SendPanLockEscape(page_.panLock != 0);

  if (Same(pending, applied)) {
    controls_.MarkChanged(false);
    return;
  }
  controls_.MarkChanged(true);
  const int desktopWidth = WidthOf(pending.desktopArea);
  const int viewportWidth = WidthOf(pending.viewportArea);
  const int viewportHeight = HeightOf(pending.viewportArea);
  const int bits = BitsOfColourDepth(pending.colorDepth);

  page_.BuildModeList();
  const int mode = page_.modeList.Find(static_cast<std::uint32_t>(desktopWidth),
                                       static_cast<std::uint32_t>(bits));
  if (mode < 0) {
    std::string format = controls_.String(IDS_NOT_SUPPORTED);
    char text[256];
    std::snprintf(text, sizeof(text), format.c_str(), desktopWidth, bits);
    actions_.Ask(ApplyActions::Box::NotSupported, text);
    return;
  }

  const RestartKind kind = FontChanges(pending, applied)              ? RestartKind::FontSize
                           : pending.colorDepth != applied.colorDepth ? RestartKind::ColourDepth
                                                                      : RestartKind::None;
  if (kind != RestartKind::None) {
    const std::string text = DescribeMode(controls_.String(IDS_RESTART_QUESTION), viewportWidth,
                                          viewportHeight, desktopWidth, pending.refreshCode,
                                          pending.colorDepth, page_.refreshList, controls_);
    if (!actions_.Ask(ApplyActions::Box::RestartQuestion, text)) {
      RestoreChoice();
      return;
    }
    WriteViewport(pending.viewportArea, pending.desktopArea);
    if (kind == RestartKind::FontSize) WriteFontSize(registry_, pending.fontDpi);
    settings_.WriteRefresh(pending.viewportArea, pending.refreshCode);
    ChangeMode(mode, kind);
    return;
  }

  const std::string notice =
      controls_.String(IDS_CHANGE_NOTICE) + controls_.String(IDS_CHANGE_NOTICE_WAIT);
  const std::string text =
      notice + DescribeMode("", viewportWidth, viewportHeight, desktopWidth, pending.refreshCode,
                            pending.colorDepth, page_.refreshList, controls_);
  if (!actions_.Ask(ApplyActions::Box::ChangeNotice, text)) {
    RestoreChoice();
    return;
  }
  WriteViewport(pending.viewportArea, pending.desktopArea);
  settings_.WriteRefresh(pending.viewportArea, pending.refreshCode);
  if (pending.desktopArea == applied.desktopArea) {
    ChangeMode(BounceMode(page_.modeList, desktopWidth, bits), RestartKind::None);
  }
  ChangeMode(mode, RestartKind::None);
  if (actions_.RunVideoTest()) {
    // No font is written on this road: the size in effect stays.
    const int fontInEffect = applied.fontDpi;
    applied = pending;
    applied.fontDpi = fontInEffect;
    controls_.MarkChanged(false);
    return;
  }
  RestoreMode();
}

void ModeChange::ChangeMode(int position, RestartKind kind) {
  ModeEntry* entry = page_.modeList.Entry(position);
  if (entry == nullptr) return;
  entry->lastResult = actions_.ChangeDisplaySettings(entry->mode);
  if (entry->lastResult == kChangeSuccessful && kind == RestartKind::None) return;
  const bool started =
      kind != RestartKind::None ? actions_.StartRestartProgram() : actions_.LogOff();
  if (!started) actions_.Beep();
}

void ModeChange::WriteViewport(int viewportArea, int desktopArea) {
  if (viewportArea == desktopArea) {
    settings_.WriteScreenResolution(0, 0);
  } else {
    settings_.WriteScreenResolution(WidthOf(viewportArea), HeightOf(viewportArea));
  }
}

void ModeChange::RestoreChoice() {
  page_.previousDesktopArea = page_.pending.desktopArea;
  page_.previousColorDepth = page_.pending.colorDepth;
  page_.pending = page_.applied;
  page_.UpdateAfterReset();
}

void ModeChange::RestoreMode() {
  DisplaySettings& pending = page_.pending;
  const DisplaySettings applied = page_.applied;
  const int triedDesktop = pending.desktopArea;
  const int triedViewport = pending.viewportArea;
  page_.previousDesktopArea = triedDesktop;
  page_.previousColorDepth = pending.colorDepth;
  pending = applied;
  settings_.WriteRefresh(triedViewport, applied.refreshCode);
  page_.UpdateAfterReset();

  const int oldWidth = WidthOf(applied.desktopArea);
  const int oldBits = BitsOfColourDepth(applied.colorDepth);
  const int oldMode = page_.modeList.Find(static_cast<std::uint32_t>(oldWidth),
                                          static_cast<std::uint32_t>(oldBits));
  WriteViewport(applied.viewportArea, applied.desktopArea);
  WriteFontSize(registry_, applied.fontDpi);
  if (applied.desktopArea == triedDesktop) {
    ChangeMode(BounceMode(page_.modeList, oldWidth, oldBits), RestartKind::None);
  }
  ChangeMode(oldMode, RestartKind::None);
  actions_.Ask(ApplyActions::Box::Restored, controls_.String(IDS_RESTORED));
  controls_.MarkChanged(false);
}

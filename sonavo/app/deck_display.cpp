#include "sonavo/app/deck_display.h"

#include "sonavo/app/resource.h"
#include "sonavo/core/display_font.h"

namespace {

constexpr sonavo::Rgb kPanelEdge{60, 66, 72};
constexpr sonavo::Rgb kLabelGrey{150, 160, 168};

const char* ModeWord(int id) {
  switch (id) {
    case IDC_MODE_NORMAL:
      return "NORMAL";
    case IDC_MODE_INTRO:
      return "INTRO";
    case IDC_MODE_SHUFFLE:
      return "SHUFFLE";
    default:
      return "PROGRAM";
  }
}

}  // namespace

DeckDisplay::DeckDisplay(HWND deck, sonavo::PlayerKind kind)
    : deck_(deck),
      kind_(kind),
      painter_(kind),
      frame_(Place(IDC_DISPLAY_FRAME)),
      entryLabel_(Place(IDC_ENTRY_LABEL)),
      entry_(Place(IDC_ENTRY_FIELD)),
      timeLabel_(Place(IDC_TIME_LABEL)),
      time_(Place(IDC_TIME_FIELD)),
      minutes_(Place(IDC_MINUTES_LABEL)),
      seconds_(Place(IDC_SECONDS_LABEL)),
      play_(Place(IDC_PLAY_MARK)),
      pause_(Place(IDC_PAUSE_MARK)),
      repeat_(Place(IDC_REPEAT_MARK)),
      abLabel_(Place(IDC_AB_LABEL)),
      emblem_(Place(IDC_EMBLEM)),
      face_(Place(IDC_FACE)),
      repeatLabel_(Place(IDC_REPEAT_LABEL)),
      modeLabel_(Place(IDC_MODE_LABEL)),
      editLabel_(Place(IDC_EDIT_LABEL)),
      videoTime_(Place(IDC_VIDEO_TIME)),
      top_{} {
  GetClientRect(deck, &top_);
  top_.bottom = frame_.top;
}

RECT DeckDisplay::Place(int id) const {
  RECT place{};
  HWND control = GetDlgItem(deck_, id);
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, deck_, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void DeckDisplay::Paint(HDC dc, const DisplaySnapshot& shown) const {
  RECT all{};
  GetClientRect(deck_, &all);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  // The display's window, framed in the panel's grey.
  HBRUSH edge = CreateSolidBrush(ColourOf(kPanelEdge));
  RECT outline = frame_;
  FrameRect(dc, &outline, edge);
  DeleteObject(edge);
  char name[32] = "";
  GetWindowTextA(deck_, name, sizeof(name));
  std::string title;
  for (const char* c = name; *c != '\0'; ++c) {
    title += static_cast<char>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c);
  }
  const auto at = sonavo::CentredLabel(title, sonavo::kLabelSpacing, all.right, top_.bottom);
  painter_.Label(dc, title, at.x, at.y, sonavo::kLabelSpacing, kLabelGrey);
  // The keys' words, centred under them.
  const auto under = [&](const RECT& place, const std::string& word) {
    const int x = (place.left + place.right - sonavo::LabelWidth(word, 1)) / 2;
    painter_.Label(dc, word, x, place.top, 1, kLabelGrey);
  };
  under(repeatLabel_, "REPEAT");
  under(modeLabel_, "MODE");
  under(editLabel_, "EDIT;");

  const bool lit = sonavo::DisplayLit(shown.loaded, shown.blinkOn);
  const sonavo::Rgb ink = lit ? sonavo::kLitColour : sonavo::kUnlitColour;
  painter_.Label(dc, kind_ == sonavo::PlayerKind::Cd ? "TRACK" : "FILE", entryLabel_.left,
                 entryLabel_.top, sonavo::kLabelSpacing, ink);
  painter_.Label(dc, shown.frames ? "FRAME" : "TIME", timeLabel_.left, timeLabel_.top,
                 sonavo::kLabelSpacing, ink);
  painter_.Digits(dc, shown.entry > 0 ? sonavo::EntryText(shown.entry) : "00", entry_.left,
                  entry_.top, lit && shown.entry > 0);
  painter_.Digits(dc, shown.time.empty() ? "00:00" : shown.time, time_.left, time_.top, lit);
  if (!shown.frames) {
    painter_.Label(dc, "M", minutes_.left, minutes_.top, 0, ink);
    painter_.Label(dc, "S", seconds_.left, seconds_.top, 0, ink);
  }
  painter_.DrawMark(dc, DeckPainter::Mark::Play, play_, lit && shown.playing);
  painter_.DrawMark(dc, DeckPainter::Mark::Pause, pause_, lit && shown.paused);
  painter_.DrawMark(dc, DeckPainter::Mark::Repeat, repeat_, lit && shown.repeat);
  if (shown.trackRepeat) {
    painter_.DrawMark(dc, DeckPainter::Mark::TrackRepeat, repeat_, lit && shown.repeat);
  }
  painter_.Label(dc, "A=B", abLabel_.left, abLabel_.top, sonavo::kLabelSpacing,
                 lit && shown.abActive ? sonavo::kAbActive : sonavo::kUnlitColour);
  painter_.DrawMark(dc, DeckPainter::Mark::Emblem, emblem_, lit);
  painter_.DrawMark(dc, DeckPainter::Mark::Face, face_, lit);
}

bool DeckDisplay::DrawItem(const DRAWITEMSTRUCT& item, const DisplaySnapshot& shown) const {
  if (item.CtlType != ODT_BUTTON) return false;
  const int id = static_cast<int>(item.CtlID);
  const bool enabled = !(item.itemState & ODS_DISABLED);
  const bool pressed = item.itemState & ODS_SELECTED;
  RECT field = item.rcItem;
  if (id >= IDC_MODE_NORMAL && id <= IDC_MODE_PROGRAM) {
    const bool selected = shown.loaded && static_cast<int>(shown.mode) == id - IDC_MODE_NORMAL;
    const bool blink = !shown.loaded && shown.blinkOn;
    sonavo::ButtonLook look = sonavo::ModeButtonLook(selected || pressed, blink, enabled);
    painter_.LabelIn(item.hDC, field, ModeWord(id), sonavo::kLabelSpacing, look);
  } else if (id == IDC_AB) {
    const sonavo::ButtonLook look =
        sonavo::AbButtonLook(shown.abActive || pressed, shown.onlyA, shown.blinkOn);
    painter_.LabelIn(item.hDC, field, "A=B", sonavo::kLabelSpacing, look);
  } else if ((id >= IDC_TRACK_FIRST && id <= IDC_TRACK_LAST) || id == IDC_NEXT_PAGE) {
    const bool next = id == IDC_NEXT_PAGE;
    const int entry = next ? 0 : sonavo::EntryOfButton(shown.page, id - IDC_TRACK_FIRST + 1);
    const bool current = (entry > 0 && entry == shown.entry) || pressed;
    const std::string number = next ? "=>" : std::to_string(entry);
    painter_.LabelIn(item.hDC, field, number, next ? 0 : sonavo::kTrackNumberSpacing,
                     sonavo::TrackButtonLook(current, enabled));
  } else {
    painter_.Key(item);
  }
  return true;
}

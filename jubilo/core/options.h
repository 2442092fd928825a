#pragma once
// "Configure Options": the six pages of the media programs' options, each a set of boxes, radio
// pairs and an intro length, read from and written to MAROVANE.INI.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/store/profile_store.h"

namespace jubilo {

struct OptionBox {
  int id;
  const char* key;
  bool shownByDefault;
  // A "Show main player" box: enabled only while the box before it (id - 1) is checked.
  bool followsPrevious = false;
};

struct OptionRadio {
  int firstId;  // value 0; the second button (firstId + 1) is value 1
  const char* key;
  int defaultValue;
  const char* section = nullptr;  // another section than the page's (StretchVideo)
};

struct OptionsPage {
  int templateId;
  int kind;  // the program the page is for: 0-3 players, 4 the mixer, 5 Jubilo
  const char* section;
  std::vector<OptionBox> boxes;
  std::vector<OptionRadio> radios;
  int introEdit = 0;  // 0: no intro length on this page
};

// In the sheet's order: Jubilo, Video, CD, MIDI, Wave, Mixer.
const std::vector<OptionsPage>& OptionsPages();

// What a page's controls hold: each box and radio pair by its first id, and the intro length as
// typed.
struct OptionValues {
  std::map<int, bool> boxes;
  std::map<int, int> radios;
  std::string intro;
};

OptionValues ReadOptions(const OptionsPage& page, ProfileStore& settings);
// False (and nothing written) when the intro length is not a number from 5 to 15.
bool WriteOptions(const OptionsPage& page, const OptionValues& values, ProfileStore& settings);
// The intro length typed, when it is a number from 5 to 15.
std::optional<int> IntroLength(const std::string& typed);

}  // namespace jubilo

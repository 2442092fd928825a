#include "jubilo/core/options.h"

#include <cctype>

namespace jubilo {

namespace {

constexpr int kIntroDefault = 10;
constexpr int kIntroShortest = 5;
constexpr int kIntroLongest = 15;

const std::vector<OptionsPage> kPages = {
    {226,
     5,
     "Jubilo",
     {{1212, "OnCD", false},
      {1213, "OnCDShow", false, true},
      {1214, "OnMIDI", false},
      {1215, "OnMIDIShow", false, true},
      {1216, "OnWave", false},
      {1217, "OnWaveShow", false, true},
      {1218, "OnVideo", false},
      {1219, "OnVideoShow", false, true},
      {1220, "OnMixer", false},
      {1221, "OnMixerShow", false, true}},
     {{1196, "StretchVideo", 0, "Video Player"}}},
    {229,
     3,
     "Video Player",
     {{1193, "AutoPlay", false}, {1183, "AlwaysOnTop", false}, {1231, "AutoLoad", false}},
     {{1206, "AudioSource", 0}},
     1228},
    {225,
     0,
     "CD Player",
     {{1190, "AutoPlay", true}, {1201, "StopOnExit", false}, {1180, "AlwaysOnTop", false}},
     {{1199, "AudioSource", 0}},
     1209},
    {227,
     1,
     "MIDI Player",
     {{1191, "AutoPlay", false}, {1181, "AlwaysOnTop", false}, {1230, "AutoLoad", false}},
     {},
     1224},
    {230,
     2,
     "Wave Player",
     {{1192, "AutoPlay", false}, {1182, "AlwaysOnTop", false}, {1232, "AutoLoad", false}},
     {},
     1226},
    {228, 4, "Mixer", {{1221, "AlwaysOnTop", false}, {1222, "MicOff", true}}, {}},
};

int ReadNumber(ProfileStore& settings, const char* section, const char* key, int otherwise) {
  return ReadProfileInt(settings, section, key, otherwise);
}

}  // namespace

const std::vector<OptionsPage>& OptionsPages() {
  return kPages;
}

OptionValues ReadOptions(const OptionsPage& page, ProfileStore& settings) {
  OptionValues values;
  for (const OptionBox& box : page.boxes) {
    values.boxes[box.id] = ReadNumber(settings, page.section, box.key, box.shownByDefault) == 1;
  }
  for (const OptionRadio& radio : page.radios) {
    const char* section = radio.section != nullptr ? radio.section : page.section;
    values.radios[radio.firstId] =
        ReadNumber(settings, section, radio.key, radio.defaultValue) == 1 ? 1 : 0;
  }
  if (page.introEdit != 0) {
    const int intro = ReadNumber(settings, page.section, "IntroLength", kIntroDefault);
    values.intro =
        std::to_string(intro >= kIntroShortest && intro <= kIntroLongest ? intro : kIntroDefault);
  }
  return values;
}

std::optional<int> IntroLength(const std::string& typed) {
  if (typed.empty() || typed.size() > 2) return std::nullopt;
  for (char c : typed) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  const int value = std::stoi(typed);
  if (value < kIntroShortest || value > kIntroLongest) return std::nullopt;
  return value;
}

bool WriteOptions(const OptionsPage& page, const OptionValues& values, ProfileStore& settings) {
  std::optional<int> intro;
  if (page.introEdit != 0) {
    intro = IntroLength(values.intro);
    if (!intro) return false;
  }
  for (const OptionBox& box : page.boxes) {
    const auto value = values.boxes.find(box.id);
    const bool checked = value != values.boxes.end() && value->second;
    settings.WriteString(page.section, box.key, checked ? "1" : "0");
  }
  for (const OptionRadio& radio : page.radios) {
    const auto value = values.radios.find(radio.firstId);
    const char* section = radio.section != nullptr ? radio.section : page.section;
    settings.WriteString(section, radio.key,
                         value != values.radios.end() && value->second == 1 ? "1" : "0");
  }
  if (intro) settings.WriteString(page.section, "IntroLength", std::to_string(*intro));
  return true;
}

}  // namespace jubilo

#include "common/settings/marovane_settings.h"

#include <algorithm>

#include "common/text/number_text.h"

namespace settings {
namespace {

std::vector<int> DefaultNumbers(const ListSetting& setting) {
  const std::string defaultText = setting.defaultText;
  const std::size_t count = 1 + std::count(defaultText.begin(), defaultText.end(), ',');
  return text::ParseIntList(defaultText, std::vector<int>(count, 0));
}

}  // namespace

ListSetting TimingSetting(int screenWidth, const std::string& chipSuffix) {
  int prefixWidth = 640;
  for (int width : {800, 1024, 1152, 1280, 1600}) {
    if (screenWidth == width) prefixWidth = width;
  }
  return {"C" + std::to_string(prefixWidth) + "-" + chipSuffix, "-1,-1,-1,-1,-1,-1,-1,-1,-1", 100};
}

int RefreshSlot(int resolutionIndex) {
  if (resolutionIndex < 0 || resolutionIndex > 4) return -1;
  return resolutionIndex <= 2 ? resolutionIndex : resolutionIndex + 1;
}

int MarovaneSettings::Read(const IntSetting& setting) {
  return ReadProfileInt(profile_, kSection, setting.key, setting.defaultValue);
}

void MarovaneSettings::Write(const IntSetting& setting, int value) {
  profile_.WriteString(kSection, setting.key, std::to_string(value));
}

std::string MarovaneSettings::Read(const TextSetting& setting) {
  return profile_.ReadString(kSection, setting.key, setting.defaultText, setting.bufferSize);
}

void MarovaneSettings::Write(const TextSetting& setting, const std::string& value) {
  profile_.WriteString(kSection, setting.key, value.substr(0, setting.bufferSize - 1));
}

std::vector<int> MarovaneSettings::Read(const ListSetting& setting) {
  const std::string value =
      profile_.ReadString(kSection, setting.key, setting.defaultText, setting.bufferSize);
  return text::ParseIntList(value, DefaultNumbers(setting));
}

void MarovaneSettings::Write(const ListSetting& setting, const std::vector<int>& values) {
  profile_.WriteString(kSection, setting.key, text::FormatIntList(values));
}

void MarovaneSettings::Delete(const std::string& key) {
  profile_.DeleteKey(kSection, key);
}

Size MarovaneSettings::ReadScreenResolution() {
  const std::string value = profile_.ReadString(
      kSection, kScreenResolution.key, kScreenResolution.defaultText, kScreenResolution.bufferSize);
  const std::vector<int> numbers = text::ScanIntList(value, {0, 0});
  return {numbers[0], numbers[1]};
}

void MarovaneSettings::WriteScreenResolution(int width, int height) {
  if (width == 0) {
    Delete(kScreenResolution.key);
  } else {
    Write(kScreenResolution, {width, height});
  }
}

int MarovaneSettings::ReadRefresh(int resolutionIndex) {
  const int slot = RefreshSlot(resolutionIndex);
  return slot < 0 ? -1 : Read(kRefresh)[slot];
}

void MarovaneSettings::WriteRefresh(int resolutionIndex, int code) {
  const int slot = RefreshSlot(resolutionIndex);
  if (slot < 0) return;
  std::vector<int> codes = Read(kRefresh);
  codes[slot] = code;
  Write(kRefresh, codes);
}

}  // namespace settings

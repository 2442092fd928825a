#pragma once
// The Display Configuration page's controls and the simulated PC's driver as plain data.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "machine/core/card.h"
#include "machine/core/display_modes.h"
#include "tests/native/fakes.h"
#include "vistrel/core/display_configuration.h"
#include "vistrel/shell/resource.h"

// The page's controls as plain data, with a trackbar's clamping.
class FakeControls : public PageControls {
 public:
  struct Control {
    bool enabled = true;
    bool checked = false;
    std::string text;
    std::vector<std::pair<std::string, int>> items;
    int selection = -1;
    int sliderMax = 0;
    int sliderPosition = 0;
  };

  std::string String(int id) override {
    static const std::map<int, std::string> strings = {
        {59142, "640 by 480 pixels"},
        {59143, "800 by 600 pixels"},
        {59144, "1024 by 768 pixels"},
        {59145, "1280 by 1024 pixels"},
        {59146, "1600 by 1200 pixels"},
        {IDS_LARGE_FONTS, "Large Fonts"},
        {IDS_HIGH_COLOR, "High Color (16 bit)"},
        {IDS_TRUE_COLOR_24, "True Color (24 bit)"},
        {IDS_TRUE_COLOR_32, "True Color (32 bit)"},
        {IDS_256_COLOR, "256 Color"},
        {IDS_16_COLOR, "16 Color"},
        {IDS_CUSTOM_FONT_SIZE, "Custom Font Size"},
        {IDS_SMALL_FONTS, "Small Fonts"},
        {IDS_RESTART_QUESTION,
         "You must restart your computer before the new settings will take effect.  Do you "
         "want to restart your computer now?"},
        {IDS_NOT_SUPPORTED, "%d horizontal res with %d color depth not supported."},
        {IDS_CHANGE_NOTICE,
         "Windows will now change your display configuration.  This could take a few "
         "seconds, during which your screen might flicker.  "},
        {IDS_RESTORED, "Windows has restored your original display configuration."},
        {IDS_CHANGE_NOTICE_WAIT,
         "If Windows does not reappear correctly, wait 10 seconds, and your original settings "
         "will be restored."},
        {IDS_MODE_SELECTED, "Mode selected"},
        {IDS_REFRESH_RATE, "refresh rate"},
        {IDS_SCAN_RATE, "scan rate"}};
    return strings.at(id);
  }
  void Enable(int id, bool enabled) override { controls[id].enabled = enabled; }
  void SetCheck(int id, bool checked) override { controls[id].checked = checked; }
  void SetText(int id, const std::string& text) override { controls[id].text = text; }
  void ClearCombo(int id) override {
    controls[id].items.clear();
    controls[id].selection = -1;
  }
  void InsertComboItem(int id, int position, const std::string& text) override {
    auto& items = controls[id].items;
    items.insert(items.begin() + position, {text, 0});
  }
  void AddComboItem(int id, const std::string& text, int data) override {
    controls[id].items.push_back({text, data});
  }
  void DeleteComboItem(int id, int position) override {
    auto& items = controls[id].items;
    items.erase(items.begin() + position);
  }
  int FindComboItem(int id, const std::string& text) override {
    const auto& items = controls[id].items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].first == text) return static_cast<int>(i);
    }
    return -1;
  }
  void SelectComboItem(int id, int position) override { controls[id].selection = position; }
  int ComboSelection(int id) override { return controls[id].selection; }
  std::string ComboItemText(int id, int position) override {
    return controls[id].items.at(static_cast<std::size_t>(position)).first;
  }
  int ComboItemData(int id, int position) override {
    return controls[id].items.at(static_cast<std::size_t>(position)).second;
  }
  void SetSliderRange(int id, int maximum) override {
    controls[id].sliderMax = maximum;
    controls[id].sliderPosition = std::clamp(controls[id].sliderPosition, 0, std::max(maximum, 0));
  }
  int SliderPosition(int id) override { return controls[id].sliderPosition; }
  void SetSliderPosition(int id, int position) override {
    controls[id].sliderPosition = std::clamp(position, 0, std::max(controls[id].sliderMax, 0));
  }
  void StartPollTimer() override { timerStarted = true; }
  void InvalidatePictures() override { ++pictureInvalidations; }
  void MarkChanged(bool changed) override { this->changed = changed; }

  // What a user does.
  void Choose(int comboId, const std::string& text) {
    controls[comboId].selection = FindComboItem(comboId, text);
  }
  std::vector<std::string> Items(int comboId) {
    std::vector<std::string> texts;
    for (const auto& item : controls[comboId].items) texts.push_back(item.first);
    return texts;
  }
  std::string Selected(int comboId) {
    const int selection = controls[comboId].selection;
    return selection < 0 ? "" : ComboItemText(comboId, selection);
  }

  std::map<int, Control> controls;
  bool timerStarted = false;
  bool changed = false;
  int pictureInvalidations = 0;
};

// The simulated PC's driver: the modes of its memory and its current mode.
class FakeDriver : public DisplayDriverApi {
 public:
  bool EnumMode(int number, ModeRecord* mode) override {
    const auto modes = machine::ModesForMemory(memoryKb);
    if (number < 0 || static_cast<std::size_t>(number) >= modes.size()) return false;
    const auto& m = modes[static_cast<std::size_t>(number)];
    *mode = {m.width, m.height, m.bitsPerPixel};
    return true;
  }
  int ScreenWidth() override { return screenWidth; }
  int ScreenDepth() override { return screenDepth; }

  std::uint32_t memoryKb = 2048;
  int screenWidth = 800;
  int screenDepth = 8;
};

// A Display Configuration page on a simulated Trio64 with 2 MB, over in-memory settings; a
// test starts it (Initialise) when it has set up what the page reads.
class SimulatedPage : public testing::Test {
 protected:
  SimulatedPage() { card.PowerOn(machine::Chip::Trio64, 2048); }
  void MoveSlider(int id, int position) {
    controls.SetSliderPosition(id, position);
    page.PollSliders();
  }

  MemoryProfile profile;
  settings::MarovaneSettings store{profile};
  MemoryRegistry registry;
  FakeDriver driver;
  machine::CardRegisters registers{};
  machine::Card card{registers, [] { return 0; }};
  FakeControls controls;
  DisplayConfiguration page{{store, registry, driver, card}, controls};
};

// blendora.exe, the audio mixer the media programs start: a window of class "Blendora" with a
// volume slider for each source line the system's mixer offers. In Jubilo's panel it places a
// compact deck over the panel's Mixer button (child 109 over 1109); it reads its keys of
// MAROVANE.INI (section "Mixer") at start and when Jubilo says they changed.

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/interop/suite_names.h"
#include "common/win32/suite_windows.h"

namespace {

constexpr const char* kClass = names::kMixerClass;
constexpr const char* kCompactClass = "BlendoraDeck";
constexpr int kCompactId = 109;
constexpr int kLauncherButton = 1109;
constexpr int kSliderFirst = 100;
constexpr int kSliderWidth = 60;
constexpr DWORD kMaxVolume = 65535;

// A source line's volume control.
struct Line {
  std::string name;
  DWORD control;
  DWORD channels;
};

struct Mixer {
  HMIXER handle = nullptr;
  std::vector<Line> lines;
  HWND window = nullptr;
  HWND compact = nullptr;
  HWND launcherButton = nullptr;
  std::string settings;
} mixer;

HMIXEROBJ Object() {
  return reinterpret_cast<HMIXEROBJ>(mixer.handle);
}

// The volume control of a line, or 0 without one.
DWORD VolumeControl(DWORD lineId) {
  MIXERCONTROLA control{};
  control.cbStruct = sizeof(control);
  MIXERLINECONTROLSA controls{};
  controls.cbStruct = sizeof(controls);
  controls.dwLineID = lineId;
  controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof(control);
  controls.pamxctrl = &control;
  return mixerGetLineControlsA(Object(), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) == 0
             ? control.dwControlID
             : 0;
}

void FindLines() {
  if (mixerGetNumDevs() == 0 || mixerOpen(&mixer.handle, 0, 0, 0, MIXER_OBJECTF_MIXER) != 0) {
    mixer.handle = nullptr;
    return;
  }
  MIXERLINEA destination{};
  destination.cbStruct = sizeof(destination);
  if (mixerGetLineInfoA(Object(), &destination, MIXER_GETLINEINFOF_DESTINATION) != 0) return;
  for (DWORD index = 0; index < destination.cConnections; ++index) {
    MIXERLINEA source{};
    source.cbStruct = sizeof(source);
    source.dwSource = index;
    if (mixerGetLineInfoA(Object(), &source, MIXER_GETLINEINFOF_SOURCE) != 0) continue;
    if (const DWORD control = VolumeControl(source.dwLineID)) {
      mixer.lines.push_back({source.szShortName, control, source.cChannels > 1 ? 2u : 1u});
    }
  }
}

void SetVolume(const Line& line, DWORD value) {
  MIXERCONTROLDETAILS_UNSIGNED values[2]{{value}, {value}};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof(details);
  details.dwControlID = line.control;
  details.cChannels = line.channels;
  details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
  details.paDetails = values;
  mixerSetControlDetails(Object(), &details, MIXER_SETCONTROLDETAILSF_VALUE);
}

bool Flag(const char* key, bool otherwise) {
  return GetPrivateProfileIntA("Mixer", key, otherwise ? 1 : 0, mixer.settings.c_str()) == 1;
}

// AlwaysOnTop, and MicOff: the microphone's line silent.
void ApplySettings() {
  SetWindowPos(mixer.window, Flag("AlwaysOnTop", false) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!Flag("MicOff", true)) return;
  for (std::size_t i = 0; i < mixer.lines.size(); ++i) {
    if (lstrcmpiA(mixer.lines[i].name.c_str(), "Mic") == 0) {
      SetVolume(mixer.lines[i], 0);
      SendDlgItemMessageA(mixer.window, kSliderFirst + static_cast<int>(i), TBM_SETPOS, TRUE,
                          kMaxVolume);
    }
  }
}

void Attach(HWND launcher) {
  if (mixer.compact != nullptr) DestroyWindow(mixer.compact);
  mixer.compact = nullptr;
  if (mixer.launcherButton != nullptr) ShowWindow(mixer.launcherButton, SW_SHOW);
  mixer.launcherButton = nullptr;
  if (launcher == nullptr || !IsWindow(launcher)) return;
  mixer.launcherButton = GetDlgItem(launcher, kLauncherButton);
  RECT place{0, 0, 142, 31};
  if (mixer.launcherButton != nullptr) {
    GetWindowRect(mixer.launcherButton, &place);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&place), 2);
  }
  mixer.compact = CreateWindowExA(0, kCompactClass, "Mixer", WS_CHILD, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, launcher,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCompactId)),
                                  GetModuleHandleA(nullptr), nullptr);
  if (mixer.compact == nullptr) return;
  // The panel's button makes way before the deck shows.
  if (mixer.launcherButton != nullptr) ShowWindow(mixer.launcherButton, SW_HIDE);
  ShowWindow(mixer.compact, SW_SHOW);
}

// The compact deck: a click shows or hides the mixer's window.
LRESULT CALLBACK CompactProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP:
      ShowWindow(mixer.window, IsWindowVisible(mixer.window) ? SW_HIDE : SW_SHOWNORMAL);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT area{};
      GetClientRect(window, &area);
      FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      SetTextColor(dc, RGB(0, 255, 255));
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, "MIXER", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      // Gone with Jubilo: a hidden mixer goes too.
      if (window == mixer.compact) {
        mixer.compact = nullptr;
        if (!IsWindowVisible(mixer.window)) PostMessageA(mixer.window, WM_CLOSE, 0, 0);
      }
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MixerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL: {
      const int index = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - kSliderFirst;
      if (index >= 0 && index < static_cast<int>(mixer.lines.size())) {
        const auto position = SendMessageA(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0);
        SetVolume(mixer.lines[static_cast<std::size_t>(index)],
                  kMaxVolume - static_cast<DWORD>(position));
      }
      return 0;
    }
    case names::kDeckMsgAttach:
      Attach(reinterpret_cast<HWND>(wParam));
      return 0;
    case names::kDeckMsgReloadSettings:
      ApplySettings();
      return 0;
    case WM_DESTROY:
      Attach(nullptr);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::string SettingsFile() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string file(path, length);
  return file.substr(0, file.find_last_of('\\') + 1) + "MAROVANE.INI";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (HWND running = FindSuiteWindow(kClass, std::nullopt)) {
    ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MixerProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClass;
  WNDCLASSA compactClass{};
  compactClass.lpfnWndProc = CompactProc;
  compactClass.hInstance = instance;
  compactClass.hCursor = LoadCursor(nullptr, IDC_HAND);
  compactClass.lpszClassName = kCompactClass;
  if (!RegisterClassA(&windowClass) || !RegisterClassA(&compactClass)) return 1;

  mixer.settings = SettingsFile();
  FindLines();
  const int count = static_cast<int>(mixer.lines.size());
  RECT frame{0, 0, std::max(1, count) * kSliderWidth + 20, 190};
  AdjustWindowRect(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE);
  mixer.window = CreateWindowExA(0, kClass, "Audio Mixer",
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  for (int i = 0; i < count; ++i) {
    const int x = 10 + i * kSliderWidth;
    CreateWindowExA(0, "STATIC", mixer.lines[static_cast<std::size_t>(i)].name.c_str(),
                    WS_CHILD | WS_VISIBLE | SS_CENTER, x, 8, kSliderWidth - 4, 16, mixer.window,
                    nullptr, instance, nullptr);
    HWND slider = CreateWindowExA(
        0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_VERT | TBS_BOTH | WS_TABSTOP, x + 12,
        28, 32, 150, mixer.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSliderFirst + i)),
        instance, nullptr);
    SendMessageA(slider, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageA(slider, TBM_SETRANGEMAX, FALSE, kMaxVolume);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, kMaxVolume / 10);
  }
  ApplySettings();
  // In Jubilo's panel when it is there; shown as started otherwise.
  Attach(FindSuiteWindow(names::kLauncherClass, names::kLauncherDevice));
  if (mixer.compact == nullptr) ShowWindow(mixer.window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(mixer.window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (mixer.handle != nullptr) mixerClose(mixer.handle);
  return 0;
}

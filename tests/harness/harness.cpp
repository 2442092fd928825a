#include "tests/harness/harness.h"

#include <commctrl.h>

#include "common/settings/marovane_settings.h"
#include "common/store/reg_key.h"
#include "common/win32/win32_registry.h"
#include "machine/win32/screen.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace harness {
namespace {

// A condition is looked at soon, then less and less often: each look is work for the Wine
// server, which the tests running beside this one wait for.
constexpr Milliseconds kFirstPoll{10};
constexpr Milliseconds kLongestPoll{100};
constexpr Milliseconds kTypingPause{120};
// How long a program may take to answer a question about one of its windows.
constexpr UINT kAnswerMs = 5000;

// A test's output is written at once: a run that ends in a crash still says how far it got.
[[maybe_unused]] const bool kOutputUnbuffered = [] {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return true;
}();

}  // namespace

bool WaitFor(const std::function<bool()>& condition, Milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  Milliseconds pause = kFirstPoll;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, kLongestPoll);
  }
  return true;
}

Program::Program(const std::string& path, const std::string& arguments, std::optional<WORD> show) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  const std::string folder = path.substr(0, path.find_last_of('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (show) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *show;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

Program::~Program() {
  if (process_ == nullptr) return;
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, static_cast<DWORD>(kTimeout.count()));
  }
  CloseHandle(process_);
}

bool Program::WaitForExit(Milliseconds timeout) {
  return process_ != nullptr &&
         WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool Program::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr) GetExitCodeProcess(process_, &code);
  return code;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (search.processId == 0 || owner == search.processId) search.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The caption as the window manager keeps it: unlike WindowText, no message to the owning
// process, which a test polling every few milliseconds would keep busy.
HWND FindWindowByCaption(const std::string& className, const std::string& caption,
                         DWORD processId) {
  for (HWND window : TopLevelWindows(processId)) {
    if (!IsWindowVisible(window) || (!className.empty() && ClassName(window) != className)) {
      continue;
    }
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    if (text == caption) return window;
  }
  return nullptr;
}

HWND WaitForWindow(const std::string& className, const std::string& caption, DWORD processId,
                   Milliseconds timeout) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowByCaption(className, caption, processId)) != nullptr; },
          timeout);
  return found;
}

std::string WindowText(HWND window) {
  // WM_GETTEXT rather than GetWindowText: it reads controls of other processes too. A program
  // that stopped answering gives no text instead of holding the test until ctest's timeout.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerMs, &length)) {
    return {};
  }
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_NORMAL, kAnswerMs, &copied)) {
    return {};
  }
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = "";
  const int length = GetClassNameA(window, name, sizeof(name));
  return std::string(name, static_cast<std::size_t>(length));
}

HWND Control(HWND dialog, int id) {
  return GetDlgItem(dialog, id);
}

bool IsEnabled(HWND dialog, int id) {
  return IsWindowEnabled(Control(dialog, id)) != FALSE;
}

bool IsChecked(HWND dialog, int id) {
  return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ComboSelection(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(Control(dialog, id), CB_GETCURSEL, 0, 0));
}

namespace {

// An item's text, asked in its wide form: across processes Wine carries it so.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, LRESULT item) {
  const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(item), 0);
  if (length < 0) return {};
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(control, textMessage, static_cast<WPARAM>(item),
               reinterpret_cast<LPARAM>(wide.data()));
  char text[512] = "";
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof(text), nullptr, nullptr);
  return text;
}

}  // namespace

std::string ComboItemText(HWND combo, LRESULT item) {
  return ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, item);
}

std::string ListLineText(HWND list, int line) {
  return ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, line);
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  HWND combo = Control(dialog, id);
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) items.push_back(ComboItemText(combo, i));
  return items;
}

std::string ComboSelectedText(HWND dialog, int id) {
  const int selected = ComboSelection(dialog, id);
  return selected < 0 ? std::string() : ComboItemText(Control(dialog, id), selected);
}

int TrackbarPosition(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(Control(dialog, id), TBM_GETPOS, 0, 0));
}

std::vector<std::string> TabCaptions(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  DWORD processId = 0;
  GetWindowThreadProcessId(tabs, &processId);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return {};

  // TCM_GETITEM fills a record in the tab control's own process.
  constexpr std::size_t kTextSize = 256;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TCITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
  std::vector<std::string> captions;
  const auto count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; remote != nullptr && i < count; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote + sizeof(TCITEMA);
    item.cchTextMax = kTextSize;
    char text[kTextSize] = "";
    WriteProcessMemory(process, remote, &item, sizeof(item), nullptr);
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + sizeof(TCITEMA), text, kTextSize - 1, nullptr);
    captions.emplace_back(text);
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return captions;
}

int SelectedTab(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(dialog, id)));
}

void PressCloseBox(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

namespace {

void SendKeys(const std::vector<WORD>& keys, DWORD flags) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool AllDown(const std::vector<WORD>& keys) {
  for (WORD key : keys) {
    if (GetAsyncKeyState(key) >= 0) return false;
  }
  return true;
}

// Wine makes its key state agree with the X server's whenever a window gains the X focus, and
// the X server never saw the keys sent here: a focus change that lands late (under load) lifts
// the modifiers again. They are pressed until they stay down through a typist's pause.
void PressModifiers(const std::vector<WORD>& modifiers) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    SendKeys(modifiers, 0);
    // At a typist's pace: a program reading the modifiers' async state sees a state Wine keeps
    // for 50 ms, so keys sent in one burst would find the modifiers still up.
    std::this_thread::sleep_for(kTypingPause);
    if (AllDown(modifiers)) return;
  }
}

}  // namespace

void PressKeys(const std::vector<WORD>& keys) {
  for (WORD key : keys) {
    SendKeys({key}, 0);
    SendKeys({key}, KEYEVENTF_KEYUP);
    std::this_thread::sleep_for(kTypingPause);
  }
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

bool TypeHotKey(int value, const std::function<bool()>& done, Milliseconds timeout) {
  std::vector<WORD> modifiers;
  if (value & settings::kHotKeyShift) modifiers.push_back(VK_SHIFT);
  if (value & settings::kHotKeyCtrl) modifiers.push_back(VK_CONTROL);
  if (value & settings::kHotKeyAlt) modifiers.push_back(VK_MENU);
  const std::vector<WORD> key{static_cast<WORD>(value & settings::kHotKeyCode)};
  PressModifiers(modifiers);
  SendKeys(key, 0);
  SendKeys(key, KEYEVENTF_KEYUP);
  const bool seen = WaitFor(done, timeout);
  SendKeys({modifiers.rbegin(), modifiers.rend()}, KEYEVENTF_KEYUP);
  return seen;
}

std::optional<MessageBox> WaitForMessageBox(DWORD processId, Milliseconds timeout) {
  std::optional<MessageBox> box;
  WaitFor(
      [&] {
        for (HWND window : TopLevelWindows(processId)) {
          // A message box's text is control 0xFFFF beside its icon, control 0x440 (which in an
          // open-file dialog of the old style is the folder's name).
          HWND text = GetDlgItem(window, 0xFFFF);
          HWND icon = GetDlgItem(window, 0x440);
          const bool messageBox = text != nullptr && icon != nullptr &&
                                  (GetWindowLongPtrA(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
          if (IsWindowVisible(window) && ClassName(window) == "#32770" && messageBox) {
            box = MessageBox{window, WindowText(window), WindowText(text)};
            return true;
          }
        }
        return false;
      },
      timeout);
  return box;
}

std::optional<std::string> ReadProfile(const std::string& file, const std::string& section,
                                       const std::string& key) {
  // A default no program writes tells an absent key from an empty one.
  constexpr const char* kAbsent = "<absent>";
  char value[1024] = "";
  GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, value, sizeof(value),
                           file.c_str());
  if (std::string(value) == kAbsent) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> ReadRegistry(HKEY root, const std::string& path,
                                        const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  char value[1024] = "";
  DWORD size = sizeof(value) - 1;
  const LONG result =
      RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  return std::string(value);
}

void WithoutLibraries(const std::string& program, std::initializer_list<const char*> libraries) {
  Win32Registry registry;
  const std::string overrides = "Software\\Wine\\AppDefaults\\" + program + "\\DllOverrides";
  for (const char* library : libraries) {
    WriteRegistryString(registry, RegRoot::CurrentUser, overrides, library, "");
  }
}

std::string OwnFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string file(path, length < MAX_PATH ? length : 0);
  return file.substr(0, file.find_last_of('\\'));
}

void WaitUntilPainted(HWND window) {
  machine::WaitUntilPainted(window, static_cast<DWORD>(kTimeout.count()));
}

std::vector<std::uint32_t> DrawnPixels(SIZE size, const std::function<void(HDC)>& draw) {
  if (size.cx <= 0 || size.cy <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  draw(memory);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(size.cx) * size.cy);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

std::vector<std::uint32_t> ScreenPixels(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return DrawnPixels({area.right - area.left, area.bottom - area.top}, [&](HDC memory) {
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left,
           area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
}

void SaveScreenshot(HWND window, const std::string& name, bool settle) {
  char folder[MAX_PATH] = "";
  if (GetEnvironmentVariableA("MAROVANE_SCREENSHOTS", folder, MAX_PATH) == 0) return;
  if (settle) WaitUntilPainted(window);
  machine::SaveWindowPicture(window, std::string(folder) + "\\" + name + ".bmp");
}

std::string RunMachineTool(const std::string& arguments) {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  const std::string output = std::string(folder) + "machine-tool.out";
  std::string command =
      "cmd /c \"\"" + OwnFolder() + "\\MACHINE.EXE\" " + arguments + " > \"" + output + "\"\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info)) {
    return {};
  }
  WaitForSingleObject(info.hProcess, static_cast<DWORD>(kTimeout.count()));
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  std::string text;
  if (FILE* file = std::fopen(output.c_str(), "rb")) {
    char buffer[8192];
    text.assign(buffer, std::fread(buffer, 1, sizeof(buffer), file));
    std::fclose(file);
  }
  return text;
}

}  // namespace harness

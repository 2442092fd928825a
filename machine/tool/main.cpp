// MACHINE.EXE: the simulated PC's console. Boots it, shows its state, changes its configuration,
// photographs the suite's windows and sends its devices MCI commands as a program does.

#include <windows.h>

#include <mmsystem.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/interop/installed_layout.h"
#include "machine/core/display_modes.h"
#include "machine/core/sample_media.h"
#include "machine/tool/directdraw_scene.h"
#include "machine/tool/installation.h"
#include "machine/win32/screen.h"
#include "machine/win32/simulator.h"

namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kPointerPollMs = 20;

void PrintMode(const char* label, const machine::DisplayMode& mode) {
  std::printf("%s: %u x %u x %u\n", label, mode.width, mode.height, mode.bitsPerPixel);
}

int Show() {
  const machine::SharedState* state = machine::State();
  if (state == nullptr) {
    std::fprintf(stderr, "machine: the shared state cannot be mapped\n");
    return 1;
  }
  std::printf("boots: %u\n", state->bootCount);
  std::printf("card: %s, %u KB, control device \\\\.\\Vstls3.vxd %s\n",
              machine::ChipName(state->card.chip), state->card.memoryKb,
              state->card.controlDevice ? "present" : "missing");
  if (state->monitor.present) {
    std::printf("monitor: up to %u x %u\n", state->monitor.maxWidth, state->monitor.maxHeight);
  } else {
    std::printf("monitor: no device node\n");
  }
  PrintMode("mode", state->display.current);
  if (state->display.restartPending) PrintMode("after restart", state->display.afterRestart);
  std::printf("modes:");
  for (const auto& mode : machine::ModesForMemory(state->card.memoryKb)) {
    std::printf(" %ux%ux%u", mode.width, mode.height, mode.bitsPerPixel);
  }
  const machine::CardRegisters& registers = state->card.registers;
  std::printf("\nmisc output: %02X  refresh: %u Hz\ncrtc:", registers.miscOutput,
              registers.refreshHz);
  for (int index = 0; index < 0x70; ++index) {
    if (index % 16 == 0) std::printf("\n  %02X:", index);
    std::printf(" %02X", registers.crtc[index]);
  }
  const machine::EscapeBlock& escapes = state->escapes;
  std::printf(
      "\nescapes: %u received, pan lock %u times (now %s), timing %u times, last:", escapes.count,
      escapes.panLockCount, escapes.panLocked ? "locked" : "unlocked", escapes.timingCount);
  for (std::uint16_t value : escapes.timing) std::printf(" %u", value);
  std::printf("\nmode changes:");
  for (const machine::ModeChange& change : machine::RecentModeChanges(state->history)) {
    std::printf(" %ux%ux%u flags 0x%X -> %d;", change.mode.width, change.mode.height,
                change.mode.bitsPerPixel, change.flags, change.result);
  }
  const machine::CdDriveBlock& cd = state->cd;
  std::printf("\ncd: %s, %u tracks, door %s, %s, %s at %u ms",
              cd.inserted ? "disc in the drive" : "no disc", cd.trackCount,
              cd.doorOpen ? "open" : "closed",
              cd.heldElsewhere ? "held by another program" : "free",
              machine::IsPlaying(cd.play, GetTickCount64()) ? "playing" : "not playing",
              machine::Position(cd.play, GetTickCount64()));
  const machine::PowerBlock& power = state->power;
  std::printf("\npower: logoff %u, restart %u, shutdown %u, last flags 0x%X reason 0x%X\n",
              power.logoffCount, power.restartCount, power.shutdownCount, power.lastFlags,
              power.lastReason);
  return 0;
}

// Sets a CRT controller register as the driver would, below the locks.
int SetCrtc(const char* index, const char* value) {
  machine::SharedState* state = machine::State();
  const long number = std::strtol(index, nullptr, 16);
  const long byte = std::strtol(value, nullptr, 16);
  if (state == nullptr || number < 0 || number > 0xFF || byte < 0 || byte > 0xFF) return 1;
  state->card.registers.crtc[number] = static_cast<std::uint8_t>(byte);
  std::printf("CR%02lX = %02lX\n", number, byte);
  return 0;
}

int Pan(const char* x, const char* y) {
  const long left = std::strtol(x, nullptr, 10);
  const long top = std::strtol(y, nullptr, 10);
  if (machine::State() == nullptr || left < 0 || top < 0) return 1;
  machine::PanViewport(static_cast<std::uint32_t>(left), static_cast<std::uint32_t>(top));
  std::printf("viewport at %ld,%ld\n", left, top);
  return 0;
}

// The display driver's panning: the viewport follows the pointer for as long as the PC runs.
int FollowThePointer() {
  HANDLE single = CreateMutexA(nullptr, FALSE, "MarovaneMachinePointer");
  if (single == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  for (;;) {
    POINT cursor{};
    if (GetCursorPos(&cursor)) machine::FollowPointer(cursor);
    Sleep(kPointerPollMs);
  }
}

int Usage() {
  std::printf(
      "usage: machine boot                        start the PC afresh from machine.ini\n"
      "       machine show                        print card, mode, mode list, power requests\n"
      "       machine set SECTION KEY VALUE       change machine.ini (then boot)\n"
      "       machine crtc INDEX VALUE            set a CRT controller register (hex)\n"
      "       machine pan X Y                     put the viewport's corner at X,Y of the desktop\n"
      "       machine pointer                     pan the viewport after the mouse pointer "
      "(stays)\n"
      "       machine cd insert T1,T2,...         put a disc of these track lengths (ms) in the "
      "drive\n"
      "       machine cd eject | cd door open|closed   take the disc out, open or close the door\n"
      "       machine cd held yes|no              another program takes or lets go of the drive\n"
      "       machine install MEDIUM              install the suite from the distribution "
      "medium\n"
      "       machine samples FOLDER              write short wave, MIDI and video files there\n"
      "       machine profile FILE SECTION KEY VALUE   write a key of a profile file\n"
      "       machine photograph OUT              save the suite's windows as BMP files in OUT\n"
      "       machine close                       close the suite's windows\n"
      "       machine directdraw DRIVER OUT.bmp   draw a scene through the DirectDraw driver\n"
      "       machine mci COMMAND...              send MCI command strings, one after the other\n");
  return 2;
}

// The audio CD drive: a disc inserted ("T1,T2,..." in milliseconds), ejected, or its door.
int Cd(const std::string& action, const char* argument) {
  machine::SharedState* state = machine::State();
  if (state == nullptr) return 1;
  machine::StateLock lock;
  machine::CdDriveBlock& drive = state->cd;
  const std::string value = argument != nullptr ? argument : "";
  if (action == "insert" && !machine::ParseCdTracks(value).empty()) {
    machine::Insert(drive, machine::ParseCdTracks(value));
  } else if (action == "eject" && argument == nullptr) {
    machine::Eject(drive);
  } else if (action == "door" && (value == "open" || value == "closed")) {
    machine::SetDoor(drive, value == "open", GetTickCount64());
  } else if (action == "held" && (value == "yes" || value == "no")) {
    drive.heldElsewhere = value == "yes";
  } else {
    return Usage();
  }
  std::printf("cd: %s, %u tracks, door %s%s\n", drive.inserted ? "disc in the drive" : "no disc",
              drive.trackCount, drive.doorOpen ? "open" : "closed",
              drive.heldElsewhere ? ", held by another program" : "");
  return 0;
}

// Short media files on the PC's disk, for the players to play.
int Samples(const std::string& folder) {
  struct Sample {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const Sample samples[] = {
      {"Tone 1.wav", machine::WaveFileBytes(1500)},
      {"Tone 2.wav", machine::WaveFileBytes(1500)},
      {"Tune.mid", machine::MidiFileBytes(96, {{0, 500000}}, 384)},
      {"Clip.avi", machine::VideoFileBytes(20)},
      {"Wide clip.avi", machine::VideoFileBytes(30, 160, 90)},
      {"Small clip.avi", machine::VideoFileBytes(15, 64, 48)},
  };
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const Sample& sample : samples) {
    const std::string path = folder + "\\" + sample.name;
    FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && std::fwrite(sample.bytes.data(), 1, sample.bytes.size(),
                                                        file) == sample.bytes.size();
    if (file != nullptr) std::fclose(file);
    if (!written) {
      std::fprintf(stderr, "machine: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}

// A key of a profile file, as the programs write one.
int WriteProfile(const std::string& file, const char* section, const char* key, const char* value) {
  if (!WritePrivateProfileStringA(section, key, value, file.c_str())) {
    std::fprintf(stderr, "machine: cannot write %s\n", file.c_str());
    return 1;
  }
  return 0;
}

int Set(const char* section, const char* key, const char* value) {
  const std::string ini = machine::WindowsFolder() + "\\" + machine::kConfigFile;
  if (WriteProfile(ini, section, key, value) != 0) return 1;
  std::printf("%s [%s] %s=%s (takes effect at the next boot)\n", ini.c_str(), section, key, value);
  return 0;
}

// The windows of the installed suite and of its uninstaller (install's copy in the Windows
// folder).
std::vector<HWND> WindowsOfTheSuite() {
  std::vector<HWND> windows = machine::WindowsOfPrograms(std::string(layout::kProgramDir) + "\\");
  const std::vector<HWND> uninstaller =
      machine::WindowsOfPrograms(machine::WindowsFolder() + "\\" + layout::kUninstallerCopy);
  windows.insert(windows.end(), uninstaller.begin(), uninstaller.end());
  return windows;
}

// The suite's windows once they are on the screen and their programs wait for input.
std::vector<HWND> SuiteWindows() {
  std::vector<HWND> windows;
  const DWORD deadline = GetTickCount() + kWindowTimeoutMs;
  while ((windows = WindowsOfTheSuite()).empty() && GetTickCount() < deadline) {
    Sleep(50);
  }
  for (HWND window : windows) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
      WaitForInputIdle(process, kWindowTimeoutMs);
      CloseHandle(process);
    }
  }
  return windows;
}

// One BMP per visible window of the installed suite, into `outFolder`.
int Photograph(const char* outFolder) {
  int count = 0;
  for (HWND window : SuiteWindows()) {
    // In front and active, as the user would look at it, once it has painted itself there: the
    // foreground alone may stay with another program's window (a folder window the installer
    // opened), so it is put above every window while its picture is taken.
    SetForegroundWindow(window);
    const DWORD asked = GetTickCount();
    while (GetForegroundWindow() != window && GetTickCount() - asked < kWindowTimeoutMs) Sleep(20);
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    machine::WaitUntilPainted(window, kWindowTimeoutMs);
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    std::string name = caption[0] ? caption : "window";
    for (char& c : name) {
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    const std::string path =
        std::string(outFolder) + "\\" + name + "-" + std::to_string(++count) + ".bmp";
    if (machine::SaveWindowPicture(window, path)) std::printf("%s\n", path.c_str());
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
  return count > 0 ? 0 : 1;
}

// Closes every window of the suite as its close box would, also those that appear as others
// close (a program's second message box, the sheet after its warnings).
int CloseSuite() {
  std::set<HWND> asked;
  const DWORD deadline = GetTickCount() + kWindowTimeoutMs;
  for (;;) {
    const std::vector<HWND> windows = WindowsOfTheSuite();
    if (windows.empty()) return 0;
    if (GetTickCount() >= deadline) return 1;
    for (HWND window : windows) {
      if (asked.insert(window).second) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    Sleep(50);
  }
}

const char* NotificationName(WPARAM code) {
  switch (code) {
    case MCI_NOTIFY_SUCCESSFUL:
      return "successful";
    case MCI_NOTIFY_SUPERSEDED:
      return "superseded";
    case MCI_NOTIFY_ABORTED:
      return "aborted";
  }
  return "failure";
}

// MCI command strings sent one after the other, as any program sends them, with a window for
// their notifications: a line for each with its answer, the time it took and the notifications
// that came by the time it returned, tab-separated.
int SendMci(int count, char** commands) {
  HWND window =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  bool failed = false;
  for (int i = 0; i < count; ++i) {
    char answer[256] = "";
    const ULONGLONG started = GetTickCount64();
    const MCIERROR error = mciSendStringA(commands[i], answer, sizeof(answer), window);
    const auto took = static_cast<unsigned long>(GetTickCount64() - started);
    const std::string said = error != 0 ? "error " + std::to_string(error) : answer;
    failed = failed || error != 0;
    std::string notified;
    MSG message;
    while (PeekMessageA(&message, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
      notified += (notified.empty() ? "" : " ") + std::string(NotificationName(message.wParam));
    }
    std::printf("%s\t%s\t%lu ms\t%s\n", commands[i], said.c_str(), took, notified.c_str());
  }
  DestroyWindow(window);
  return failed ? 1 : 0;
}

int DirectDraw(const char* driver, const char* picture) {
  const std::string problem = DrawDirectDrawScene(driver, picture);
  if (problem.empty()) return 0;
  std::fprintf(stderr, "machine: %s\n", problem.c_str());
  return 1;
}

int Install(const char* medium) {
  const std::string problem = InstallFromMedium(medium);
  if (problem.empty()) return 0;
  std::fprintf(stderr, "machine: %s\n", problem.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "boot" && argc == 2) {
    machine::Boot();
    return Show();
  }
  if (command == "show" && argc == 2) return Show();
  if (command == "set" && argc == 5) return Set(argv[2], argv[3], argv[4]);
  if (command == "crtc" && argc == 4) return SetCrtc(argv[2], argv[3]);
  if (command == "pan" && argc == 4) return Pan(argv[2], argv[3]);
  if (command == "cd" && (argc == 3 || argc == 4))
    return Cd(argv[2], argc == 4 ? argv[3] : nullptr);
  if (command == "pointer" && argc == 2) return FollowThePointer();
  if (command == "install" && argc == 3) return Install(argv[2]);
  if (command == "samples" && argc == 3) return Samples(argv[2]);
  if (command == "profile" && argc == 6) return WriteProfile(argv[2], argv[3], argv[4], argv[5]);
  if (command == "photograph" && argc == 3) return Photograph(argv[2]);
  if (command == "close" && argc == 2) return CloseSuite();
  if (command == "directdraw" && argc == 4) return DirectDraw(argv[2], argv[3]);
  if (command == "mci" && argc > 2) return SendMci(argc - 2, argv + 2);
  return Usage();
}

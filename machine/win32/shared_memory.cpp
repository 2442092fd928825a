// The state lives in a file in the Windows folder, mapped by every process that uses it.

#include "common/win32/win32_profile.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"

namespace machine {
namespace {

constexpr const char* kStateFile = "machine.state";
constexpr const char* kMappingName = "MarovaneMachineState";
constexpr const char* kLockName = "MarovaneMachineLock";
constexpr DWORD kLockTimeoutMs = 5000;

SharedState* MapState() {
  const std::string path = WindowsFolder() + "\\" + kStateFile;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kMappingSize), kMappingName);
  CloseHandle(file);
  if (mapping == nullptr) return nullptr;
  // The view keeps the mapping alive for the life of the process.
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kMappingSize);
  CloseHandle(mapping);
  return static_cast<SharedState*>(view);
}

}  // namespace

std::string WindowsFolder() {
  char folder[MAX_PATH] = "";
  const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder, length < MAX_PATH ? length : 0);
}

SharedState* State() {
  static SharedState* const state = [] {
    SharedState* mapped = MapState();
    if (mapped != nullptr && !IsValid(*mapped)) {
      StateLock lock;
      if (!IsValid(*mapped)) {
        Win32Profile ini(kConfigFile);
        const MachineConfig config = ReadMachineConfig(ini);
        machine::Boot(*mapped, config, RefreshCodeFor(config.bootMode.width));
      }
    }
    return mapped;
  }();
  return state;
}

std::uint8_t* FrameBuffer() {
  SharedState* state = State();
  return state == nullptr ? nullptr : reinterpret_cast<std::uint8_t*>(state) + kFrameBufferOffset;
}

std::uint8_t* RegisterAperture() {
  SharedState* state = State();
  return state == nullptr ? nullptr
                          : reinterpret_cast<std::uint8_t*>(state) + kRegisterApertureOffset;
}

StateLock::StateLock() : mutex_(CreateMutexA(nullptr, FALSE, kLockName)) {
  if (mutex_ != nullptr) WaitForSingleObject(mutex_, kLockTimeoutMs);
}

StateLock::~StateLock() {
  if (mutex_ == nullptr) return;
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

}  // namespace machine

// The card's ports for this process, and the control device that reaches them for a Win32
// program.

#include <strings.h>
#include <set>

#include "machine/core/card.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"

namespace machine {
namespace {

constexpr const char* kControlDevicePath = "\\\\.\\Vstls3.vxd";
constexpr DWORD kOpenCode = 1;
constexpr DWORD kReadPortCode = 2;
constexpr DWORD kWritePortCode = 3;

std::uint64_t Microseconds() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<std::uint64_t>(now.QuadPart / frequency * 1000000 +
                                    now.QuadPart % frequency * 1000000 / frequency);
}

// nullptr when the state cannot be mapped: the ports then answer like empty ones.
Card* ThisCard() {
  SharedState* state = State();
  if (state == nullptr) return nullptr;
  static Card card(state->card.registers, Microseconds);
  card.AttachFrameBuffer(FrameBuffer(), kFrameBufferSize, &state->display.current);
  return &card;
}

std::set<HANDLE>& DeviceHandles() {
  static std::set<HANDLE> handles;
  return handles;
}

bool PortOfInput(LPVOID input, DWORD inputSize, WORD* port) {
  if (input == nullptr || inputSize < sizeof(WORD)) return false;
  *port = *static_cast<const WORD*>(input);
  return true;
}

}  // namespace

BYTE InPort(WORD port) {
  Card* card = ThisCard();
  return card == nullptr ? 0xFF : card->In(port);
}

void OutPort(WORD port, BYTE value) {
  if (Card* card = ThisCard()) card->Out(port, value);
}

void OutPortWord(WORD port, WORD value) {
  if (Card* card = ThisCard()) card->OutWord(port, value);
}

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE templateFile) {
  if (path == nullptr || strcasecmp(path, kControlDevicePath) != 0) {
    return ::CreateFileA(path, access, shareMode, security, creation, flags, templateFile);
  }
  SharedState* state = State();
  if (state == nullptr || !state->card.controlDevice) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  // A real handle, so that it closes like one.
  HANDLE device = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (device != nullptr) DeviceHandles().insert(device);
  return device == nullptr ? INVALID_HANDLE_VALUE : device;
}

BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID input, DWORD inputSize, LPVOID output,
                     DWORD outputSize, LPDWORD returned, LPOVERLAPPED /*overlapped*/) {
  if (DeviceHandles().count(device) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  WORD port = 0;
  auto* byte = static_cast<BYTE*>(output);
  DWORD written = 0;
  if (code == kOpenCode && output != nullptr && outputSize >= sizeof(DWORD)) {
    *static_cast<DWORD*>(output) = 0x0100;
    written = sizeof(DWORD);
  } else if (code == kReadPortCode && PortOfInput(input, inputSize, &port) && byte != nullptr &&
             outputSize >= 1) {
    *byte = InPort(port);
    written = 1;
  } else if (code == kWritePortCode && PortOfInput(input, inputSize, &port) && byte != nullptr &&
             outputSize >= 1) {
    OutPort(port, *byte);
  } else {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (returned != nullptr) *returned = written;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  DeviceHandles().erase(handle);
  return ::CloseHandle(handle);
}

}  // namespace machine

#include "vistrel/shell/graphics_channel.h"

#include "machine/win32/system.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr DWORD kOpenCode = 1;
constexpr DWORD kReadPortCode = 2;
constexpr DWORD kWritePortCode = 3;

void WarnDeviceMissing() {
  char text[128] = "";
  LoadStringA(GetModuleHandleA(nullptr), IDS_NO_CONTROL_DEVICE, text, sizeof(text));
  MessageBoxA(nullptr, text, nullptr, MB_ICONEXCLAMATION);
}

}  // namespace

GraphicsChannel::GraphicsChannel()
    : device_(machine::CreateFileA("\\\\.\\Vstls3.vxd", 0, 0, nullptr, CREATE_NEW,
                                   FILE_FLAG_DELETE_ON_CLOSE, nullptr)) {
  if (!IsOpen()) WarnDeviceMissing();
  DWORD version = 0;
  DWORD returned = 0;
  machine::DeviceIoControl(device_, kOpenCode, nullptr, 0, &version, sizeof(version), &returned,
                           nullptr);
}

GraphicsChannel::~GraphicsChannel() {
  if (IsOpen()) machine::CloseHandle(device_);
}

std::uint8_t GraphicsChannel::ReadPort(std::uint16_t port, std::uint8_t leftInBuffer) {
  WORD input = port;
  BYTE value = leftInBuffer;
  DWORD returned = 0;
  machine::DeviceIoControl(device_, kReadPortCode, &input, sizeof(input), &value, sizeof(value),
                           &returned, nullptr);
  return value;
}

void GraphicsChannel::WritePort(std::uint16_t port, std::uint8_t value) {
  WORD input = port;
  BYTE output = value;
  DWORD returned = 0;
  machine::DeviceIoControl(device_, kWritePortCode, &input, sizeof(input), &output, sizeof(output),
                           &returned, nullptr);
}

#pragma once
// The Screen Adjustment page: eight step buttons that move and size the picture on the
// monitor, Undo, Reset and Help; Apply hands the timing to the driver and stores it.

#include <windows.h>

#include "common/framework/property_page.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "machine/win32/machine.h"
#include "vistrel/monitor/screen_adjustment.h"
#include "vistrel/shell/graphics_channel.h"

// PortIo through the graphics control channel.
class ChannelPorts : public PortIo {
 public:
  explicit ChannelPorts(GraphicsChannel& channel) : channel_(channel) {}
  std::uint8_t In(std::uint16_t port) override { return channel_.ReadPort(port); }
  void Out(std::uint16_t port, std::uint8_t value) override { channel_.WritePort(port, value); }

 private:
  GraphicsChannel& channel_;
};

class CPPScreen : public PropertyPage {
 public:
  CPPScreen();

 protected:
  void OnInitDialog() override;
  void OnSetActive() override { adjustment_.ClearCurrent(); }
  bool OnApply() override;
  void OnCancel() override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  GraphicsChannel channel_;
  ChannelPorts channelPorts_{channel_};
  machine::DirectPorts direct_;
  ScreenAdjustment adjustment_{channelPorts_, channel_.IsOpen(), direct_};
  Win32Profile systemIni_{settings::kSystemIni};
  settings::MarovaneSettings settings_{systemIni_};
};

#pragma once
// The volume control of a source line of mixer 0's first destination, through the system's
// mixer functions.

#include <windows.h>

#include <mmsystem.h>

#include "sonavo/core/volume.h"

class Win32MixerLine : public sonavo::MixerLine {
 public:
  Win32MixerLine() = default;
  ~Win32MixerLine() override { Close(); }
  Win32MixerLine(const Win32MixerLine&) = delete;
  Win32MixerLine& operator=(const Win32MixerLine&) = delete;

  bool Take(std::uint32_t componentType) override;
  std::optional<sonavo::StereoVolume> Read() override;
  void Write(sonavo::StereoVolume volume) override;

 private:
  void Close();
  bool FindControl(std::uint32_t componentType);
  MIXERCONTROLDETAILS Details(MIXERCONTROLDETAILS_UNSIGNED* values) const;

  HMIXER mixer_ = nullptr;
  DWORD controlId_ = 0;
  DWORD channels_ = 0;
};

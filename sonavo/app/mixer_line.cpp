#include "sonavo/app/mixer_line.h"

#include <algorithm>

namespace {

HMIXEROBJ Object(HMIXER mixer) {
  return reinterpret_cast<HMIXEROBJ>(mixer);
}

}  // namespace

bool Win32MixerLine::Take(std::uint32_t componentType) {
  Close();
  if (mixerGetNumDevs() == 0 || mixerOpen(&mixer_, 0, 0, 0, MIXER_OBJECTF_MIXER) != 0) {
    mixer_ = nullptr;
    return false;
  }
  if (FindControl(componentType)) return true;
  Close();
  return false;
}

bool Win32MixerLine::FindControl(std::uint32_t componentType) {
  MIXERLINEA destination{};
  destination.cbStruct = sizeof(destination);
  if (mixerGetLineInfoA(Object(mixer_), &destination, MIXER_GETLINEINFOF_DESTINATION) != 0) {
    return false;
  }
  for (DWORD index = 0; index < destination.cConnections; ++index) {
    MIXERLINEA source{};
    source.cbStruct = sizeof(source);
    source.dwSource = index;
    if (mixerGetLineInfoA(Object(mixer_), &source, MIXER_GETLINEINFOF_SOURCE) != 0 ||
        source.dwComponentType != componentType) {
      continue;
    }
    MIXERCONTROLA control{};
    control.cbStruct = sizeof(control);
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = source.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(control);
    controls.pamxctrl = &control;
    if (mixerGetLineControlsA(Object(mixer_), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) != 0) {
      return false;
    }
    controlId_ = control.dwControlID;
    channels_ = std::clamp<DWORD>(source.cChannels, 1, 2);
    return true;
  }
  return false;
}

MIXERCONTROLDETAILS Win32MixerLine::Details(MIXERCONTROLDETAILS_UNSIGNED* values) const {
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof(details);
  details.dwControlID = controlId_;
  details.cChannels = channels_;
  details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
  details.paDetails = values;
  return details;
}

std::optional<sonavo::StereoVolume> Win32MixerLine::Read() {
  MIXERCONTROLDETAILS_UNSIGNED values[2]{};
  MIXERCONTROLDETAILS details = Details(values);
  if (mixer_ == nullptr ||
      mixerGetControlDetailsA(Object(mixer_), &details, MIXER_GETCONTROLDETAILSF_VALUE) != 0) {
    return std::nullopt;
  }
  // A mono line has one value for both.
  return sonavo::StereoVolume{values[0].dwValue, values[channels_ - 1].dwValue};
}

void Win32MixerLine::Write(sonavo::StereoVolume volume) {
  MIXERCONTROLDETAILS_UNSIGNED values[2]{{volume.left}, {volume.right}};
  MIXERCONTROLDETAILS details = Details(values);
  if (mixer_ != nullptr) {
    mixerSetControlDetails(Object(mixer_), &details, MIXER_SETCONTROLDETAILSF_VALUE);
  }
}

void Win32MixerLine::Close() {
  if (mixer_ != nullptr) mixerClose(mixer_);
  mixer_ = nullptr;
  controlId_ = 0;
  channels_ = 0;
}

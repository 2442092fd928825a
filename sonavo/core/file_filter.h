#pragma once
// The filter list of a file player's open-file dialog, from the system profile's
// "mci extensions" section (extension = device type).

#include <map>
#include <string>

#include "sonavo/core/players.h"

namespace sonavo {

struct FilterLabels {
  std::string player;  // "MIDI Sequencer", "Sound" or "Video for Windows"
  std::string mpeg;    // "MPEG Video"
  std::string all;     // "All files"
};

// "Label (*.a;*.b)", "*.a;*.b" pairs, each part ended by a zero, the list by a second zero: the
// player's own extensions (its default extension when the section names none), for the video
// player also those of "mpegvideo", and last all files.
std::string OpenFileFilter(PlayerKind kind, const std::map<std::string, std::string>& extensions,
                           const FilterLabels& labels);

// "mid", "wav" or "avi".
const char* DefaultExtension(PlayerKind kind);

}  // namespace sonavo

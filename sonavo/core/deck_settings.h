#pragma once
// MAROVANE.INI, the media programs' own settings file beside them: one section per player
// (named after it), "Mixer", "Jubilo" and "Peekwell". Flags are written "1" or "0"; a value with
// garbage reads as its default.

#include <optional>
#include <string>

#include "common/store/profile_store.h"
#include "sonavo/core/players.h"

namespace sonavo {

inline constexpr const char* kSettingsFile = "MAROVANE.INI";
inline constexpr int kDefaultIntroLength = 10;

// What a player reads at start and on DeckMsgReloadSettings, and writes at exit. Keys a player
// does not have keep their defaults.
struct PlayerSettings {
  bool autoPlay = false;
  bool alwaysOnTop = false;
  int introLength = kDefaultIntroLength;  // seconds, 5-15
  bool repeat = false;
  bool trackRepeat = false;
  // File players.
  bool autoLoad = false;
  std::string curAlbum;
  std::string mraAlbum;
  std::string savePath;
  bool showPath = false;
  // CD and video: the volume buttons drive line-in.
  bool audioSource = false;
  // CD.
  bool stopOnExit = false;
  // Video: time (true) or frame numbers; the picture stretched to the screen.
  bool formatTime = true;
  bool stretchVideo = false;
};

PlayerSettings ReadPlayerSettings(ProfileStore& file, PlayerKind kind);
// What the player keeps at exit: Repeat, TrackRepeat; files also ShowPath, SavePath and
// CurAlbum; video also Format.
void WriteExitSettings(ProfileStore& file, PlayerKind kind, const PlayerSettings& settings);

struct ScreenPoint {
  int x;
  int y;
};

// `WindowPos`: the bottom-right corner of a window, kept within the screen; nothing when the
// key is absent or does not hold two numbers (the window is then centred).
std::optional<ScreenPoint> ReadWindowPos(ProfileStore& file, const std::string& section,
                                         int screenWidth, int screenHeight);
void WriteWindowPos(ProfileStore& file, const std::string& section, ScreenPoint bottomRight);

}  // namespace sonavo

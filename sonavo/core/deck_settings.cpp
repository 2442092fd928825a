#include "sonavo/core/deck_settings.h"

#include <algorithm>
#include <limits>

#include "common/text/number_text.h"

namespace sonavo {
namespace {

constexpr std::size_t kNumberBuffer = 16;
constexpr std::size_t kAlbumBuffer = 33;
constexpr std::size_t kPathBuffer = 261;

bool ReadFlag(ProfileStore& file, const char* section, const char* key, bool defaultValue) {
  return ReadProfileInt(file, section, key, defaultValue ? 1 : 0) != 0;
}

void WriteFlag(ProfileStore& file, const char* section, const char* key, bool value) {
  file.WriteString(section, key, value ? "1" : "0");
}

bool IsFilePlayer(PlayerKind kind) {
  return kind != PlayerKind::Cd;
}

}  // namespace

PlayerSettings ReadPlayerSettings(ProfileStore& file, PlayerKind kind) {
  const char* section = Traits(kind).name;
  PlayerSettings settings;
  settings.autoPlay = ReadFlag(file, section, "AutoPlay", false);
  settings.alwaysOnTop = ReadFlag(file, section, "AlwaysOnTop", false);
  const int intro = ReadProfileInt(file, section, "IntroLength", kDefaultIntroLength);
  settings.introLength = intro >= 5 && intro <= 15 ? intro : kDefaultIntroLength;
  settings.repeat = ReadFlag(file, section, "Repeat", false);
  settings.trackRepeat = ReadFlag(file, section, "TrackRepeat", false);
  if (IsFilePlayer(kind)) {
    settings.autoLoad = ReadFlag(file, section, "AutoLoad", false);
    settings.curAlbum = file.ReadString(section, "CurAlbum", "", kAlbumBuffer);
    settings.mraAlbum = file.ReadString(section, "MraAlbum", "", kAlbumBuffer);
    settings.savePath = file.ReadString(section, "SavePath", "", kPathBuffer);
    settings.showPath = ReadFlag(file, section, "ShowPath", false);
  }
  if (kind == PlayerKind::Cd || kind == PlayerKind::Video) {
    settings.audioSource = ReadFlag(file, section, "AudioSource", false);
  }
  if (kind == PlayerKind::Cd) settings.stopOnExit = ReadFlag(file, section, "StopOnExit", false);
  if (kind == PlayerKind::Video) {
    settings.formatTime = ReadFlag(file, section, "Format", true);
    settings.stretchVideo = ReadFlag(file, section, "StretchVideo", false);
  }
  return settings;
}

void WriteExitSettings(ProfileStore& file, PlayerKind kind, const PlayerSettings& settings) {
  const char* section = Traits(kind).name;
  WriteFlag(file, section, "Repeat", settings.repeat);
  WriteFlag(file, section, "TrackRepeat", settings.trackRepeat);
  if (IsFilePlayer(kind)) {
    WriteFlag(file, section, "ShowPath", settings.showPath);
    file.WriteString(section, "SavePath", settings.savePath);
    file.WriteString(section, "CurAlbum", settings.curAlbum);
  }
  if (kind == PlayerKind::Video) WriteFlag(file, section, "Format", settings.formatTime);
}

std::optional<ScreenPoint> ReadWindowPos(ProfileStore& file, const std::string& section,
                                         int screenWidth, int screenHeight) {
  constexpr int kUnread = std::numeric_limits<int>::min();
  const std::vector<int> corner = text::ScanIntList(
      file.ReadString(section, "WindowPos", "", kNumberBuffer * 2), {kUnread, kUnread});
  if (corner[0] == kUnread || corner[1] == kUnread) return std::nullopt;
  return ScreenPoint{std::clamp(corner[0], 0, screenWidth), std::clamp(corner[1], 0, screenHeight)};
}

void WriteWindowPos(ProfileStore& file, const std::string& section, ScreenPoint bottomRight) {
  file.WriteString(section, "WindowPos",
                   std::to_string(bottomRight.x) + "," + std::to_string(bottomRight.y));
}

}  // namespace sonavo

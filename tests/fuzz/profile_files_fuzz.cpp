// Fuzz target: any profile file (system.ini's [Marovane], MAROVANE.INI, the album files,
// machine.ini, the installation medium's install.ini) is read into values the programs can use:
// defaults for what is missing or garbage, counts and selections within their bounds, positions on
// the screen.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/settings/marovane_settings.h"
#include "install/core/install_script.h"
#include "jubilo/core/launch_plan.h"
#include "jubilo/core/options.h"
#include "machine/core/machine_config.h"
#include "sonavo/core/album_files.h"
#include "sonavo/core/deck_settings.h"
#include "sonavo/core/players.h"
#include "tests/fuzz/profile_text.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

void ReadSystemIni(ProfileStore& file) {
  settings::MarovaneSettings marovane(file);
  Require(marovane.Read(settings::kRefresh).size() == 6);
  Require(marovane.Read(settings::kScreenResolution).size() == 2);
  Require(marovane.Read(settings::TimingSetting(1024, "764")).size() == 9);
  for (int index = -1; index <= 5; ++index) static_cast<void>(marovane.ReadRefresh(index));
  Require(marovane.Read(settings::kToolsFolder).size() < settings::kToolsFolder.bufferSize);
}

void ReadSettingsFile(ProfileStore& file) {
  for (int kind = 0; kind < 4; ++kind) {
    const auto player = static_cast<sonavo::PlayerKind>(kind);
    const sonavo::PlayerSettings settings = sonavo::ReadPlayerSettings(file, player);
    Require(settings.introLength >= 5 && settings.introLength <= 15);
    if (const auto corner = sonavo::ReadWindowPos(file, sonavo::Traits(player).name, 640, 480)) {
      Require(corner->x >= 0 && corner->x <= 640 && corner->y >= 0 && corner->y <= 480);
    }
  }
  for (const jubilo::OptionsPage& page : jubilo::OptionsPages()) {
    const jubilo::OptionValues values = jubilo::ReadOptions(page, file);
    Require(values.boxes.size() == page.boxes.size() && values.radios.size() == page.radios.size());
  }
  static_cast<void>(jubilo::LaunchPlan(file));
}

void ReadAlbumFiles(ProfileStore& file) {
  sonavo::AlbumFile albums(file);
  for (const std::string& name : albums.Names()) {
    const sonavo::Album album = albums.Read(name);
    Require(album.paths.size() <= sonavo::kMaxEntries);
    Require(album.selection >= 1 && album.selection <= std::max<int>(1, album.paths.size()));
  }
  Require(albums.NewName("Album").size() >= 8);
  sonavo::CdCatalogue catalogue(file, "Track");
  // A few discs are enough; each is read at the track counts that test its bounds.
  std::vector<std::string> discs = file.ReadKeys("CD List", 4096);
  discs.resize(std::min<std::size_t>(discs.size(), 3));
  for (const std::string& identifier : discs) {
    for (int tracks : {0, 12, 120}) {
      const sonavo::Disc disc = catalogue.Read(identifier, tracks);
      const int held = std::min(tracks, sonavo::kMaxEntries);
      Require(static_cast<int>(disc.trackNames.size()) == held);
      Require(disc.programList.size() <= sonavo::kMaxEntries);
      for (int track : disc.programList) Require(track >= 1 && track <= held);
    }
  }
}

void ReadMachineIni(ProfileStore& file) {
  const machine::MachineConfig config = machine::ReadMachineConfig(file);
  Require(config.memoryKb >= 512 && config.memoryKb <= 4096 && !config.cdTracks.empty());
  Require(config.bootMode.width > 0 && config.bootMode.height > 0);
}

void ReadInstallScript(ProfileStore& file) {
  const install::InstallScript script = install::ReadInstallScript(file);
  Require(script.numberOfDisks >= 0 && script.product.size() < 80);
  const install::Language language = install::LanguageNamed(script.language);
  Require(language.index >= 0 && language.index <= 2);
  static_cast<void>(install::SetupFolder(file, script.product, language.code));
  Require(install::SetupProgram(file).size() < 50);
  for (int disk = 1; disk <= std::min(script.numberOfDisks, 3); ++disk) {
    static_cast<void>(install::DiskFolder(file, disk, script.product, language.code));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryProfile file = ProfileFromBytes(data, size);
  ReadSystemIni(file);
  ReadSettingsFile(file);
  ReadAlbumFiles(file);
  ReadMachineIni(file);
  ReadInstallScript(file);
  return 0;
}

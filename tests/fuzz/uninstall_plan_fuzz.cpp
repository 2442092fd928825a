// Fuzz target: whatever the installation record and system.ini hold, the uninstaller touches
// only the suite's own files: the folders it empties lie inside the canonical ProgramDir, which
// is neither a root nor at or above one of Windows' folders; wininit.ini gets only the
// uninstaller's copy and a plain driver name's two files in the system folder; the registry key
// it deletes lies strictly below the list of uninstallable programs; system.ini loses only the
// suite's sections.
// Input: the six record values, one per line, then the text of system.ini.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "install/core/uninstall.h"
#include "tests/fuzz/profile_text.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

const install::SystemFolders kFolders{
    "C:\\windows",
    "C:\\windows",
    {"C:\\windows", "C:\\windows\\system32", "C:\\windows\\SYSTEM", "C:\\Program Files",
     "C:\\users\\me\\Documents"}};

// The strongest adversary: every file the plan looks for is there.
class EverythingThere : public install::FileLookup {
 public:
  bool Exists(const std::string&) override { return true; }
  std::string LongPath(const std::string& path) override { return path; }
};

bool IsPlainDriverName(const std::string& name) {
  return !name.empty() && name.size() <= 8 &&
         std::all_of(name.begin(), name.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0 || c == '_'; }) &&
         Lower(name) != "vga" && Lower(name) != "framebuf" && Lower(name) != "supervga";
}

// Whether emptying `folder` would reach into `kept`: it is kept or lies above it.
bool Reaches(const std::string& folder, const std::string& kept) {
  const std::string lowerKept = Lower(kept);
  const std::string lowerFolder = Lower(folder);
  return lowerKept == lowerFolder || lowerKept.rfind(lowerFolder + "\\", 0) == 0;
}

void CheckFolders(const install::UninstallPlan& plan) {
  if (plan.foldersToEmpty.empty()) {
    Require(plan.setupUninstaller.empty());
    return;
  }
  const std::string& programDir = plan.programDir;
  Require(!plan.folderRefused);
  Require(install::CanonicalFolder(programDir, "") == programDir);
  Require(programDir.size() > 3);
  for (const std::string& kept : kFolders.kept) Require(!Reaches(programDir, kept));
  Require(plan.setupUninstaller == programDir + "\\uninst.exe");
  for (const std::string& folder : plan.foldersToEmpty) {
    Require(folder == programDir || folder == programDir + "\\VISTREL" ||
            folder == programDir + "\\JUBILO" || folder == programDir + "\\TINTWISE");
  }
}

void CheckPendingDeletions(const install::UninstallPlan& plan, const std::string& driverName) {
  const auto& lines = plan.pendingDeletions;
  Require(!lines.empty() && lines[0] == "NUL=C:\\windows\\MARVUNIN.EXE");
  if (lines.size() == 1) return;
  Require(lines.size() == 3 && IsPlainDriverName(driverName));
  Require(lines[1] == "NUL=C:\\windows\\SYSTEM\\" + driverName + ".DRV");
  Require(lines[2] == "NUL=C:\\windows\\SYSTEM\\" + driverName + ".VXD");
}

void CheckUninstallKey(const install::UninstallPlan& plan) {
  if (plan.uninstallKey.empty()) return;
  const std::string list = install::kUninstallKeys;
  Require(plan.uninstallKey.rfind(list, 0) == 0);
  const std::string name = plan.uninstallKey.substr(list.size());
  Require(!name.empty() && name != "." && name != ".." && name.find('\\') == std::string::npos);
}

bool IsSuiteSection(const std::string& section) {
  return Lower(section) == "marovane" || Lower(section) == "glimmark.drv";
}

void CheckSystemIni(const std::uint8_t* data, std::size_t size) {
  const MemoryProfile original = ProfileFromBytes(data, size);
  MemoryProfile reset = original;
  install::ResetSystemIni(reset);
  for (const MemoryProfile::Entry& entry : original.Entries()) {
    const bool written =
        (Lower(entry.section) == "boot.description" && Lower(entry.key) == "display.drv") ||
        (Lower(entry.section) == "386enh" && Lower(entry.key) == "display");
    if (IsSuiteSection(entry.section)) {
      Require(!reset.Has(entry.section, entry.key));
    } else if (!written) {
      Require(reset.Value(entry.section, entry.key) == original.Value(entry.section, entry.key));
    }
  }
  Require(reset.Value("386Enh", "display") == "*vdd");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const char* names[] = {"ProgramDir",   "ToolsFolder", "DisplayPath",
                         "oemfonts.fon", "DriverName",  "AppName"};
  MemoryRegistry registry;
  std::size_t at = 0;
  for (const char* name : names) {
    if (at > text.size()) break;
    const std::size_t end = std::min(text.find('\n', at), text.size());
    registry.Put(RegRoot::LocalMachine, install::kInstallationRecord, name,
                 std::string(text.substr(at, end - at)));
    at = end + 1;
  }
  if (const auto record = install::ReadInstallationRecord(registry)) {
    EverythingThere disk;
    const install::UninstallPlan plan = install::PlanUninstall(*record, kFolders, disk);
    CheckFolders(plan);
    CheckPendingDeletions(plan, record->driverName);
    CheckUninstallKey(plan);
  }
  const std::size_t rest = std::min(at, size);
  CheckSystemIni(data + rest, size - rest);
  return 0;
}

#include <gtest/gtest.h>

#include <algorithm>

#include "install/core/install_script.h"
#include "install/core/uninstall.h"
#include "tests/native/fakes.h"

namespace {

using namespace install;

TEST(InstallScriptTest, PlaceholdersReplaceTheirFirstOccurrenceInAnyCase) {
  MemoryProfile script;
  script.WriteString("Install", "Path", "\\%product%\\%language%\\SETUP");
  const InstallScript values = ReadInstallScript(script);
  EXPECT_EQ(values.product, "KOVA");
  EXPECT_EQ(SetupFolder(script, values.product, LanguageNamed("Deutsch").code),
            "\\KOVA\\GERMAN\\SETUP");
  EXPECT_EQ(ReplacePlaceholders("%PRODUCT%\\%PRODUCT%\\%Language%\\%LANGUAGE%", "KOVA", "FRENCH"),
            "KOVA\\%PRODUCT%\\FRENCH\\%LANGUAGE%");
  // The product is put in first, so a product code holding "%LANGUAGE%" gets replaced too.
  EXPECT_EQ(ReplacePlaceholders("%product%", "X%LANGUAGE%", "GERMAN"), "XGERMAN");
  EXPECT_EQ(ReplacePlaceholders("%PRODUCT", "KOVA", "GERMAN"), "%PRODUCT");
}

TEST(InstallScriptTest, DefaultsAndValuesOfTheScript) {
  MemoryProfile empty;
  const InstallScript defaults = ReadInstallScript(empty);
  EXPECT_EQ(defaults.product, "KOVA");
  EXPECT_TRUE(defaults.askLanguage);
  EXPECT_EQ(defaults.numberOfDisks, 0);
  EXPECT_EQ(SetupFolder(empty, "KOVA", "ENGLISH"), ".");
  EXPECT_EQ(SetupProgram(empty), "setup.exe");
  EXPECT_EQ(DiskFolder(empty, 2, "KOVA", "ENGLISH"), ".");

  MemoryProfile script;
  script.WriteString("Product", "Product", "DETECT");
  script.WriteString("Language", "Language", "deutsch");
  script.WriteString("Makefloppies", "Numberofdisks", "3 disks");
  script.WriteString("Makefloppies", "disk2", "%PRODUCT%\\DISK2");
  const InstallScript values = ReadInstallScript(script);
  EXPECT_EQ(values.product, "KOVA");
  EXPECT_FALSE(values.askLanguage);
  EXPECT_EQ(values.numberOfDisks, 3);
  EXPECT_EQ(DiskFolder(script, 2, values.product, "GERMAN"), "KOVA\\DISK2");

  // Garbage and overlong values: no disks, and texts cut to their buffers.
  script.WriteString("Makefloppies", "Numberofdisks", "-2");
  script.WriteString("Install", "Program", std::string(300, 'p'));
  script.WriteString("Install", "Path", std::string(300, 'q') + "%PRODUCT%");
  EXPECT_EQ(ReadInstallScript(script).numberOfDisks, 0);
  EXPECT_EQ(SetupProgram(script).size(), 49u);
  EXPECT_EQ(SetupFolder(script, "KOVA", "ENGLISH"), std::string(119, 'q'));
}

TEST(InstallScriptTest, LanguagesByNameAndByTheWindowsLocale) {
  EXPECT_EQ(LanguageNamed("deutsch").index, 1);
  EXPECT_EQ(LanguageNamed("deutsch").code, "GERMAN");
  EXPECT_EQ(LanguageNamed("FRAN\xC7"
                          "AIS")
                .code,
            "FRENCH");
  EXPECT_EQ(LanguageNamed("Dutch").index, 0);
  EXPECT_EQ(LanguageNamed("Dutch").code, "ENGLISH");
  EXPECT_EQ(LanguageNamed("").code, "ENGLISH");
  EXPECT_EQ(PreselectedLanguage("Englisch"), 1);
  EXPECT_EQ(PreselectedLanguage("Anglais"), 2);
  EXPECT_EQ(PreselectedLanguage("English"), 0);
  EXPECT_EQ(PreselectedLanguage("englisch"), 0);
}

TEST(InstallScriptTest, CommandLineWordsAndTheUninstallSwitch) {
  EXPECT_EQ(SplitCommandLine("  install.exe   3 arg extra"),
            (std::vector<std::string>{"install.exe", "3", "arg"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\INSTALL.EXE\" 3 x"),
            (std::vector<std::string>{"C:\\Program Files\\INSTALL.EXE", "3", "x"}));
  EXPECT_EQ(UninstallArgument("install 3 log.txt"), "log.txt");
  EXPECT_EQ(UninstallArgument("install 3"), "");
  EXPECT_EQ(UninstallArgument("install 33"), std::nullopt);
  EXPECT_EQ(UninstallArgument("install"), std::nullopt);
  EXPECT_TRUE(SplitCommandLine("").empty());
}

TEST(InstallScriptTest, HowInstallStarts) {
  MemoryProfile script;
  EXPECT_EQ(DecideStart(false, false, script).program, "setup.exe");
  script.WriteString("Install", "Program", "other.exe /q");
  EXPECT_EQ(DecideStart(false, true, script).kind, Start::kRunSetupAtOnce);
  EXPECT_EQ(DecideStart(false, true, script).program, "other.exe /q");
  EXPECT_EQ(DecideStart(true, false, script).kind, Start::kScriptMissing);
  EXPECT_EQ(DecideStart(true, true, script).kind, Start::kWizard);
}

TEST(UninstallTest, InstallationRecordNeedsItsThreeFolders) {
  MemoryRegistry registry;
  EXPECT_FALSE(ReadInstallationRecord(registry));
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "ProgramDir", "C:\\MRV");
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "ToolsFolder", "Marovane");
  EXPECT_FALSE(ReadInstallationRecord(registry));
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "DisplayPath", "Enum\\PCI\\S3");
  const auto record = ReadInstallationRecord(registry);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->oemFont, "vgaoem.fon");
  EXPECT_EQ(record->driverName, "");
  // A value too long for its buffer is never cut: optional ones take their defaults...
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "oemfonts.fon", "8514oem.fon.long.name");
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "DriverName", "S3MRV1234567890");
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "AppName", std::string(50, 'M'));
  EXPECT_EQ(ReadInstallationRecord(registry)->oemFont, "vgaoem.fon");
  EXPECT_EQ(ReadInstallationRecord(registry)->driverName, "");
  EXPECT_EQ(ReadInstallationRecord(registry)->appName, "");
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "oemfonts.fon", "8514oem.fon");
  EXPECT_EQ(ReadInstallationRecord(registry)->oemFont, "8514oem.fon");
  // ...and a required one is missing: its parent folder would be deleted instead.
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "ProgramDir",
               "C:\\MRV\\" + std::string(255, 'x'));
  EXPECT_FALSE(ReadInstallationRecord(registry));
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "ProgramDir",
               "C:\\MRV\\" + std::string(252, 'x'));
  EXPECT_TRUE(ReadInstallationRecord(registry));
  EXPECT_EQ(registry.OpenCount(), 0);
}

TEST(UninstallTest, WindowsCloseFromTrayvelToTheStartMenuGroup) {
  const auto windows = WindowsToClose("Marovane Tools");
  ASSERT_EQ(windows.size(), 13u);
  EXPECT_EQ(windows.front().className, "LatchwinIniApp");
  EXPECT_EQ(windows[10].caption, "Marovane Vistrel");
  EXPECT_EQ(windows.back().className, "CabinetWClass");
  EXPECT_EQ(windows.back().caption, "Marovane Tools");
  // Explorer runs on when the group's folder window closes: only the suite's programs end.
  EXPECT_FALSE(windows.back().programEnds);
  EXPECT_TRUE(windows.front().programEnds);
}

TEST(UninstallTest, FoldersAreResolvedAsWindowsResolvesThem) {
  const std::string current = "C:\\WINDOWS";
  const std::pair<const char*, const char*> resolved[] = {
      {"C:\\Program Files\\Marovane", "C:\\Program Files\\Marovane"},
      {"c:\\\\windows", "C:\\windows"},
      {"C:\\windows.", "C:\\windows"},
      {"C:\\windows .\\system32\\ ", "C:\\windows\\system32"},
      {"C:\\windows\\..\\windows\\system32", "C:\\windows\\system32"},
      {"C:/Tools/./Marovane/", "C:\\Tools\\Marovane"},
      {"C:\\..\\..", "C:\\"},
      {"C:\\x\\...\\y", "C:\\x\\y"},
      {"SYSTEM", "C:\\WINDOWS\\SYSTEM"},
      {"\\Marovane", "C:\\Marovane"},
      {"c:Marovane", "C:\\WINDOWS\\Marovane"},
      {"D:Marovane", "D:\\Marovane"},
  };
  for (const auto& [path, folder] : resolved) {
    EXPECT_EQ(CanonicalFolder(path, current), std::optional<std::string>(folder)) << path;
  }
  for (const char* unresolved : {"", "\\\\server\\share\\x", "\\\\?\\C:\\x", "//./PhysicalDrive0",
                                 "C:\\a|b", "C:\\a\\b:stream", "C:\\a\x01"}) {
    EXPECT_FALSE(CanonicalFolder(unresolved, current)) << unresolved;
  }
  EXPECT_FALSE(CanonicalFolder("Marovane", ""));
  EXPECT_TRUE(IsSameOrBelow("C:\\WINDOWS\\system32", "c:\\windows"));
  EXPECT_TRUE(IsSameOrBelow("C:\\WINDOWS", "C:\\"));
  EXPECT_FALSE(IsSameOrBelow("C:\\WINDOWS2", "C:\\WINDOWS"));
}

// A disk that holds every file asked for, or only the ones given; short names as Windows gives
// them.
class FakeDisk : public FileLookup {
 public:
  explicit FakeDisk(std::vector<std::string> files = {}) : files_(std::move(files)) {}
  bool Exists(const std::string& path) override {
    return files_.empty() || std::any_of(files_.begin(), files_.end(), [&](const auto& file) {
             return Lower(file) == Lower(path);
           });
  }
  std::string LongPath(const std::string& path) override {
    return Lower(path) == "c:\\progra~1" ? "C:\\Program Files" : path;
  }

 private:
  std::vector<std::string> files_;
};

const SystemFolders kFolders{
    "C:\\windows",
    "C:\\windows",
    {"C:\\windows", "C:\\windows\\system32", "C:\\windows\\SYSTEM", "C:\\Program Files",
     "C:\\users\\me\\Documents", "C:\\users\\me\\Start Menu", "C:\\users\\Public\\Desktop"}};

InstallationRecord Genuine() {
  return {"C:\\Program Files\\Marovane",
          "Marovane Tools",
          "Enum\\PCI\\S3",
          "vgaoem.fon",
          "S3MRV",
          "Marovane"};
}

TEST(UninstallTest, AGenuineRecordRemovesTheSuiteAsItWasInstalled) {
  FakeDisk disk({"C:\\Program Files\\Marovane\\VISTREL\\VISTREL.EXE"});
  const UninstallPlan plan = PlanUninstall(Genuine(), kFolders, disk);
  EXPECT_FALSE(plan.folderRefused);
  EXPECT_EQ(plan.setupUninstaller, "C:\\Program Files\\Marovane\\uninst.exe");
  EXPECT_EQ(plan.foldersToEmpty,
            (std::vector<std::string>{
                "C:\\Program Files\\Marovane\\VISTREL", "C:\\Program Files\\Marovane\\JUBILO",
                "C:\\Program Files\\Marovane\\TINTWISE", "C:\\Program Files\\Marovane"}));
  EXPECT_EQ(plan.pendingDeletions,
            (std::vector<std::string>{"NUL=C:\\windows\\MARVUNIN.EXE",
                                      "NUL=C:\\windows\\SYSTEM\\S3MRV.DRV",
                                      "NUL=C:\\windows\\SYSTEM\\S3MRV.VXD"}));
  EXPECT_EQ(plan.uninstallKey, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Marovane");
  // The set-up program's uninstaller alone is sign enough; so is any file of the layout.
  const auto markers = SuiteMarkers();
  EXPECT_NE(std::find(markers.begin(), markers.end(), "uninst.exe"), markers.end());
  EXPECT_NE(std::find(markers.begin(), markers.end(), "JUBILO\\SONAVO.EXE"), markers.end());
  FakeDisk onlySetUp({"C:\\Program Files\\Marovane\\uninst.exe"});
  EXPECT_EQ(PlanUninstall(Genuine(), kFolders, onlySetUp).foldersToEmpty.size(), 4u);
}

TEST(UninstallTest, AHostileRecordTouchesNothingButTheSuites) {
  // Folders that are Windows', or above them: refused (and the user told) even when they hold
  // the suite's layout.
  FakeDisk everything;
  for (const char* folder :
       {"C:\\WINDOWS\\SYSTEM", "C:\\windows\\system32", "C:\\\\windows", "C:\\windows.",
        "C:\\windows\\..\\windows\\system32", "C:\\", "D:\\", "C:\\Program Files", "C:\\PROGRA~1",
        "C:/Windows/", "c:\\USERS", "C:\\users\\me\\Documents\\.", "system32", "..",
        "\\\\server\\share", "C:\\a|b", ""}) {
    InstallationRecord record = Genuine();
    record.programDir = folder;
    const UninstallPlan plan = PlanUninstall(record, kFolders, everything);
    EXPECT_TRUE(plan.folderRefused) << folder;
    EXPECT_TRUE(plan.foldersToEmpty.empty()) << folder;
    EXPECT_EQ(plan.setupUninstaller, "") << folder;
  }
  // A folder without the suite's layout stays, without a word.
  FakeDisk suiteOnly({"C:\\Program Files\\Marovane\\VISTREL\\VISTREL.EXE"});
  for (const char* folder : {"C:\\My Documents", "C:\\Gone", "C:\\Program Files\\Other"}) {
    InstallationRecord record = Genuine();
    record.programDir = folder;
    const UninstallPlan plan = PlanUninstall(record, kFolders, suiteOnly);
    EXPECT_FALSE(plan.folderRefused) << folder;
    EXPECT_TRUE(plan.foldersToEmpty.empty()) << folder;
    EXPECT_EQ(plan.setupUninstaller, "") << folder;
  }
  // Driver names that are not the suite's schedule the uninstaller's copy alone.
  for (const char* driver : {"VGA", "framebuf", "SuperVGA", "..\\..\\x", "S3MRV.DRV", "S3MRV1234",
                             "S3 MRV", "TOOLONGNM", ""}) {
    InstallationRecord record = Genuine();
    record.driverName = driver;
    EXPECT_EQ(PlanUninstall(record, kFolders, everything).pendingDeletions,
              std::vector<std::string>{"NUL=C:\\windows\\MARVUNIN.EXE"})
        << driver;
  }
  EXPECT_TRUE(IsSuiteDriverName("S3_MRV12"));
  // Key names that are not plain leave the list of uninstallable programs alone.
  for (const char* appName : {"\\", "\\\\", "", ".", "..", "Marovane\\..\\Other", "Other\\"}) {
    InstallationRecord record = Genuine();
    record.appName = appName;
    EXPECT_EQ(PlanUninstall(record, kFolders, everything).uninstallKey, "") << appName;
  }
}

TEST(UninstallTest, StandardVgaValuesAndSystemIni) {
  MemoryRegistry registry;
  InstallationRecord record{"C:\\MRV", "Marovane", "Enum\\PCI\\S3", "vgaoem.fon", "S3MRV", "Mrv"};
  registry.Put(RegRoot::LocalMachine, record.displayPath, "Driver", "Display\\0000");
  EXPECT_TRUE(ResetDisplayToVga(registry, record));
  const std::string classKey = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, record.displayPath, "DeviceDesc"),
            "Standard Display Adapter (VGA)");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, classKey, "DevLoader"), "*vdd");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, classKey + "\\DEFAULT", "drv"), "vga.drv");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, classKey + "\\MODES\\1\\640,480", "vdd"),
            "*vdd,*vflatd");
  EXPECT_TRUE(registry.HasValue(RegRoot::LocalMachine, classKey + "\\MODES\\4\\640,480", ""));
  EXPECT_EQ(
      registry.Value(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "oemfonts.fon"),
      "vgaoem.fon");
  EXPECT_EQ(registry.Value(RegRoot::LocalMachine, "Config\\0001\\Display\\Fonts",
                           "Small Fonts (VGA res)"),
            "smalle.fon");
  EXPECT_EQ(registry.OpenCount(), 0);

  // An adapter without its driver key leaves the display class alone.
  MemoryRegistry bare;
  EXPECT_FALSE(ResetDisplayToVga(bare, record));
  EXPECT_FALSE(bare.HasKey(RegRoot::LocalMachine, "System\\CurrentControlSet\\Services\\Class"));
  EXPECT_EQ(bare.Value(RegRoot::LocalMachine, "Config\\0001\\Display\\Settings", "Resolution"),
            "640,480");

  MemoryProfile systemIni;
  systemIni.WriteString("Marovane", "ProgramDir", "C:\\MRV");
  systemIni.WriteString("Glimmark.drv", "x", "1");
  systemIni.WriteString("boot", "display.drv", "s3mrv.drv");
  ResetSystemIni(systemIni);
  EXPECT_FALSE(systemIni.HasSection("Marovane"));
  EXPECT_FALSE(systemIni.HasSection("Glimmark.drv"));
  EXPECT_EQ(systemIni.Value("boot.description", "display.drv"), "Standard Display Adapter (VGA)");
  EXPECT_EQ(systemIni.Value("386Enh", "display"), "*vdd");
  EXPECT_EQ(systemIni.Value("boot", "display.drv"), "s3mrv.drv");
}

}  // namespace

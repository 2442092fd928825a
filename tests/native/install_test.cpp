#include <gtest/gtest.h>

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
  registry.Put(RegRoot::LocalMachine, kInstallationRecord, "oemfonts.fon", "8514oem.fon.long.name");
  EXPECT_EQ(ReadInstallationRecord(registry)->oemFont, "8514oem.fon.lo");
  EXPECT_EQ(registry.OpenCount(), 0);
}

TEST(UninstallTest, WindowsCloseFromTrayvelToTheStartMenuGroup) {
  const auto windows = WindowsToClose("Marovane Tools");
  ASSERT_EQ(windows.size(), 13u);
  EXPECT_EQ(windows.front().className, "LatchwinIniApp");
  EXPECT_EQ(windows[10].caption, "Marovane Vistrel");
  EXPECT_EQ(windows.back().className, "CabinetWClass");
  EXPECT_EQ(windows.back().caption, "Marovane Tools");
}

TEST(UninstallTest, DeletionStaysInsideAProgramFolder) {
  const std::string windows = "C:\\WINDOWS";
  EXPECT_TRUE(IsDeletableProgramDir("C:\\Program Files\\Marovane", windows));
  EXPECT_TRUE(IsDeletableProgramDir("d:\\tools\\", windows));
  for (const char* refused : {"", "C:", "C:\\", "\\", "\\\\server\\share", "Marovane", ".",
                              "C:\\WINDOWS", "c:\\windows\\", "C:\\Tools\\..", "C:\\.\\x\\..\\"}) {
    EXPECT_FALSE(IsDeletableProgramDir(refused, windows)) << refused;
  }
  EXPECT_FALSE(IsDeletableProgramDir("C:\\OS", "C:\\OS\\WINDOWS"));
  EXPECT_TRUE(IsDeletableProgramDir("C:\\WIN", windows));
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

TEST(UninstallTest, PendingDeletionsNameTheDriverFiles) {
  EXPECT_EQ(PendingDeletions("C:\\WINDOWS", "S3MRV"),
            (std::vector<std::string>{"NUL=C:\\WINDOWS\\MARVUNIN.EXE",
                                      "NUL=C:\\WINDOWS\\SYSTEM\\S3MRV.DRV",
                                      "NUL=C:\\WINDOWS\\SYSTEM\\S3MRV.VXD"}));
  EXPECT_EQ(PendingDeletions("C:\\WINDOWS", "").size(), 1u);
}

}  // namespace

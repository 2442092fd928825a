// install end to end: the wizard on the build's distribution medium and on small media of the
// test's own, the diskette copy, and the uninstaller with the suite running.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "common/interop/installed_layout.h"
#include "common/interop/suite_names.h"
#include "install/app/resource.h"
#include "tests/harness/harness.h"
#include "tests/harness/simulated_pc.h"

namespace {

using harness::Program;

constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr const char* kRecord = "SOFTWARE\\Marovane\\Installation";
constexpr const char* kUninstallKeys = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

HWND CurrentWizardPage(HWND wizard) {
  HWND page = nullptr;
  harness::WaitFor([&] { return (page = PropSheet_GetCurrentPageHwnd(wizard)) != nullptr; });
  return page;
}

// Waits for a message box of the process and answers it with `button`; its text, or
// "(no message)".
std::string Answer(const Program& program, int button) {
  const auto box = harness::WaitForMessageBox(program.Id());
  if (!box) return "(no message)";
  harness::PressButton(box->window, button);
  // Gone before the next box is looked for.
  harness::WaitFor([&] { return !IsWindow(box->window); });
  return box->text;
}

class InstallTest : public harness::ScenarioTest {
 protected:
  // A medium of the test's own in C:\medium: install with autorun.inf and `script`.
  static std::string SmallMedium(const std::string& script) {
    const std::string medium = "C:\\medium";
    CreateDirectoryA(medium.c_str(), nullptr);
    CopyFileA((harness::OwnFolder() + "\\INSTALL.EXE").c_str(), (medium + "\\INSTALL.EXE").c_str(),
              FALSE);
    WriteFile(medium + "\\autorun.inf", "[autorun]\r\nopen=INSTALL.EXE\r\n");
    WriteFile(medium + "\\install.ini", script);
    return medium;
  }

  HWND WaitForWizard(const Program& install) {
    return harness::WaitForWindow("#32770", "Marovane", install.Id());
  }
  // The install page after Next on the language page, with the diskette drive field set.
  HWND InstallPageWithDrive(const Program& install, const char* drive) {
    HWND wizard = WaitForWizard(install);
    if (wizard == nullptr) return nullptr;
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    harness::WaitFor([&] {
      return GetDlgItem(PropSheet_GetCurrentPageHwnd(wizard), IDC_COPY_BUTTON) != nullptr;
    });
    HWND page = PropSheet_GetCurrentPageHwnd(wizard);
    if (page != nullptr) SetDlgItemTextA(page, IDC_DISKETTE_DRIVE, drive);
    return page;
  }
};

TEST_F(InstallTest, TheWizardOnTheMediumInstallsTheSuiteAndTrayvelWelcomesTheUser) {
  // What the quick installation of the fixture put in place goes: this test installs for real.
  WritePrivateProfileStringA("Marovane", nullptr, nullptr, "system.ini");
  Program install(harness::OwnFolder() + "\\..\\distribution\\INSTALL.EXE");
  ASSERT_TRUE(install.Started());
  HWND wizard = WaitForWizard(install);
  ASSERT_NE(wizard, nullptr);
  HWND page = CurrentWizardPage(wizard);
  ASSERT_NE(GetDlgItem(page, IDC_LANGUAGE_LIST), nullptr);
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE_LIST, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE_LIST, LB_GETCURSEL, 0, 0), 0);
  // The page sets its buttons with a posted message: wait for both.
  EXPECT_TRUE(harness::WaitFor([&] {
    return harness::IsEnabled(wizard, kNextButton) && !harness::IsEnabled(wizard, kBackButton);
  }));
  harness::SaveScreenshot(wizard, "install-language-page");

  SendDlgItemMessageA(page, IDC_LANGUAGE_LIST, LB_SETCURSEL, 1, 0);
  PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  ASSERT_TRUE(harness::WaitFor([&] {
    return GetDlgItem(PropSheet_GetCurrentPageHwnd(wizard), IDC_INSTALL_BUTTON) != nullptr;
  }));
  page = PropSheet_GetCurrentPageHwnd(wizard);
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_INSTALL_TEXT)),
            "Installation starten...");
  EXPECT_TRUE(harness::WaitFor([&] { return harness::IsEnabled(wizard, kBackButton); }));
  EXPECT_FALSE(harness::IsEnabled(wizard, kNextButton));
  harness::SaveScreenshot(wizard, "install-install-page");

  harness::PressButton(page, IDC_INSTALL_BUTTON);
  ASSERT_TRUE(install.WaitForExit());
  EXPECT_NE(
      harness::WaitForWindow(names::kWelcomeClass, "Marovane", 0, harness::Milliseconds(30000)),
      nullptr);
  for (const layout::SuiteFile& file : layout::kSuiteFiles) {
    EXPECT_TRUE(Exists(std::string(file.folder) + "\\" + file.name)) << file.name;
  }
  EXPECT_TRUE(Exists(std::string(layout::kProgramDir) + "\\uninst.exe"));
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "ProgramDir"), layout::kProgramDir);
  EXPECT_EQ(harness::ReadProfile("system.ini", "Marovane", "ToolsFolder"), "Marovane Tools");
  EXPECT_EQ(harness::ReadRegistry(HKEY_LOCAL_MACHINE, kRecord, "DisplayPath"),
            layout::kDisplayPath);
  EXPECT_EQ(harness::ReadRegistry(HKEY_LOCAL_MACHINE, kRecord, "DriverName"), "S3MRV");
  EXPECT_TRUE(harness::ReadRegistry(
      HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Marovane",
      "UninstallString"));
}

TEST_F(InstallTest, AScriptInGermanSkipsTheLanguagePageAndAStrangeLanguageGetsEnglishTexts) {
  const std::string medium = SmallMedium(
      "[Language]\r\nLanguage=deutsch\r\n[Install]\r\nPath=\\%product%\\%language%\\SETUP\r\n");
  {
    Program install(medium + "\\INSTALL.EXE");
    HWND wizard = WaitForWizard(install);
    ASSERT_NE(wizard, nullptr);
    HWND page = CurrentWizardPage(wizard);
    EXPECT_EQ(GetDlgItem(page, IDC_LANGUAGE_LIST), nullptr);
    EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_SELECTED_TEXT)),
              "(German) You have selected:");
    EXPECT_FALSE(harness::IsEnabled(wizard, kBackButton));
    // Without diskettes in the script, the copy function is not offered.
    EXPECT_FALSE(IsWindowVisible(harness::Control(page, IDC_COPY_BUTTON)));
    // The set-up folder \KOVA\GERMAN\SETUP does not exist: the user is told, in German.
    harness::PressButton(page, IDC_INSTALL_BUTTON);
    EXPECT_EQ(Answer(install, IDOK),
              "Der Ordner des Setup-Programms, \"\\KOVA\\GERMAN\\SETUP\", wurde nicht gefunden.");
    EXPECT_TRUE(install.WaitForExit());
  }
  // The folder is there now, but without its program.
  for (const char* folder : {"C:\\KOVA", "C:\\KOVA\\GERMAN", "C:\\KOVA\\GERMAN\\SETUP"}) {
    CreateDirectoryA(folder, nullptr);
  }
  {
    Program install(medium + "\\INSTALL.EXE");
    HWND wizard = WaitForWizard(install);
    ASSERT_NE(wizard, nullptr);
    harness::PressButton(CurrentWizardPage(wizard), IDC_INSTALL_BUTTON);
    EXPECT_EQ(Answer(install, IDOK),
              "Das Setup-Programm \"setup.exe\" kann im Ordner \"\\KOVA\\GERMAN\\SETUP\" nicht "
              "gestartet werden.");
    EXPECT_TRUE(install.WaitForExit());
  }
  SmallMedium("[Language]\r\nLanguage=Dutch\r\n");
  Program install(medium + "\\INSTALL.EXE");
  HWND wizard = WaitForWizard(install);
  ASSERT_NE(wizard, nullptr);
  HWND page = CurrentWizardPage(wizard);
  EXPECT_EQ(harness::WindowText(harness::Control(page, IDC_INSTALL_TEXT)), "Start Installation...");
  harness::SaveScreenshot(wizard, "install-dutch");
}

TEST_F(InstallTest, AMediumWithoutAutorunStartsSetUpAtOnceAndOneWithoutItsScriptSaysSo) {
  const std::string medium = SmallMedium("[Install]\r\nProgram=setup.exe /quiet\r\n");
  DeleteFileA((medium + "\\autorun.inf").c_str());
  ASSERT_TRUE(CopyFileA((harness::OwnFolder() + "\\START_RECORDER.EXE").c_str(),
                        (medium + "\\setup.exe").c_str(), FALSE));
  {
    Program install(medium + "\\INSTALL.EXE");
    EXPECT_TRUE(install.WaitForExit());
    EXPECT_TRUE(harness::WaitFor([] { return !StartedPrograms().empty(); }));
    EXPECT_NE(StartedPrograms().find("/quiet"), std::string::npos) << StartedPrograms();
  }
  SmallMedium("");
  DeleteFileA((medium + "\\install.ini").c_str());
  Program install(medium + "\\INSTALL.EXE");
  const auto box = harness::WaitForMessageBox(install.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "File INSTALL.INI not found!");
}

TEST_F(InstallTest, DiskettesCancelledAtTheSecondLeaveTheFirstWritten) {
  const std::string medium = SmallMedium(
      "[Makefloppies]\r\nNumberofdisks=3\r\ndisk1=%PRODUCT%\\D1\r\ndisk2=%PRODUCT%\\D2\r\n"
      "disk3=%PRODUCT%\\D3\r\n");
  CreateDirectoryA((medium + "\\KOVA").c_str(), nullptr);
  for (const char* disk : {"D1", "D2", "D3"}) {
    CreateDirectoryA((medium + "\\KOVA\\" + disk).c_str(), nullptr);
    WriteFile(medium + "\\KOVA\\" + disk + "\\" + disk + ".TXT", disk);
  }

  Program install(medium + "\\INSTALL.EXE");
  HWND page = InstallPageWithDrive(install, "b:");
  ASSERT_NE(GetDlgItem(page, IDC_COPY_BUTTON), nullptr);
  harness::PressButton(page, IDC_COPY_BUTTON);
  EXPECT_EQ(Answer(install, IDOK),
            "Please insert a blank and formatted disk into floppy disk drive b: .\r\nDisk 1 of 3.");
  EXPECT_EQ(Answer(install, IDCANCEL),
            "Please insert a blank and formatted disk into floppy disk drive b: .\r\nDisk 2 of 3.");
  // The wizard stays for another set or the installation.
  EXPECT_TRUE(harness::WaitFor([&] { return IsWindowEnabled(GetParent(page)) != FALSE; }));
  // The simulated PC's drive B: is a folder of its own.
  EXPECT_TRUE(Exists("B:\\D1.TXT"));
  EXPECT_FALSE(Exists("B:\\D2.TXT"));
  EXPECT_EQ(GetFileAttributesA("B:\\D1.TXT"), DWORD{FILE_ATTRIBUTE_ARCHIVE});
}

TEST_F(InstallTest, DiskettesReportWhatCannotBeWrittenAndFoldersThatAreEmptyOrGone) {
  const std::string medium =
      SmallMedium("[Makefloppies]\r\nNumberofdisks=3\r\ndisk1=D1\r\ndisk2=EMPTY\r\ndisk3=GONE\r\n");
  CreateDirectoryA((medium + "\\D1").c_str(), nullptr);
  CreateDirectoryA((medium + "\\EMPTY").c_str(), nullptr);
  WriteFile(medium + "\\D1\\D1.TXT", "new");
  // A folder of the file's name takes its place: the copy fails as on a write-protected
  // diskette (read-only files would not do: the tests may run as root).
  CreateDirectoryA("B:\\D1.TXT", nullptr);

  Program install(medium + "\\INSTALL.EXE");
  HWND page = InstallPageWithDrive(install, "1:");
  ASSERT_NE(GetDlgItem(page, IDC_COPY_BUTTON), nullptr);
  harness::PressButton(page, IDC_COPY_BUTTON);
  EXPECT_EQ(Answer(install, IDOK), "Please enter the letter of the diskette drive.");
  SetDlgItemTextA(page, IDC_DISKETTE_DRIVE, "B:");
  harness::PressButton(page, IDC_COPY_BUTTON);
  EXPECT_NE(Answer(install, IDOK).find("Disk 1 of 3."), std::string::npos);
  const auto failed = harness::WaitForMessageBox(install.Id());
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->text,
            "1 of 1 files could not be written to B:\\. The diskette may be full or "
            "write-protected.");
  // The user puts in another diskette; the retry writes it.
  RemoveDirectoryA("B:\\D1.TXT");
  harness::PressButton(failed->window, IDRETRY);
  harness::WaitFor([&] { return !IsWindow(failed->window); });
  EXPECT_NE(Answer(install, IDOK).find("Disk 2 of 3."), std::string::npos);
  EXPECT_EQ(Answer(install, IDOK), "No file has been found in this directory");
  EXPECT_NE(Answer(install, IDOK).find("Disk 3 of 3."), std::string::npos);
  EXPECT_EQ(Answer(install, IDOK), "The folder \"GONE\" of this diskette cannot be found.");
  EXPECT_EQ(Answer(install, IDOK), "Make Diskettes process is completed.");
  std::ifstream copied("B:\\D1.TXT");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "new");
}

TEST_F(InstallTest, TheSetUpProgramOnAnIncompleteMediumSaysWhichFileIsMissing) {
  const std::string medium = "C:\\medium";
  for (const std::string& folder : {medium, medium + "\\ENGLISH", medium + "\\FILES"}) {
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  ASSERT_TRUE(CopyFileA((harness::OwnFolder() + "\\setup.exe").c_str(),
                        (medium + "\\ENGLISH\\setup.exe").c_str(), FALSE));
  Program setup(medium + "\\ENGLISH\\setup.exe");
  const auto box = harness::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Marovane Setup");
  EXPECT_EQ(box->text, "The file " + medium +
                           "\\ENGLISH\\..\\FILES\\VISTREL.EXE cannot be copied. The distribution "
                           "is incomplete, or the disk is full.");
  harness::PressButton(box->window, IDOK);
  ASSERT_TRUE(setup.WaitForExit());
  EXPECT_EQ(setup.ExitCode(), 1u);
}

class UninstallTest : public InstallTest {
 protected:
  // The installation as set-up records it (without an OEM font), its uninstaller in place and
  // another program's deletion pending in wininit.ini.
  void SetUp() override {
    InstallTest::SetUp();
    if (HasFatalFailure()) return;
    SetValue(kRecord, "ProgramDir", layout::kProgramDir);
    SetValue(kRecord, "ToolsFolder", layout::kToolsFolder);
    SetValue(kRecord, "DisplayPath", layout::kDisplayPath);
    SetValue(kRecord, "DriverName", layout::kDriverName);
    SetValue(kRecord, "AppName", layout::kAppName);
    SetValue(layout::kDisplayPath, "Driver", layout::kDisplayDriverKey);
    ASSERT_TRUE(CopyFileA((harness::OwnFolder() + "\\uninst.exe").c_str(),
                          (std::string(layout::kProgramDir) + "\\uninst.exe").c_str(), FALSE));
    WriteFile("C:\\windows\\wininit.ini", "[rename]\r\nNUL=C:\\OTHER\\OLD.DLL\r\n");
  }
  static void SetValue(const std::string& path, const char* name, const std::string& text) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
  }
  static std::string WininitRename() {
    char section[1024] = "";
    const DWORD length =
        GetPrivateProfileSectionA("rename", section, sizeof(section), "wininit.ini");
    std::string lines(section, length);
    for (char& c : lines) {
      if (c == '\0') c = '|';
    }
    return lines;
  }
};

TEST_F(UninstallTest, ARecordOfAFolderThatIsGoneOrThatMustNotBeDeletedRemovesTheRest) {
  SetValue(kRecord, "ProgramDir", "C:\\Gone");
  {
    Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
    EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
    ASSERT_TRUE(uninstall.WaitForExit());
    EXPECT_EQ(uninstall.ExitCode(), 3u);
    EXPECT_EQ(harness::ReadProfile("system.ini", "386Enh", "display"), "*vdd");
  }
  // A record that names the Windows folder leaves it alone, and says so.
  SetValue(kRecord, "ProgramDir", "C:\\windows");
  SetValue(kRecord, "ToolsFolder", layout::kToolsFolder);
  SetValue(kRecord, "DisplayPath", layout::kDisplayPath);
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  EXPECT_EQ(Answer(uninstall, IDOK),
            "The recorded program folder \"C:\\windows\" is not one the uninstaller deletes. It "
            "stays as it is.");
  EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_TRUE(Exists("C:\\windows\\system.ini"));
}

TEST_F(UninstallTest, ClosesTheSheetRemovesTheSuiteAndPutsWindowsBackOnVga) {
  Program vistrel(VistrelPath());
  ASSERT_NE(harness::WaitForWindow("#32770", "Marovane Vistrel", vistrel.Id()), nullptr);
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3 quiet");
  ASSERT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_EQ(uninstall.ExitCode(), 3u);
  // The sheet was closed before its folder went.
  EXPECT_FALSE(vistrel.Running());
  EXPECT_FALSE(Exists(layout::kDisplayToolsFolder));
  EXPECT_FALSE(Exists(layout::kProgramDir));
  EXPECT_FALSE(harness::ReadProfile("system.ini", "Marovane", "ProgramDir"));
  EXPECT_EQ(harness::ReadProfile("system.ini", "386Enh", "display"), "*vdd");
  EXPECT_EQ(
      harness::ReadRegistry(HKEY_LOCAL_MACHINE, "Config\\0001\\Display\\Settings", "oemfonts.fon"),
      "vgaoem.fon");
  EXPECT_EQ(harness::ReadRegistry(
                HKEY_LOCAL_MACHINE,
                "System\\CurrentControlSet\\Services\\Class\\Display\\0000\\DEFAULT", "drv"),
            "vga.drv");
  EXPECT_EQ(WininitRename(),
            "NUL=C:\\OTHER\\OLD.DLL|NUL=C:\\windows\\MARVUNIN.EXE|"
            "NUL=C:\\windows\\SYSTEM\\S3MRV.DRV|NUL=C:\\windows\\SYSTEM\\S3MRV.VXD|");
  // The set-up program's uninstaller took its record with it.
  EXPECT_FALSE(harness::ReadRegistry(HKEY_LOCAL_MACHINE, kRecord, "ProgramDir"));

  Program again(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  const auto box = harness::WaitForMessageBox(again.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Uninstallation information not found in Registry.  Exit!");
  harness::PressButton(box->window, IDOK);
  ASSERT_TRUE(again.WaitForExit());
  EXPECT_EQ(again.ExitCode(), DWORD(-1));
}

// A hung program keeps neither its close nor its end waiting for more than 15 s.
TEST_F(UninstallTest, AHungProgramIsGivenUpOnAndTheRemovalGoesOn) {
  Program hung(harness::OwnFolder() + "\\WINDOW_PROBE.EXE",
               std::string("hung ") + names::kMagnifierClass);
  ASSERT_TRUE(harness::WaitFor([] { return FindWindowA(names::kMagnifierClass, nullptr); }));
  const auto start = std::chrono::steady_clock::now();
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  const auto restart = harness::WaitForMessageBox(uninstall.Id(), std::chrono::seconds(30));
  ASSERT_TRUE(restart);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15 + 10));
  EXPECT_EQ(restart->text, "Restart Windows now?");
  harness::PressButton(restart->window, IDNO);
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_EQ(uninstall.ExitCode(), 3u);
  EXPECT_FALSE(Exists(layout::kDisplayToolsFolder));
  EXPECT_TRUE(hung.Running());
}

// The Start-menu group's folder window is closed; Explorer, whose window it is, runs on and is
// not waited for.
TEST_F(UninstallTest, TheGroupsFolderWindowClosesWithoutAWaitForExplorer) {
  Program explorer(harness::OwnFolder() + "\\WINDOW_PROBE.EXE",
                   std::string("folder \"") + layout::kToolsFolder + "\"");
  HWND folder = harness::WaitForWindow("CabinetWClass", layout::kToolsFolder, explorer.Id());
  ASSERT_NE(folder, nullptr);
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  ASSERT_TRUE(harness::WaitFor([&] { return !IsWindow(folder); }));
  const auto closed = std::chrono::steady_clock::now();
  const auto restart = harness::WaitForMessageBox(uninstall.Id());
  ASSERT_TRUE(restart);
  EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::seconds(4));
  harness::PressButton(restart->window, IDNO);
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_TRUE(explorer.Running());
}

// A set-up uninstaller that runs on is waited for (a minute; here the patience a test may set)
// before the user is asked.
TEST_F(UninstallTest, ASetUpUninstallerThatRunsOnIsGivenUpOnWhenTheUserSaysSo) {
  // A program that runs until its user closes it stands in for the set-up uninstaller.
  ASSERT_TRUE(CopyFileA((harness::OwnFolder() + "\\MINIMAL_DIALOG.EXE").c_str(),
                        (std::string(layout::kProgramDir) + "\\uninst.exe").c_str(), FALSE));
  SetEnvironmentVariableA("MAROVANE_UNINSTALLER_PATIENCE_MS", "3000");
  const auto start = std::chrono::steady_clock::now();
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  SetEnvironmentVariableA("MAROVANE_UNINSTALLER_PATIENCE_MS", nullptr);
  const auto question = harness::WaitForMessageBox(uninstall.Id(), std::chrono::seconds(30));
  ASSERT_TRUE(question);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(question->text,
            "The uninstaller of the set-up program has not finished yet. Wait for it?");
  EXPECT_GE(waited, std::chrono::seconds(3));
  EXPECT_LT(waited, std::chrono::seconds(20));
  harness::PressButton(question->window, IDNO);
  harness::WaitFor([&] { return !IsWindow(question->window); });
  EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_EQ(uninstall.ExitCode(), 3u);
}

// The set-up uninstaller is started by its whole path, never a "C:\\Program.exe" in front of it,
// and gets the argument as one word.
TEST_F(UninstallTest, TheSetUpUninstallerIsStartedByItsWholePathWithTheArgumentWhole) {
  for (const std::string& copy :
       {std::string("C:\\Program.exe"), std::string(layout::kProgramDir) + "\\uninst.exe"}) {
    ASSERT_TRUE(
        CopyFileA((harness::OwnFolder() + "\\START_RECORDER.EXE").c_str(), copy.c_str(), FALSE));
  }
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3 \"C:\\Temp\\uninstall log.txt\"");
  EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  // The recorder notes its path and the arguments that follow it.
  EXPECT_EQ(StartedPrograms(),
            "C:\\Program Files\\Marovane\\uninst.exe|\"C:\\Temp\\uninstall log.txt\"\r\n");
}

// A damaged record that names Windows' folders: they stay, whatever they hold, and the user is
// told in the language of the installed Windows.
TEST_F(UninstallTest, ARecordThatNamesTheSystemFolderOrAnAliasOfItLeavesItAsItIs) {
  const std::string system = "C:\\windows\\system32";
  WriteFile(system + "\\keep.txt", "mine");
  // The set-up uninstaller there would take the record with it: it is not run.
  ASSERT_TRUE(CopyFileA((harness::OwnFolder() + "\\uninst.exe").c_str(),
                        (system + "\\uninst.exe").c_str(), FALSE));
  SetValue(kRecord, "ProgramDir", system);
  {
    Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
    EXPECT_EQ(Answer(uninstall, IDOK), "The recorded program folder \"" + system +
                                           "\" is not one the uninstaller deletes. It stays as it "
                                           "is.");
    EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
    ASSERT_TRUE(uninstall.WaitForExit());
  }
  EXPECT_TRUE(Exists(system + "\\keep.txt"));
  EXPECT_TRUE(harness::ReadRegistry(HKEY_LOCAL_MACHINE, kRecord, "ProgramDir"));
  // The suite's own folder was not the one recorded: it stays too.
  EXPECT_TRUE(Exists(std::string(layout::kDisplayToolsFolder) + "\\VISTREL.EXE"));

  const std::string alias = "C:\\\\WINDOWS.\\..\\windows\\SYSTEM32\\.";
  SetValue(kRecord, "ProgramDir", alias);
  SetValue("System\\CurrentControlSet\\control\\Nls\\Locale", "00000409",
           "Englisch (Vereinigte Staaten)");
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  EXPECT_EQ(Answer(uninstall, IDOK), "Der eingetragene Programmordner \"" + alias +
                                         "\" wird bei der Deinstallation nicht gel\xF6scht. Er "
                                         "bleibt, wie er ist.");
  EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_TRUE(Exists(system + "\\keep.txt"));
}

// A damaged record's key and driver names reach neither other programs' entries nor Windows' own
// display driver.
TEST_F(UninstallTest, ARecordWithStrangeNamesLeavesOtherEntriesAndWindowsDriversAlone) {
  const std::string other = std::string(kUninstallKeys) + "Other";
  SetValue(other, "UninstallString", "C:\\Other\\remove.exe");
  SetValue(kRecord, "AppName", "\\");
  SetValue(kRecord, "DriverName", "VGA");
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_TRUE(harness::ReadRegistry(HKEY_LOCAL_MACHINE, other, "UninstallString"));
  EXPECT_EQ(WininitRename(), "NUL=C:\\OTHER\\OLD.DLL|NUL=C:\\windows\\MARVUNIN.EXE|");
  // The rest of the removal went on.
  EXPECT_FALSE(Exists(layout::kProgramDir));
}

// Without the set-up uninstaller the removal goes on at once; a file in use stays, with its
// folder, and nothing is said about it.
TEST_F(UninstallTest, AMissingSetUpUninstallerAndAFileInUseLeaveTheRestRemoved) {
  ASSERT_TRUE(DeleteFileA((std::string(layout::kProgramDir) + "\\uninst.exe").c_str()));
  const std::string inUse = std::string(layout::kMediaFolder) + "\\SONAVO.EXE";
  HANDLE held = CreateFileA(inUse.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Program uninstall(harness::OwnFolder() + "\\INSTALL.EXE", "3");
  EXPECT_EQ(Answer(uninstall, IDNO), "Restart Windows now?");
  ASSERT_TRUE(uninstall.WaitForExit());
  EXPECT_EQ(uninstall.ExitCode(), 3u);
  CloseHandle(held);
  EXPECT_TRUE(Exists(inUse));
  EXPECT_FALSE(Exists(std::string(layout::kMediaFolder) + "\\JUBILO.EXE"));
  EXPECT_FALSE(Exists(layout::kDisplayToolsFolder));
  EXPECT_FALSE(harness::ReadProfile("system.ini", "Marovane", "ProgramDir"));
  // Its record was the set-up uninstaller's to remove.
  EXPECT_TRUE(harness::ReadRegistry(HKEY_LOCAL_MACHINE, kRecord, "ProgramDir"));
}

}  // namespace

#pragma once
// Where the set-up program puts the suite, and so where the programs and the tests find it:
//   ProgramDir = C:\Program Files\Marovane
//   ProgramDir\VISTREL\  the display tools (and the outside programs Vistrel starts by name)
//   ProgramDir\JUBILO\   the media programs, MAROVANE.INI and the album files
//   ProgramDir\uninst.exe, the set-up program's uninstaller
//   the system folder: BLITVANE.DLL
// and what it records about the installation for the uninstaller.

namespace layout {

inline constexpr const char* kProgramDir = "C:\\Program Files\\Marovane";
inline constexpr const char* kDisplayToolsFolder = "C:\\Program Files\\Marovane\\VISTREL";
inline constexpr const char* kMediaFolder = "C:\\Program Files\\Marovane\\JUBILO";
// Where DirectDraw finds the card's DirectDraw driver by name.
inline constexpr const char* kSystemFolder = "C:\\windows\\system32";
// The Start-menu group.
inline constexpr const char* kToolsFolder = "Marovane Tools";

struct SuiteFile {
  const char* name;
  const char* folder;
};

// Every file of the suite and the folder it is installed in.
inline constexpr SuiteFile kSuiteFiles[] = {
    {"VISTREL.EXE", kDisplayToolsFolder},
    {"TRAYVEL.EXE", kDisplayToolsFolder},
    {"LATCHWIN.DLL", kDisplayToolsFolder},
    {"restart.dat", kDisplayToolsFolder},
    {"fleetmark.exe", kDisplayToolsFolder},
    {"QORVID.DLL", kDisplayToolsFolder},
    {"loupara.exe", kDisplayToolsFolder},
    {"default.htm", kDisplayToolsFolder},
    {"SONAVO.EXE", kMediaFolder},
    {"TICKORA.DLL", kMediaFolder},
    {"JUBILO.EXE", kMediaFolder},
    {"cabinet.bmp", kMediaFolder},
    {"blendora.exe", kMediaFolder},
    {"PEEKWELL.EXE", kMediaFolder},
    {"VISTREL.HLP", kDisplayToolsFolder},
    {"JUBILO.HLP", kMediaFolder},
    // Peekwell, in the media folder, opens Vistrel's help by its bare name.
    {"VISTREL.HLP", kMediaFolder},
    {"BLITVANE.DLL", kSystemFolder},
};

// The simulated PC's display adapter (its device key under HKEY_LOCAL_MACHINE, its driver key
// under the display class) and the suite's display driver files, SYSTEM\S3MRV.DRV and .VXD.
inline constexpr const char* kDisplayPath =
    "Enum\\PCI\\VEN_5333&DEV_8811&SUBSYS_00000000&REV_00\\BUS_00&DEV_0F&FUNC_00";
inline constexpr const char* kDisplayDriverKey = "Display\\0000";
inline constexpr const char* kDriverName = "S3MRV";
// The suite's entry in the list of uninstallable programs, and the uninstaller's own copy in
// the Windows folder that it names.
inline constexpr const char* kAppName = "Marovane";
inline constexpr const char* kUninstallerCopy = "MARVUNIN.EXE";
// The set-up program's own uninstaller, in ProgramDir.
inline constexpr const char* kSetupUninstaller = "uninst.exe";

}  // namespace layout

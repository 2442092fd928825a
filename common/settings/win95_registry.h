#pragma once
// Where Windows 95 keeps what the suite reads and writes in the registry (all values REG_SZ).
// The simulated PC seeds the same layout.

namespace win95reg {

// HKEY_DYN_DATA: one subkey per device node, each with the device's hardware key; a monitor's
// hardware key contains "MONITOR".
inline constexpr const char* kConfigManagerEnum = "Config Manager\\Enum";
inline constexpr const char* kHardWareKey = "HardWareKey";

// HKEY_LOCAL_MACHINE: "Enum\" + hardware key holds the driver key name, and the class key
// "System\CurrentControlSet\Services\Class\" + that name the monitor's largest mode ("W,H").
inline constexpr const char* kEnumPrefix = "Enum\\";
inline constexpr const char* kDriver = "Driver";
inline constexpr const char* kClassPrefix = "System\\CurrentControlSet\\Services\\Class\\";
inline constexpr const char* kMaxResolution = "MaxResolution";

// HKEY_LOCAL_MACHINE: the font size in dots per inch ("%d") and its font files.
inline constexpr const char* kDisplaySettings = "Config\\0001\\Display\\Settings";
inline constexpr const char* kDisplayFonts = "Config\\0001\\Display\\Fonts";
inline constexpr const char* kDpiLogicalX = "DPILogicalX";
inline constexpr const char* kDpiLogicalY = "DPILogicalY";
inline constexpr const char* kDpiPhysicalX = "DPIPhysicalX";
inline constexpr const char* kDpiPhysicalY = "DPIPhysicalY";
inline constexpr const char* kFixedFont = "fixedfon.fon";
inline constexpr const char* kSystemFont = "fonts.fon";
inline constexpr const char* kOemFont = "oemfonts.fon";

// HKEY_CURRENT_USER: the user's folders, among them the Start menu's "Programs".
inline constexpr const char* kShellFolders =
    "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kProgramsFolder = "Programs";

}  // namespace win95reg

#include "common/win32/suite_files.h"

#include <windows.h>

#include "common/interop/installed_layout.h"

std::string CopySuiteFiles(const std::string& from) {
  CreateDirectoryA(layout::kProgramDir, nullptr);
  for (const layout::SuiteFile& file : layout::kSuiteFiles) {
    CreateDirectoryA(file.folder, nullptr);
    const std::string source = from + "\\" + file.name;
    if (!CopyFileA(source.c_str(), (std::string(file.folder) + "\\" + file.name).c_str(), FALSE)) {
      return source;
    }
  }
  return {};
}

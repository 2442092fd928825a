#include "install/app/diskettes.h"

#include <cctype>
#include <vector>

#include "common/framework/modeless_dialog.h"
#include "common/win32/resource_text.h"
#include "common/win32/win32_profile.h"
#include "install/app/resource.h"

namespace {

// Shown while a diskette is written; its progress bar stays hidden, as the copy is short.
class CopyProgressDialog : public ModelessDialog {
 public:
  explicit CopyProgressDialog(int languageIndex)
      : ModelessDialog(IDD_COPY_PROGRESS), languageIndex_(languageIndex) {}

  void Close() { End(); }

 protected:
  void OnInitDialog() override {
    SetDlgItemTextA(Window(), IDC_COPYING_TEXT,
                    ResourceText(IDS_COPYING_FILES + languageIndex_).c_str());
  }

 private:
  int languageIndex_;
};

struct CopyResult {
  int found = 0;
  int failed = 0;
};

// Every file of `folder` (not its sub-folders) to the root of the diskette, each copy marked
// archive only.
CopyResult CopyFolderToDiskette(const std::string& folder, char driveLetter) {
  CopyResult result;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return result;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ++result.found;
    const std::string target = std::string(1, driveLetter) + ":\\" + entry.cFileName;
    if (CopyFileA((folder + "\\" + entry.cFileName).c_str(), target.c_str(), FALSE)) {
      SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    } else {
      ++result.failed;
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return result;
}

std::string ProgramName() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path);
  name.erase(0, name.find_last_of('\\') + 1);
  return name.substr(0, name.find_last_of('.'));
}

// The prompt for diskette `number`: the language's text with the drive, the number and the
// count put in.
std::string Prompt(int languageIndex, char driveLetter, int number, int count) {
  const std::string format = ResourceText(IDS_INSERT_DISKETTE + languageIndex);
  const char drive[2] = {driveLetter, '\0'};
  std::vector<char> text(format.size() + 64);
  wsprintfA(text.data(), format.c_str(), drive, number, count);
  return text.data();
}

enum class DisketteOutcome { kWritten, kCancelled };

// Writes one diskette; a diskette that takes only part of the files (full, write-protected,
// missing) may be exchanged and written again.
DisketteOutcome WriteDiskette(HWND page, const std::string& folder, char driveLetter,
                              int languageIndex) {
  if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MessageBoxA(page, ResourceText(IDS_DISKETTE_FOLDER_MISSING + languageIndex, {folder}).c_str(),
                ProgramName().c_str(), MB_OK | MB_ICONSTOP);
    return DisketteOutcome::kWritten;
  }
  for (;;) {
    CopyProgressDialog progress(languageIndex);
    progress.Create(page);
    UpdateWindow(progress.Window());
    const CopyResult result = CopyFolderToDiskette(folder, driveLetter);
    progress.Close();
    if (result.found == 0) {
      MessageBoxA(page, "No file has been found in this directory", ProgramName().c_str(), MB_OK);
      return DisketteOutcome::kWritten;
    }
    if (result.failed == 0) return DisketteOutcome::kWritten;
    const std::string text = ResourceText(
        IDS_FILES_NOT_WRITTEN + languageIndex,
        {std::to_string(result.failed), std::to_string(result.found), std::string(1, driveLetter)});
    if (MessageBoxA(page, text.c_str(), "Marovane", MB_RETRYCANCEL | MB_ICONEXCLAMATION) !=
        IDRETRY) {
      return DisketteOutcome::kCancelled;
    }
  }
}

}  // namespace

void MakeDiskettes(HWND page, const DisketteSet& set, char driveLetter) {
  if (!std::isalpha(static_cast<unsigned char>(driveLetter))) {
    MessageBoxA(page, ResourceText(IDS_NO_DRIVE_LETTER + set.language.index).c_str(), "Marovane",
                MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Win32Profile script(install::kScriptFile);
  const int count = install::ReadInstallScript(script).numberOfDisks;
  for (int number = 1; number <= count; ++number) {
    const std::string folder = install::DiskFolder(script, number, set.product, set.language.code);
    const std::string prompt = Prompt(set.language.index, driveLetter, number, count);
    if (MessageBoxA(page, prompt.c_str(), "Marovane", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) {
      return;
    }
    if (WriteDiskette(page, folder, driveLetter, set.language.index) ==
        DisketteOutcome::kCancelled) {
      return;
    }
  }
  MessageBoxA(page, ResourceText(IDS_DISKETTES_DONE + set.language.index).c_str(), "Marovane",
              MB_OK | MB_ICONINFORMATION);
}

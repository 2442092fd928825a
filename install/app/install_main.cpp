// install: the installation medium's front end, and the suite's uninstaller when started with
// the switch 3.

#include <windows.h>

#include <commctrl.h>

#include "common/framework/application.h"
#include "common/framework/property_sheet.h"
#include "common/win32/win32_profile.h"
#include "install/app/uninstaller.h"
#include "install/app/windows_language.h"
#include "install/app/wizard.h"
#include "install/core/install_script.h"

namespace {

bool FileHere(const char* name) {
  return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

class InstallApp : public Application {
 protected:
  void InitInstance() override {
    if (const auto argument = install::UninstallArgument(GetCommandLineA())) {
      exitCode_ = Uninstall(*argument);
      return;
    }
    Win32Profile script(install::kScriptFile);
    const install::Start start =
        install::DecideStart(FileHere(install::kAutorunFile), FileHere("install.ini"), script);
    switch (start.kind) {
      case install::Start::kRunSetupAtOnce:
        StartSetupProgram(".", start.program, WindowsLanguageIndex());
        return;
      case install::Start::kScriptMissing:
        MessageBoxA(nullptr, "File INSTALL.INI not found!", "Error", MB_OK | MB_ICONSTOP);
        return;
      case install::Start::kWizard:
        RunWizard(install::ReadInstallScript(script));
        return;
    }
  }

  int ExitInstance() override { return exitCode_; }

 private:
  static void RunWizard(const install::InstallScript& script) {
    WizardChoice choice{script.product, script.language, script.askLanguage};
    ModalPropertySheet wizard("Marovane");
    wizard.SetWizardMode();
    LanguagePage languagePage(choice);
    InstallPage installPage(choice);
    if (choice.languagePage) wizard.AddPage(languagePage);
    wizard.AddPage(installPage);
    wizard.DoModal(Application::Current().Instance());
    wizard.RemovePage(installPage);
    if (choice.languagePage) wizard.RemovePage(languagePage);
  }

  int exitCode_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  InstallApp application;
  return application.Run(instance);
}

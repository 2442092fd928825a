#pragma once
// install's wizard: the language page (when the script asks for it) and the install page with
// its two ways forward, starting the set-up program or making diskettes.

#include <string>

#include "common/framework/property_page.h"
#include "install/core/install_script.h"

// What the pages share: the script's product and the language the user chose.
struct WizardChoice {
  std::string product;
  std::string language;
  bool languagePage = false;
};

class LanguagePage : public PropertyPage {
 public:
  explicit LanguagePage(WizardChoice& choice);

 protected:
  void OnInitDialog() override;
  void OnSetActive() override;
  bool OnWizardNext() override;
  void OnPaint(HDC dc) override;

 private:
  WizardChoice& choice_;
};

class InstallPage : public PropertyPage {
 public:
  explicit InstallPage(WizardChoice& choice);

 protected:
  void OnInitDialog() override;
  void OnSetActive() override;
  void OnPaint(HDC dc) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void ShowTexts();
  void OnInstall();
  void OnCopy();

  WizardChoice& choice_;
  install::Language language_{0, "ENGLISH"};
};

// Starts the set-up program `program` in `folder` without waiting; false (and a message in the
// language of `languageIndex`) when the folder cannot be entered or the program cannot be started.
bool StartSetupProgram(const std::string& folder, const std::string& program, int languageIndex);

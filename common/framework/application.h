#pragma once
// The application object: one per program, whose whole life runs inside its initialisation.

#include <windows.h>

#include <string>

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application& Current();

  // Runs the initialisation; the program ends when it returns, with the exit code that
  // ExitInstance gives.
  int Run(HINSTANCE instance);

  HINSTANCE Instance() const { return instance_; }
  // The program's own path with the extension .HLP.
  std::string HelpFile() const;
  // The program's folder, ending in a backslash.
  std::string ProgramFolder() const;
  void ShowHelp(HWND window, UINT command, ULONG_PTR data) const;

  // The framework's help command (F1 in any dialog of the program): the help file's topic for
  // the context, unless the program chooses otherwise.
  virtual void OnHelp(HWND window, ULONG_PTR context);

 protected:
  virtual void InitInstance() = 0;
  virtual int ExitInstance() { return 0; }
  // Three-dimensional dialog controls, when CTL3D32.DLL is present; nothing otherwise.
  void Enable3dControls();

 private:
  HINSTANCE instance_ = nullptr;
  HMODULE ctl3d_ = nullptr;
};
